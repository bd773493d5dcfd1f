// fuzz-libs: mireva_ingest
// The location table reader on arbitrary bytes: every place and the path of each item.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ingest/location_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static mireva::LocationTable table;
    table.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    mireva::PlaceItems place;
    size_t items = 0;
    while (table.nextPlace(place)) {
        for (int no : place.numbers) {
            mireva::ItemPath path = table.resolveItemPath(no);
            items += path.relative.size();
        }
        if (place.numbers.empty() || place.name.empty()) __builtin_trap();
    }
    (void)items;
    return 0;
}
