#include "core/input_checks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace mireva {
namespace fs = std::filesystem;

std::string fileReadFailure(const fs::path& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::strerror(errno);
    // Opening is not enough: a folder opens on some systems, and a file may open and
    // then fail to read.
    char buffer[1 << 16];
    std::string reason;
    errno = 0;
    while (std::fread(buffer, 1, sizeof buffer, f) == sizeof buffer) {}
    if (std::ferror(f)) reason = std::strerror(errno ? errno : EIO);
    std::fclose(f);
    return reason;
}

std::string folderListFailure(const fs::path& path) {
    std::error_code ec;
    for (fs::directory_iterator entry(path, ec), end; !ec && entry != end; entry.increment(ec)) {}
    return ec ? ec.message() : std::string();
}

}  // namespace mireva
