// errorlog.csv: one line per problem an aggregation run met, for the user to read in
// any CSV viewer. The run starts a fresh log; each problem is appended and flushed at
// once, so the lines survive whatever happens to the run afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mireva {

class ErrorLog {
public:
    explicit ErrorLog(std::filesystem::path path) : path_(std::move(path)) {}

    // Creates or truncates the log and writes its header line. False when it cannot be
    // written; later lines are then lost without a report.
    bool begin() const;

    // Appends "timestamp,file,message" (file and message in code page 932).
    void append(std::string_view file, std::string_view message) const;

    const std::filesystem::path& path() const { return path_; }
    int linesWritten() const { return lines_; }

private:
    std::filesystem::path path_;
    mutable int lines_ = 0;
};

// The local time in the log's form "%Y/%m/%d %H:%M:%S".
std::string errorLogTimestamp();

// Code page 932 form of a native path, as the log and the messages show it.
std::string pathText(const std::filesystem::path& path);

}  // namespace mireva
