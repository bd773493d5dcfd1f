#include "ingest/meter_folder_scan.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>
#include <tuple>

#include "core/cp932.h"
#include "core/text.h"

namespace mireva {
namespace fs = std::filesystem;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The card's file system ignores letter case, and a card read on another system may
// show its short names in lower case: the fixed folder names match in any case and
// the rows carry them in the form the aggregation requires.
bool isDataTypeName(const std::string& name) {
    return equalsIgnoringAsciiCase(name, "SINGLE") || equalsIgnoringAsciiCase(name, "MULTI");
}
bool isCsvFolderName(const std::string& name) { return equalsIgnoringAsciiCase(name, "CSV"); }

// Entries of one folder, sorted naturally; folders or regular files only.
std::vector<std::string> listNames(const fs::path& folder, bool wantFolders) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        bool isFolder = it->is_directory(typeEc);
        bool isFile = !isFolder && it->is_regular_file(typeEc);
        if (wantFolders ? isFolder : isFile) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

bool hasCsvExtension(const std::string& name) {
    if (name.size() < 5) return false;  // ".csv" alone has no name
    return equalsIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".csv");
}

// The code page 932 form of a folder or file name, or false when the name cannot be
// written into a table field and read back to the same path.
bool tableText(const std::string& name, std::string& out) {
    if (name.empty() || name.find(',') != std::string::npos || name.find('\\') != std::string::npos) return false;
    out = toCp932(name).bytes;
    return fromCp932(SjView{out}) == name;
}

struct Walker {
    MeterFolderScan result;

    void addFile(const std::string& dataType, const std::string& date, const std::string& fileName) {
        LocationTableRow row;
        if (!tableText(dataType, row[kColDataType]) || !tableText(date, row[kColDate]) ||
            !tableText(fileName, row[kColFileName])) {
            result.unusable.push_back(dataType + "/" + date + "/CSV/" + fileName);
            return;
        }
        row[kColFileType] = "CSV";
        result.files.push_back(std::move(row));
    }
    void scanCsvFolder(const fs::path& folder, const std::string& dataType, const std::string& date) {
        for (const std::string& name : listNames(folder, false))
            if (hasCsvExtension(name)) addFile(dataType, date, name);
    }
    void scanDateFolder(const fs::path& folder, const std::string& dataType, const std::string& date) {
        std::vector<std::string> names = listNames(folder, true);
        auto it = std::find(names.begin(), names.end(), "CSV");
        if (it == names.end()) it = std::find_if(names.begin(), names.end(), isCsvFolderName);
        if (it != names.end()) scanCsvFolder(folder / *it, dataType, date);
    }
    void scanDataTypeFolder(const fs::path& folder, const std::string& dataType) {
        for (const std::string& date : listNames(folder, true))
            scanDateFolder(folder / date, asciiUpper(dataType), date);
    }
};

std::string nameOf(const fs::path& p) { return p.filename().string(); }

// The memory number the meter put into a file name: the last run of digits before
// the extension ("M0012.csv" → 12); none when the name holds no digit.
std::optional<unsigned long long> memoryNumber(std::string_view name) {
    const size_t dot = name.rfind('.');
    std::string_view stem = name.substr(0, dot);
    size_t end = stem.size();
    while (end > 0 && !isDigit(stem[end - 1])) --end;
    if (end == 0) return std::nullopt;
    size_t begin = end;
    while (begin > 0 && isDigit(stem[begin - 1])) --begin;
    unsigned long long value = 0;
    for (size_t i = begin; i < end; ++i) {
        if (value > (~0ULL - 9) / 10) return ~0ULL;  // beyond any memory: last
        value = value * 10 + static_cast<unsigned>(stem[i] - '0');
    }
    return value;
}

// The meter's memory order: by the number in the file name, then by date, SINGLE and
// MULTI mixed; names without a number after those with one.
bool memoryOrderLess(const LocationTableRow& a, const LocationTableRow& b) {
    const auto na = memoryNumber(a[kColFileName]), nb = memoryNumber(b[kColFileName]);
    if (na.has_value() != nb.has_value()) return na.has_value();
    if (na && *na != *nb) return *na < *nb;
    if (a[kColDate] != b[kColDate]) return naturalLess(a[kColDate], b[kColDate]);
    if (a[kColFileName] != b[kColFileName]) return naturalLess(a[kColFileName], b[kColFileName]);
    return a[kColDataType] < b[kColDataType];
}

}  // namespace

bool naturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            size_t i0 = i, j0 = j;
            while (i0 < a.size() && a[i0] == '0') ++i0;
            while (j0 < b.size() && b[j0] == '0') ++j0;
            size_t i1 = i0, j1 = j0;
            while (i1 < a.size() && isDigit(a[i1])) ++i1;
            while (j1 < b.size() && isDigit(b[j1])) ++j1;
            if (i1 - i0 != j1 - j0) return i1 - i0 < j1 - j0;
            int c = a.compare(i0, i1 - i0, b, j0, j1 - j0);
            if (c != 0) return c < 0;
            i = i1;
            j = j1;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    return a < b;  // equal in value ("01" and "1"): keep a fixed order
}

MeterFolderScan scanMeterFolder(const fs::path& chosen) {
    Walker walker;
    fs::path folder = chosen.lexically_normal();
    if (folder.has_relative_path() && !folder.has_filename()) folder = folder.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return {};

    std::vector<std::string> children = listNames(folder, true);
    bool holdsDataTypes = std::any_of(children.begin(), children.end(), isDataTypeName);
    fs::path parent = folder.parent_path();
    fs::path grandparent = parent.parent_path();
    if (holdsDataTypes) {
        // One folder per kind: the exact name first, else the first in another case
        // ("SINGLE" and "single" side by side would give the same rows twice).
        for (const char* type : {"MULTI", "SINGLE"}) {
            auto it = std::find(children.begin(), children.end(), type);
            if (it == children.end())
                it = std::find_if(children.begin(), children.end(),
                                  [&](const std::string& n) { return equalsIgnoringAsciiCase(n, type); });
            if (it != children.end()) walker.scanDataTypeFolder(folder / *it, type);
        }
    } else if (isDataTypeName(nameOf(folder))) {
        walker.scanDataTypeFolder(folder, nameOf(folder));
    } else if (isDataTypeName(nameOf(parent))) {
        walker.scanDateFolder(folder, asciiUpper(nameOf(parent)), nameOf(folder));
    } else if (isCsvFolderName(nameOf(folder)) && isDataTypeName(nameOf(grandparent))) {
        walker.scanCsvFolder(folder, asciiUpper(nameOf(grandparent)), nameOf(parent));
    }
    std::stable_sort(walker.result.files.begin(), walker.result.files.end(), memoryOrderLess);
    return std::move(walker.result);
}

std::vector<LocationTableRow> rowsNotYetListed(const std::vector<LocationTableRow>& existing,
                                               const std::vector<LocationTableRow>& scanned) {
    using Key = std::tuple<std::string, std::string, std::string, std::string>;
    auto keyOf = [](const LocationTableRow& r) {
        return Key(r[kColDataType], r[kColDate], r[kColFileType], r[kColFileName]);
    };
    std::set<Key> listed;
    for (const LocationTableRow& r : existing) listed.insert(keyOf(r));
    std::vector<LocationTableRow> out;
    size_t next = existing.size() + 1;
    for (const LocationTableRow& r : scanned) {
        if (!listed.insert(keyOf(r)).second) continue;
        LocationTableRow row = r;
        row[kColNo] = std::to_string(next++);
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace mireva
