#include "ingest/meter_path.h"

#include <algorithm>
#include <system_error>

#include "core/cp932.h"

namespace mireva {
namespace fs = std::filesystem;
namespace {

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The entry of `dir` named `name` up to ASCII case, or an empty path.
fs::path findIgnoringCase(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (equalIgnoringAsciiCase(entry, name)) matches.push_back(std::move(entry));
    }
    if (matches.empty()) return {};
    std::sort(matches.begin(), matches.end());
    return dir / matches.front();
}

}  // namespace

fs::path exactMeterPath(const fs::path& folder, const std::vector<std::string>& components) {
    fs::path path = folder;
    for (const std::string& c : components) path /= fromCp932(c);
    return path;
}

fs::path locateMeterFile(const fs::path& folder, const std::vector<std::string>& components) {
    std::vector<std::string> names;
    names.reserve(components.size());
    fs::path exact = folder;
    for (const std::string& c : components) {
        names.push_back(fromCp932(c));
        exact /= names.back();
    }
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;

    fs::path current = folder;
    for (const std::string& name : names) {
        fs::path next = current / name;
        if (name.empty() || name == "." || name == ".." || fs::exists(next, ec)) {
            current = std::move(next);
            continue;
        }
        fs::path found = findIgnoringCase(current, name);
        if (found.empty()) return exact;
        current = std::move(found);
    }
    return current;
}

}  // namespace mireva
