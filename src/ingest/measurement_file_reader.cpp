#include "ingest/measurement_file_reader.h"

#include "core/channel_catalog.h"
#include "core/cp932.h"
#include "core/file_io.h"
#include "core/text.h"
#include "ingest/error_log.h"

namespace mireva {
namespace {

// Column numbers of the measurement table, 0 = not present; column 1 is the field
// after the channel name.
struct Columns {
    size_t band = 0, frequency = 0, layer = 0, level = 0, cn = 0, ber = 0, localOsc = 0;
};

struct Texts {
    const std::string& date = sj("日付").bytes;
    const std::string& time = sj("時刻").bytes;
    const std::string& dataName = sj("測定データ名").bytes;
    const std::string& item = sj("測定項目").bytes;
    const std::string& mode = sj("測定モード").bytes;
    const std::string& offset = sj("レベルオフセット(dB)").bytes;
    const std::string& channelName = sj("チャンネル名称").bytes;
    const std::string& bandwidth = sj("帯域幅(MHz)").bytes;
    const std::string& frequency = sj("周波数(MHz)").bytes;
    const std::string& layer = sj("測定階層").bytes;
    const std::string& layerPolarisation = sj("Layer/偏波").bytes;
    const std::string& level = sj("レベル(dBuV)").bytes;
    const std::string& localOsc = sj("局発周波数").bytes;
    const std::string& terrestrial = sj("地上デジタル").bytes;
    const std::string& layerA = sj("A階層").bytes;
    const std::string& layerC = sj("C階層").bytes;
    const Sj& noDate = sj("日付を取得出来ません");
    const Sj& noTime = sj("時刻を取得出来ません");
    const Sj& noMode = sj("測定モードを取得出来ません");
    const Sj& noOffset = sj("レベルオフセットを取得出来ません");
    const Sj& noChannel = sj("チャンネルが見つかりません");
    const Sj& cannotOpen = sj("ファイルを開けません");
};

const Texts& texts() {
    static const Texts t;
    return t;
}

// The fields after the first one of a table header line.
void readHeader(FieldCursor& fields, Columns& columns) {
    const Texts& t = texts();
    std::string_view f;
    while (fields.next(f)) {
        const size_t col = fields.index() - 1;
        // The local oscillator test comes before the frequency test: a meter header
        // "局発周波数(MHz)" names the local oscillator, not a second frequency column.
        if (contains(f, "BAND"))
            columns.band = col;
        else if (contains(f, t.localOsc))
            columns.localOsc = col;
        else if (contains(f, t.frequency))
            columns.frequency = col;
        else if (contains(f, t.layer) || contains(f, t.layerPolarisation))
            columns.layer = col;
        else if (contains(f, t.level))
            columns.level = col;
        else if (contains(f, "CN"))
            columns.cn = col;
        else if (contains(f, "BER"))
            columns.ber = col;
    }
}

// A data line whose first field is `first`; `fields` stands after it.
void readDataLine(std::string_view first, FieldCursor& fields, const Columns& columns, PlaceAccumulator& acc,
                  const ErrorLog& log, SjView fileLabel) {
    if (columns.band == 0) return;  // no table header yet
    const Texts& t = texts();
    std::string_view name = trimSpaces(first);
    int channel = -1;
    std::string_view band;
    // The row's BER value is filed under the row's own layer once the row is read,
    // whichever of the two columns comes first.
    bool berSeen = false;
    std::string_view berValue;
    std::string_view layerValue;
    std::string_view field;
    while (fields.next(field)) {
        const size_t col = fields.index() - 1;
        std::string_view value = trimSpaces(field);
        if (col == columns.band) {
            band = value;
            channel = ChannelCatalog::instance().findChannel(name, band);
            if (channel < 0) {
                log.append(fileLabel, t.noChannel);
                return;
            }
        }
        if (col == columns.layer) layerValue = value;
        if (channel < 0) continue;  // value columns before the band column store nothing
        if (col == columns.frequency) acc.value(BlockRow::Frequency, channel) = value;
        if (col == columns.level && !contains(value, "<") && !contains(value, ">"))
            acc.value(BlockRow::Level, channel) = value;
        if (col == columns.cn) {
            bool merBand = band == t.terrestrial || band == "CATV";
            acc.value(merBand ? BlockRow::Mer : BlockRow::Cn, channel) = value;
        }
        if (col == columns.ber) {
            berSeen = true;
            berValue = value;
        }
        if (col == columns.localOsc) acc.value(BlockRow::LocalOsc, channel) = value;
    }
    if (channel < 0 || !berSeen) return;
    BlockRow row = layerValue == t.layerA ? BlockRow::BerA : layerValue == t.layerC ? BlockRow::BerC : BlockRow::Ber;
    acc.value(row, channel) = berValue;
}

}  // namespace

void readMeasurementContent(std::string_view content, const std::string& placeName, PlaceAccumulator& acc,
                            const ErrorLog& log, SjView fileLabel) {
    const Texts& t = texts();
    acc.place = placeName;
    acc.modeBits = 0;
    Columns columns;
    LineCursor cursor(content);
    std::string_view raw;
    std::string converted;
    while (cursor.next(raw)) {
        // Most lines of a MULTI file are plain ASCII and need no conversion.
        std::string_view line = raw;
        const bool ascii = isAscii(raw);
        if (!ascii) {
            converted = toCp932(raw).bytes;
            line = converted;
        }
        FieldCursor fields(line);
        std::string_view first;
        fields.next(first);
        // The second field of an information line; it stays empty when the line has none.
        std::string_view value;
        // Every information and header text holds Japanese characters, so a first
        // field of plain ASCII (a channel name) can contain none of them.
        if (!first.empty() && (ascii || isAscii(first))) {
            readDataLine(first, fields, columns, acc, log, fileLabel);
        } else if (contains(first, t.date)) {
            bool present = fields.next(value);
            if (present) acc.date = value;
            if (value.empty()) log.append(fileLabel, t.noDate);
        } else if (contains(first, t.time)) {
            bool present = fields.next(value);
            if (present) acc.time = value;
            if (value.empty()) log.append(fileLabel, t.noTime);
        } else if (contains(first, t.dataName) || contains(first, t.item)) {
            continue;
        } else if (contains(first, t.mode)) {
            fields.next(value);
            if (value.empty()) log.append(fileLabel, t.noMode);
            acc.modeBits |= ChannelCatalog::instance().modeBitsOf(value);
        } else if (contains(first, t.offset)) {
            fields.next(value);
            if (value.empty()) log.append(fileLabel, t.noOffset);
        } else if (first.empty()) {
            continue;
        } else if (contains(first, t.channelName) || contains(first, t.bandwidth)) {
            readHeader(fields, columns);
        } else {
            readDataLine(first, fields, columns, acc, log, fileLabel);
        }
    }
}

bool readMeasurementFile(const std::filesystem::path& path, const std::string& placeName, PlaceAccumulator& acc,
                         const ErrorLog& log, SjView fileLabel,
                         const std::function<std::filesystem::path()>& fallback) {
    std::string content;
    bool read = readWholeFile(path, content);
    if (!read && fallback) {
        std::filesystem::path other = fallback();
        read = other != path && readWholeFile(other, content);
    }
    if (!read) {
        log.append(fileLabel, texts().cannotOpen);
        return false;
    }
    readMeasurementContent(content, placeName, acc, log, fileLabel);
    return true;
}

}  // namespace mireva
