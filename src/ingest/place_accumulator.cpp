#include "ingest/place_accumulator.h"

namespace mireva {

void PlaceAccumulator::clear() {
    date.clear();
    time.clear();
    place.clear();
    modeBits = 0;
    offsetsText = ChannelCatalog::instance().initialOffsetsText();
    for (auto& row : values)
        for (std::string& text : row) text.clear();
}

}  // namespace mireva
