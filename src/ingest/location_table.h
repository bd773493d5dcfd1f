// The measurement location table: one line per stored meter file (NO, DATA_TYPE, DATE,
// FILE_TYPE, FILE_NAME, PLACEMENT1, PLACEMENT2) naming the place where it was taken.
// The table is read once per run and places and items are resolved from memory, with
// the same results as scanning the file again for every place and every item.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mireva {

inline constexpr int kMaxItemNumber = 100000;

struct LocationItem {
    long long no = 0;  // as read (leading blanks allowed, trailing characters ignored)
    std::string dataType, date, fileType, fileName, placement1, placement2;
};

struct PlaceItems {
    std::vector<int> numbers;  // NO values in table order
    std::string name;          // PLACEMENT1 followed directly by PLACEMENT2
};

struct ItemPath {
    std::string relative;  // DATA_TYPE/DATE/FILE_TYPE/FILE_NAME, code page 932, as written
    std::vector<std::string> components;
    bool skip = false;     // data logger, PNG or MP4: not a measurement file
};

class LocationTable {
public:
    // False when the file cannot be opened or read.
    bool load(const std::filesystem::path& path);
    // Reads a table held in memory (line 1 is the header and is skipped).
    void parse(std::string_view content);

    const std::vector<LocationItem>& items() const { return items_; }

    // The next place in table order: true with its items, false when no place is left.
    // A line whose PLACEMENT1 is empty is used up without forming a place; a line whose
    // NO lies outside 1..100000 can be neither marked nor resolved and is never taken.
    bool nextPlace(PlaceItems& place);

    // Path and skip verdict of one NO; the last line carrying the NO decides. A NO that
    // no line carries gives an empty path and no skip verdict.
    ItemPath resolveItemPath(int no) const;

private:
    std::vector<LocationItem> items_;
    std::vector<int> lastLineOfNo_;    // index NO-1 -> last line index, -1 when none
    std::vector<unsigned char> used_;  // index NO-1
    // Lines of each place (PLACEMENT1, PLACEMENT2) in table order, and each line's place.
    std::vector<std::vector<int>> placeLines_;
    std::vector<int> placeOfLine_;
    size_t scan_ = 0;                  // lines before it are all used or out of range
};

}  // namespace mireva
