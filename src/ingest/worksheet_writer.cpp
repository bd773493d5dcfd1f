#include "ingest/worksheet_writer.h"

#include <cstring>

#include "core/cp932.h"
#include "core/worksheet_file_writer.h"

namespace mireva {
namespace {

// A text the worksheet shows as it stands; empty and "---" become the empty mark.
bool isValue(const std::string& text) { return !text.empty() && !(text.size() == 3 && text == "---"); }

}  // namespace

std::string worksheetHeaderLines(const ChannelWanted& wanted) {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    std::string out = ",,,,,";
    for (int g = 0; g < kBandGroupCount; ++g) {
        const BandGroup& group = catalog.group(g);
        bool labelled = false;
        for (int c = group.first; c < group.first + group.count; ++c) {
            if (!wanted[c]) continue;
            if (!labelled) out += group.label;
            labelled = true;
            out += ',';
        }
    }
    endWorksheetLine(out);
    out += sj("日付,時刻,測定場所,測定モード,レベルオフセット(dB),").bytes;
    for (int c = 0; c < kChannelCount; ++c) {
        if (!wanted[c]) continue;
        out += catalog.channel(c).name;
        out += ',';
    }
    endWorksheetLine(out);
    return out;
}

void appendPlaceBlock(std::string& out, const PlaceAccumulator& acc, const ChannelWanted& wanted,
                      AggregationSummary& summary) {
    static const std::string kSuffixes[kRowsPerPlace] = {sj(":周波数,").bytes, sj(":局発,").bytes, sj(":レベル,").bytes,
                                                         sj(":BER A,").bytes,  sj(":BER,").bytes,  sj(":BER C,").bytes,
                                                         sj(":MER,").bytes,    sj(":C/N,").bytes};
    const std::string mode = acc.modeBits ? ChannelCatalog::instance().modeFieldOf(acc.modeBits) : std::string();
    // A row without any value is the same run of empty marks in every block.
    static const std::string allEmpty = [] {
        std::string s;
        for (int c = 0; c < kChannelCount; ++c) (s += ',') += kEmptyMark;
        return s;
    }();
    bool allWanted = true;
    for (unsigned char w : wanted) allWanted = allWanted && w;
    out.reserve(out.size() + kRowsPerPlace * (allEmpty.size() + 256));
    for (int r = 0; r < kRowsPerPlace; ++r) {
        const BlockRow row = static_cast<BlockRow>(r);
        // The summary rules change nothing for an empty mark except in the MER and C/N
        // rows, so the other rows only report the values they write.
        const bool marksPresence = row == BlockRow::Mer || row == BlockRow::Cn;
        out += acc.date;
        out += ',';
        out += acc.time;
        out += ',';
        out += acc.place;
        out += kSuffixes[r];
        if (acc.modeBits)
            out += mode;
        else if (r == 0)
            out += " - ";
        out += ',';
        out += acc.offsetsText;
        if (allWanted) {
            bool anyValue = false;
            for (const std::string& text : acc.values[r]) anyValue = anyValue || isValue(text);
            if (!anyValue) {
                out += allEmpty;
                if (marksPresence) summary.apply(row, 0, false);
                endWorksheetLine(out);
                continue;
            }
        }
        // Sized once, then copied field by field: this loop writes most of the file.
        size_t length = 0;
        for (int c = 0; c < kChannelCount; ++c) {
            if (!wanted[c]) continue;
            const std::string& text = acc.value(row, c);
            length += 1 + (isValue(text) ? text.size() : sizeof kEmptyMark - 1);
        }
        size_t at = out.size();
        out.resize(at + length);
        char* p = out.data() + at;
        for (int c = 0; c < kChannelCount; ++c) {
            if (!wanted[c]) continue;
            const std::string& text = acc.value(row, c);
            const bool value = isValue(text);
            *p++ = ',';
            if (value) {
                std::memcpy(p, text.data(), text.size());
                p += text.size();
            } else {
                std::memcpy(p, kEmptyMark, sizeof kEmptyMark - 1);
                p += sizeof kEmptyMark - 1;
            }
            if (value || marksPresence) summary.apply(row, c, value);
        }
        endWorksheetLine(out);
    }
}

}  // namespace mireva
