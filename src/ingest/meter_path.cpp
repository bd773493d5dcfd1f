#include "ingest/meter_path.h"

#include <algorithm>
#include <system_error>

#include "core/cp932.h"
#include "core/text.h"

namespace mireva {
namespace fs = std::filesystem;
namespace {

const std::vector<std::string>& listFolder(const fs::path& dir, FolderListings& listings) {
    auto it = listings.find(dir);
    if (it != listings.end()) return it->second;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator entry(dir, ec), end; !ec && entry != end; entry.increment(ec))
        names.push_back(entry->path().filename().string());
    std::sort(names.begin(), names.end());
    return listings.emplace(dir, std::move(names)).first->second;
}

// The entry of `dir` named `name` up to ASCII case (the first in name order), or an empty path.
fs::path findIgnoringCase(const fs::path& dir, const std::string& name, FolderListings& listings) {
    for (const std::string& entry : listFolder(dir, listings))
        if (equalsIgnoringAsciiCase(entry, name)) return dir / entry;
    return {};
}

}  // namespace

bool staysInFolder(const std::vector<std::string>& components) {
    for (const std::string& c : components) {
        // Tested on the file-system form: the second byte of many code page 932
        // characters is the byte of "\\", which is no separator there.
        const std::string name = fromCp932(SjView{c});
        if (name == ".." || name.find_first_of("/\\") != std::string::npos) return false;
    }
    return true;
}

fs::path exactMeterPath(const fs::path& folder, const std::vector<std::string>& components) {
    fs::path path = folder;
    for (const std::string& c : components) path /= fromCp932(SjView{c});
    return path;
}

fs::path locateMeterFile(const fs::path& folder, const std::vector<std::string>& components, FolderListings* listings) {
    FolderListings local;
    FolderListings& cache = listings ? *listings : local;
    std::vector<std::string> names;
    names.reserve(components.size());
    fs::path exact = folder;
    for (const std::string& c : components) {
        names.push_back(fromCp932(SjView{c}));
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
        fs::path found = findIgnoringCase(current, name, cache);
        if (found.empty()) return exact;
        current = std::move(found);
    }
    return current;
}

}  // namespace mireva
