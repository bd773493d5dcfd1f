#include "core/data_locations.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "core/error_reason.h"

namespace mireva {
namespace fs = std::filesystem;

fs::path DataLocations::perUserFolder() {
#ifdef _WIN32
    const char* user = std::getenv("USERNAME");
    return fs::path(std::string("C:\\Users\\") + (user ? user : "") + "\\AppData\\Local\\ORVANE");
#else
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) return fs::path(xdg) / "ORVANE";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "ORVANE";
#endif
}

DataLocations DataLocations::resolve(std::string* error) {
    DataLocations locations(perUserFolder());
    std::error_code ec;
    fs::create_directories(locations.folder(), ec);
    if (ec && !fs::is_directory(locations.folder())) {
        if (error) *error = locations.folder().string() + ": " + errorReason(ec.value());
        return locations;
    }
    std::FILE* probe = std::fopen(locations.worksheet().c_str(), "ab");
    if (!probe) {
        if (error) *error = locations.worksheet().string() + ": " + errorReason(errno);
        return locations;
    }
    std::fclose(probe);
    if (error) error->clear();
    return locations;
}

}  // namespace mireva
