#include "settings/report_settings.h"

#include <utility>

#include "core/cp932.h"

namespace mireva {

namespace {

constexpr const char* kStandardKeys[kStandardValueCount] = {
    "CATV",     "CATVUP", "UHF",   "BSCS",  "BSLCSL", "LTE", "JCSAT3A", "JCSAT3AH", "JCSAT4B",
    "JCSAT4BH", "SCCB",   "SCCBH", "SCCCH", "SCCC",   "FM",  "SKYP",    "PILOT",
};

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

ReportSettings ReportSettings::defaults() {
    ReportSettings s;
    s.printData2.report = sj("報告書").bytes;
    s.printData2.footer = sj("ＯＲＶＡＮＥ株式会社").bytes;
    s.format1 = sj("フォーマット１").bytes;
    s.format2 = sj("フォーマット２").bytes;
    s.standardValues.fill("0.0");
    return s;
}

const char* standardValueKey(int k) { return kStandardKeys[k]; }

const std::string& broadcasterKey(int channelIndex) {
    static const std::array<std::string, kChannelCount> keys = [] {
        std::array<std::string, kChannelCount> k;
        // The bands whose channel names repeat in other bands carry a prefix in the key,
        // chosen by the meter's BAND text of the channel.
        const std::pair<std::string, const char*> prefixes[] = {
            {sj("地上デジタル").bytes, "UHF"}, {"JCSAT-3A", "3A "}, {"JCSAT-4B", "4B "}, {"SCC-B", "SCC-B "}};
        const ChannelCatalog& catalog = ChannelCatalog::instance();
        for (int c = 0; c < kChannelCount; ++c) {
            const ChannelEntry& channel = catalog.channel(c);
            std::string prefix;
            for (const auto& [band, text] : prefixes)
                if (channel.band == band) prefix = text;
            k[c] = prefix + channel.name;
        }
        return k;
    }();
    return keys[channelIndex];
}

const std::array<int, kChannelCount>& broadcasterKeyOrder() {
    static const std::array<int, kChannelCount> order = [] {
        std::array<int, kChannelCount> o{};
        const ChannelCatalog& catalog = ChannelCatalog::instance();
        int n = 0;
        auto addGroup = [&](int g) {
            const BandGroup& group = catalog.group(g);
            for (int i = 0; i < group.count; ++i) o[n++] = group.first + i;
        };
        addGroup(0);
        addGroup(1);  // BS right-hand
        addGroup(3);  // BS left-hand
        addGroup(2);  // CS right-hand
        addGroup(4);  // CS left-hand
        for (int g = 5; g < kBandGroupCount; ++g) addGroup(g);
        return o;
    }();
    return order;
}

std::string_view cutToCharacters(std::string_view cp932, size_t maxChars) {
    size_t pos = 0;
    size_t chars = 0;
    while (pos < cp932.size() && chars < maxChars) {
        size_t width = isLeadByte(static_cast<unsigned char>(cp932[pos])) && pos + 1 < cp932.size() ? 2 : 1;
        pos += width;
        ++chars;
    }
    return cp932.substr(0, pos);
}

}  // namespace mireva
