#include "excel/worksheet_fixture.h"

#include <algorithm>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "core/cp932.h"

namespace mireva::test {

WorksheetDocument makeWorksheet(const WorksheetShape& shape) {
    static const char* const kKinds[] = {"周波数", "局発", "レベル", "BER A", "BER", "BER C", "MER", "C/N"};
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    std::string content = ",,,,,";
    for (int c = 0; c < kChannelCount; ++c) content += ",";
    content += "\r\n" + toCp932("日付,時刻,測定場所,測定モード,レベルオフセット(dB),").bytes;
    for (int c = 0; c < kChannelCount; ++c) content += catalog.channel(c).name + ",";
    content += "\r\n";
    for (int p = 0; p < shape.places; ++p) {
        for (int k = 0; k < 8; ++k) {
            content += toCp932("2026/12/10,10:00:00," + shape.placeName(p) + ":" + kKinds[k] + ",UHF ,").bytes +
                       catalog.initialOffsetsText();
            for (int c = 0; c < kChannelCount; ++c) {
                bool has = std::find(shape.channels.begin(), shape.channels.end(), c) != shape.channels.end();
                std::string v = has ? shape.value(p, k, c) : std::string();
                content += "," + (v.empty() ? std::string(kEmptyMark) : toCp932(v).bytes);
            }
            content += "\r\n";
        }
    }
    WorksheetDocument doc;
    doc.parse(content);
    return doc;
}

}  // namespace mireva::test
