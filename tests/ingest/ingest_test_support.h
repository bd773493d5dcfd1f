// Small fixtures for the reading pipeline's tests: meter files, location tables and
// the error log's lines without their timestamps.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/text.h"
#include "support/test_support.h"

namespace mireva::test {

// A meter file: UTF-8 lines joined with CR LF.
inline std::string meterLines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\r\n";
    return s;
}

// The error log's lines after the header as "file,message" in UTF-8.
inline std::vector<std::string> logEntries(const std::filesystem::path& log) {
    std::vector<std::string> entries;
    std::string content = readFile(log);
    std::vector<std::string_view> lines = splitLines(content);
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string_view l = lines[i];
        size_t comma = l.find(',');
        entries.push_back(u8(comma == std::string_view::npos ? l : l.substr(comma + 1)));
    }
    return entries;
}

}  // namespace mireva::test
