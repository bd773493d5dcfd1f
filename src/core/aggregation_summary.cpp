#include "core/aggregation_summary.h"

#include "core/worksheet_document.h"
#include "core/worksheet_lines.h"

namespace mireva {

void AggregationSummary::apply(BlockRow row, int channelIndex, bool valueWritten) {
    switch (row) {
        case BlockRow::Frequency:
        case BlockRow::LocalOsc:
            return;
        case BlockRow::Mer:
            merPresent = 1;
            break;
        case BlockRow::Cn:
            cnPresent = 1;
            break;
        case BlockRow::BerA:
        case BlockRow::Ber:
        case BlockRow::BerC:
            if (valueWritten) berPresent = 1;
            break;
        case BlockRow::Level:
            break;
    }
    if (valueWritten) {
        channelHasValue[channelIndex] = 1;
        columnHasValue[ChannelCatalog::displayPosition(channelIndex)] = 1;
    }
}

void SummarySets::takeRun(const AggregationSummary& run) {
    current.columnHasValue = run.columnHasValue;
    current.channelHasValue = run.channelHasValue;
    current.berPresent = run.berPresent;
    current.merPresent = run.merPresent;
    current.cnPresent = run.cnPresent;
    savedColumnHasValue = run.columnHasValue;
    savedChannelHasValue = run.channelHasValue;
}

void SummarySets::restoreSaved() {
    current.columnHasValue = savedColumnHasValue;
    current.channelHasValue = savedChannelHasValue;
}

AggregationSummary summaryFromWorksheet(const WorksheetDocument& worksheet) {
    AggregationSummary summary;
    const int places = worksheet.placeCount();
    for (int p = 0; p < places; ++p) {
        for (BlockRow row :
             {BlockRow::Level, BlockRow::BerA, BlockRow::Ber, BlockRow::BerC, BlockRow::Mer, BlockRow::Cn}) {
            forEachChannelField(worksheet.line(p, row), [&](int c, std::string_view v) {
                summary.apply(row, c, !v.empty() && v != kEmptyMark);
            });
        }
    }
    if (places > 0) {
        summary.merPresent = 1;
        summary.cnPresent = 1;
    }
    return summary;
}

bool recomputeChannelPresence(const std::filesystem::path& worksheet, AggregationSummary& current) {
    WorksheetLines file;
    if (!file.load(worksheet)) return false;
    current.channelHasValue.fill(0);
    // Only whole places count.
    for (int place = 0; place < file.placeCount(); ++place) {
        forEachChannelField(file.line(place, BlockRow::Level), [&](int channel, std::string_view value) {
            if (!value.empty() && value != kEmptyMark) current.channelHasValue[channel] = 1;
        });
    }
    return true;
}

}  // namespace mireva
