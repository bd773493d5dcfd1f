#include "ingest/location_table.h"

#include <functional>
#include <unordered_map>
#include <utility>

#include "core/file_io.h"
#include "core/text.h"

namespace mireva {
namespace {

struct PlaceKey {
    std::string_view placement1, placement2;
    bool operator==(const PlaceKey&) const = default;
};

struct PlaceKeyHash {
    size_t operator()(const PlaceKey& k) const {
        std::hash<std::string_view> h;
        return h(k.placement1) * 31 + h(k.placement2);
    }
};

// A line whose DATA_TYPE holds neither "SINGLE" nor "MULTI", or whose FILE_TYPE does
// not hold "CSV": data logger, PNG or MP4 files, which are not aggregated.
bool notAggregatable(std::string_view line) {
    FieldCursor fields(line);
    std::string_view no, dataType, date, fileType;
    fields.next(no);
    fields.next(dataType);
    fields.next(date);
    fields.next(fileType);
    return !(contains(dataType, "SINGLE") || contains(dataType, "MULTI")) || !contains(fileType, "CSV");
}

}  // namespace

bool LocationTable::load(const std::filesystem::path& path) {
    const bool read = readWholeFile(path, content_);
    if (!read) content_.clear();
    index();
    return read;
}

void LocationTable::parse(std::string_view content) {
    content_.assign(content);
    index();
}

void LocationTable::index() {
    // The per-NO entries are allocated once and only the entries of the previous table
    // are cleared, so that reading a small table costs little.
    if (lastLineOfNo_.empty()) {
        lastLineOfNo_.assign(kMaxItemNumber, -1);
        used_.assign(kMaxItemNumber, 0);
    }
    for (int32_t no : touched_) {
        lastLineOfNo_[no - 1] = -1;
        used_[no - 1] = 0;
    }
    touched_.clear();
    lines_.clear();
    placeStart_.clear();
    placeLines_.clear();
    scan_ = 0;

    size_t count = 0;
    for (char c : content_) count += c == '\n';
    lines_.reserve(count + 1);
    touched_.reserve(count + 1);
    std::unordered_map<PlaceKey, int32_t, PlaceKeyHash> places;
    std::vector<int32_t> placeSizes;

    std::string_view all(content_);
    LineCursor cursor(all);
    std::string_view line;
    if (!cursor.next(line)) return;  // the header, whatever it holds
    while (cursor.next(line)) {
        Line l;
        l.start = static_cast<uint32_t>(line.data() - all.data());
        l.length = static_cast<uint32_t>(line.size());
        long long no = leadingInteger(fieldAt(line, 0));
        l.no = no >= 1 && no <= kMaxItemNumber ? static_cast<int32_t>(no) : 0;
        auto [it, added] =
            places.try_emplace(PlaceKey{fieldAt(line, 5), fieldAt(line, 6)}, static_cast<int32_t>(placeSizes.size()));
        if (added) placeSizes.push_back(0);
        l.place = it->second;
        ++placeSizes[l.place];
        if (l.no) {
            const int32_t previous = lastLineOfNo_[l.no - 1];
            if (previous < 0) touched_.push_back(l.no);
            lastLineOfNo_[l.no - 1] = static_cast<int32_t>(lines_.size());
            // Every line of the NO takes part in the skip verdict, not only the last:
            // the last line carries the verdict of all before it.
            l.skip = notAggregatable(line) || (previous >= 0 && lines_[previous].skip);
        }
        lines_.push_back(l);
    }
    placeStart_.assign(placeSizes.size() + 1, 0);
    for (size_t p = 0; p < placeSizes.size(); ++p) placeStart_[p + 1] = placeStart_[p] + placeSizes[p];
    placeLines_.assign(lines_.size(), 0);
    std::vector<int32_t> fill(placeStart_.begin(), placeStart_.end() - 1);
    for (size_t i = 0; i < lines_.size(); ++i) placeLines_[fill[lines_[i].place]++] = static_cast<int32_t>(i);
}

LocationItem LocationTable::item(size_t index) const {
    std::string_view line = text(lines_[index]);
    std::vector<std::string_view> f = splitFields(line);
    auto field = [&f](size_t i) { return i < f.size() ? std::string(f[i]) : std::string(); };
    LocationItem item;
    item.no = leadingInteger(f[0]);
    item.dataType = field(1);
    item.date = field(2);
    item.fileType = field(3);
    item.fileName = field(4);
    item.placement1 = field(5);
    item.placement2 = field(6);
    return item;
}

bool LocationTable::nextPlace(PlaceItems& place) {
    place.numbers.clear();
    place.name.clear();
    while (scan_ < lines_.size()) {
        const Line& first = lines_[scan_++];
        if (!first.no || used_[first.no - 1]) continue;
        used_[first.no - 1] = 1;
        std::string_view line = text(first);
        std::string_view placement1 = fieldAt(line, 5);
        if (placement1.empty()) continue;  // used up, no place
        place.numbers.push_back(first.no);
        place.name.assign(placement1);
        place.name += fieldAt(line, 6);
        // Every later unused line of the same place joins it in table order (earlier
        // lines are all used or out of range).
        for (int32_t k = placeStart_[first.place]; k < placeStart_[first.place + 1]; ++k) {
            const int32_t i = placeLines_[k];
            if (static_cast<size_t>(i) < scan_) continue;
            const Line& other = lines_[i];
            if (!other.no || used_[other.no - 1]) continue;
            used_[other.no - 1] = 1;
            place.numbers.push_back(other.no);
        }
        return true;
    }
    return false;
}

ItemPath LocationTable::resolveItemPath(int no) const {
    ItemPath result;
    if (no < 1 || no > kMaxItemNumber || lastLineOfNo_[no - 1] < 0) return result;
    std::string_view line = text(lines_[lastLineOfNo_[no - 1]]);
    std::string_view dataType = fieldAt(line, 1), fileType = fieldAt(line, 3);
    result.skip = lines_[lastLineOfNo_[no - 1]].skip;
    result.components = {std::string(dataType), std::string(fieldAt(line, 2)), std::string(fileType),
                         std::string(fieldAt(line, 4))};
    result.relative =
        result.components[0] + '/' + result.components[1] + '/' + result.components[2] + '/' + result.components[3];
    return result;
}

}  // namespace mireva
