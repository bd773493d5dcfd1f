// errorlog.csv: one line per problem an aggregation run met, for the user to read in
// any CSV viewer. The run starts a fresh log; each problem is appended and flushed at
// once, so the lines survive whatever happens to the run afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/sj.h"

namespace mireva {

class ErrorLog {
public:
    explicit ErrorLog(std::filesystem::path path) : path_(std::move(path)) {}

    // Creates or truncates the log and writes its header line. False when it cannot be
    // written.
    bool begin() const;

    // Appends "timestamp,file,message".
    void append(SjView file, SjView message) const;

    const std::filesystem::path& path() const { return path_; }
    int linesWritten() const { return lines_; }

    // Why the log could not be created or a line could not be appended (the first
    // such failure since begin(), in the system's words); empty while every write
    // succeeded. The run reports it once at its end, so that a log that stays empty
    // is not taken for a run without problems.
    const std::string& failure() const { return failure_; }

private:
    void noteFailure(int error) const;

    std::filesystem::path path_;
    mutable int lines_ = 0;
    mutable std::string failure_;
};

// The local time in the log's form "%Y/%m/%d %H:%M:%S".
std::string errorLogTimestamp();

// Code page 932 form of a native path, as the log and the messages show it.
Sj pathText(const std::filesystem::path& path);

}  // namespace mireva
