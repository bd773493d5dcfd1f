// Reads a whole zip archive back (stored and deflated entries), checking every
// entry's sizes and CRC-32: a test's independent look at what a writer produced.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace mireva::test {

struct ZipContents {
    std::map<std::string, std::string> entries;  // name -> content
    std::string error;                           // empty when the archive is sound
};

ZipContents readZip(const std::filesystem::path& file);
ZipContents readZipBytes(const std::string& bytes);

}  // namespace mireva::test
