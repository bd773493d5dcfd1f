// The measurement location table: one line per stored meter file (NO, DATA_TYPE, DATE,
// FILE_TYPE, FILE_NAME, PLACEMENT1, PLACEMENT2) naming the place where it was taken.
// The table is read once per run and places and items are resolved from memory, with
// the same results as scanning the file again for every place and every item. Only the
// table's bytes and a few numbers per line are kept.
#pragma once

#include <cstdint>
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
    bool skip = false;  // data logger, PNG or MP4: not a measurement file
};

class LocationTable {
public:
    // False when the file cannot be opened or read.
    bool load(const std::filesystem::path& path);
    // Reads a table held in memory (line 1 is the header and is skipped).
    void parse(std::string_view content);

    // The item lines after the header, in table order.
    size_t size() const { return lines_.size(); }
    LocationItem item(size_t line) const;

    // The next place in table order: true with its items, false when no place is left.
    // A line whose PLACEMENT1 is empty is used up without forming a place; a line whose
    // NO lies outside 1..100000 can be neither marked nor resolved and is never taken.
    // A line without a PLACEMENT2 field belongs with the lines whose PLACEMENT2 is empty.
    bool nextPlace(PlaceItems& place);

    // Path and skip verdict of one NO: the last line carrying the NO decides the path,
    // and any line carrying it that is not aggregatable sets the verdict. A NO that no
    // line carries gives an empty path and no skip verdict.
    ItemPath resolveItemPath(int no) const;

private:
    struct Line {
        uint32_t start = 0, length = 0;  // in content_, without the line end
        int32_t no = 0;                  // 0 when outside 1..100000
        int32_t place = 0;               // index of its (PLACEMENT1, PLACEMENT2)
        bool skip = false;               // this line or an earlier line of its NO is not aggregatable
    };
    void index();
    std::string_view text(const Line& line) const { return std::string_view(content_).substr(line.start, line.length); }

    std::string content_;
    std::vector<Line> lines_;
    std::vector<int32_t> lastLineOfNo_;  // index NO-1 -> last line index, -1 when none
    std::vector<unsigned char> used_;    // index NO-1
    std::vector<int32_t> touched_;       // NO values whose entries above are set
    // Lines of place p, in table order: placeLines_[placeStart_[p] .. placeStart_[p + 1]).
    std::vector<int32_t> placeStart_, placeLines_;
    size_t scan_ = 0;  // lines before it are all used or out of range
};

}  // namespace mireva
