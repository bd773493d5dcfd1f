#include "ingest/location_table.h"

#include <unordered_map>

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/text.h"

namespace mireva {
namespace {

bool inRange(long long no) { return no >= 1 && no <= kMaxItemNumber; }

}  // namespace

bool LocationTable::load(const std::filesystem::path& path) {
    std::string content;
    if (!readWholeFile(path, content)) {
        parse({});
        return false;
    }
    parse(content);
    return true;
}

void LocationTable::parse(std::string_view content) {
    items_.clear();
    lastLineOfNo_.assign(kMaxItemNumber, -1);
    used_.assign(kMaxItemNumber, 0);
    scan_ = 0;
    placeLines_.clear();
    placeOfLine_.clear();
    std::unordered_map<std::string, int> placeIndex;
    LineCursor cursor(content);
    std::string_view line;
    if (!cursor.next(line)) return;  // the header, whatever it holds
    while (cursor.next(line)) {
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
        if (inRange(item.no)) lastLineOfNo_[item.no - 1] = static_cast<int>(items_.size());
        std::string key = std::to_string(item.placement1.size()) + ':' + item.placement1 + item.placement2;
        auto [it, added] = placeIndex.try_emplace(std::move(key), static_cast<int>(placeLines_.size()));
        if (added) placeLines_.emplace_back();
        placeLines_[it->second].push_back(static_cast<int>(items_.size()));
        placeOfLine_.push_back(it->second);
        items_.push_back(std::move(item));
    }
}

bool LocationTable::nextPlace(PlaceItems& place) {
    place.numbers.clear();
    place.name.clear();
    while (scan_ < items_.size()) {
        const LocationItem& first = items_[scan_++];
        if (!inRange(first.no) || used_[first.no - 1]) continue;
        used_[first.no - 1] = 1;
        if (first.placement1.empty()) continue;  // used up, no place
        place.numbers.push_back(static_cast<int>(first.no));
        place.name = first.placement1 + first.placement2;
        // Every later unused line of the same place joins it in table order (earlier
        // lines are all used or out of range).
        for (int i : placeLines_[placeOfLine_[scan_ - 1]]) {
            if (static_cast<size_t>(i) < scan_) continue;
            const LocationItem& item = items_[i];
            if (!inRange(item.no) || used_[item.no - 1]) continue;
            used_[item.no - 1] = 1;
            place.numbers.push_back(static_cast<int>(item.no));
        }
        return true;
    }
    return false;
}

ItemPath LocationTable::resolveItemPath(int no) const {
    ItemPath result;
    if (!inRange(no) || lastLineOfNo_[no - 1] < 0) return result;
    const LocationItem& item = items_[lastLineOfNo_[no - 1]];
    result.skip = !(contains(item.dataType, "SINGLE") || contains(item.dataType, "MULTI")) ||
                  !contains(item.fileType, "CSV");
    result.components = {item.dataType, item.date, item.fileType, item.fileName};
    result.relative = item.dataType + '/' + item.date + '/' + item.fileType + '/' + item.fileName;
    return result;
}

}  // namespace mireva
