// fuzz-libs: mireva_ingest
// The meter file reader on arbitrary bytes, followed by writing the place's block.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ingest/error_log.h"
#include "ingest/measurement_file_reader.h"
#include "ingest/worksheet_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const mireva::ErrorLog log("/dev/null");
    static auto acc = std::make_unique<mireva::PlaceAccumulator>();
    acc->clear();
    mireva::readMeasurementContent(std::string_view(reinterpret_cast<const char*>(data), size), "P", *acc, log,
                                   "fuzz.csv");
    mireva::ChannelWanted wanted;
    wanted.fill(1);
    mireva::AggregationSummary summary;
    std::string block;
    mireva::appendPlaceBlock(block, *acc, wanted, summary);
    return 0;
}
