#include "ingest/error_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/cp932.h"

namespace mireva {

std::string errorLogTimestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    size_t n = std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M:%S", &local);
    return std::string(buffer, n);
}

Sj pathText(const std::filesystem::path& path) { return toCp932(path.string()); }

namespace {

// Writes the bytes and closes the file; 0 on success, otherwise the error number of
// the first failure (a full disk often shows only when the buffer is flushed at close).
int writeAndClose(std::FILE* f, std::string_view bytes) {
    errno = 0;
    int error = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) error = errno ? errno : EIO;
    errno = 0;
    if (std::fclose(f) != 0 && !error) error = errno ? errno : EIO;
    return error;
}

}  // namespace

void ErrorLog::noteFailure(int error) const {
    if (failure_.empty()) failure_ = std::strerror(error);
}

bool ErrorLog::begin() const {
    lines_ = 0;
    failure_.clear();
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) {
        noteFailure(errno);
        return false;
    }
    const int error = writeAndClose(f, sj("日時,ファイル名,エラー内容\r\n").bytes);
    if (error) noteFailure(error);
    return error == 0;
}

void ErrorLog::append(SjView file, SjView message) const {
    std::string line = errorLogTimestamp();
    line += ',';
    line += file.bytes;
    line += ',';
    line += message.bytes;
    line += "\r\n";
    std::FILE* f = std::fopen(path_.c_str(), "ab");
    if (!f) {
        noteFailure(errno);
        return;
    }
    if (const int error = writeAndClose(f, line)) {
        noteFailure(error);
        return;
    }
    ++lines_;
}

}  // namespace mireva
