#include "core/channel_catalog.h"

#include <vector>

#include "core/cp932.h"
#include "core/text.h"

namespace mireva {
namespace {

struct GroupSource {
    const char* band;
    int tab;
    const char* label;
};

// The 19 band groups in catalog order (band, tab, worksheet label).
constexpr GroupSource kGroups[kBandGroupCount] = {
    {"地上デジタル", 1, "地上波デジタル"},
    {"BS", 2, "BS（右旋）"},
    {"110°CS", 2, "CS（右旋）"},
    {"BS", 2, "BS(左旋)"},
    {"110°CS", 2, "CS(左旋)"},
    {"CATV", 3, "CATV"},
    {"CATV上り", 4, "CATV上り"},
    {"JCSAT-3A", 5, "JCSAT-3A（水平）"},
    {"JCSAT-3A", 5, "JCSAT-3A（垂直）"},
    {"JCSAT-4B", 6, "JCSAT-4B（水平）"},
    {"JCSAT-4B", 6, "JCSAT-4B（垂直）"},
    {"SCC-B", 7, "SCC-B（水平）"},
    {"SCC-B", 7, "SCC-B（垂直）"},
    {"SCC-C", 7, "SCC-C（水平）"},
    {"SCC-C", 7, "SCC-C（垂直）"},
    {"LTE", 10, "LTE"},
    {"FM", 8, "FM"},
    {"スカパー！プレミアムサービス光", 9, "ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光"},
    {"PILOT", 10, "PILOT"},
};

void addRange(std::vector<std::string>& out, const std::string& prefix, int from, int to, int step = 1) {
    for (int n = from; n <= to; n += step) out.push_back(prefix + std::to_string(n));
}

std::string threeDigits(int n) {
    std::string s = std::to_string(n);
    while (s.size() < 3) s.insert(s.begin(), '0');
    return "H" + s;
}

void addPremium(std::vector<std::string>& out, int from, int to) {
    for (int n = from; n <= to; ++n) out.push_back(threeDigits(n));
}

// Channel names of every group in catalog order.
std::vector<std::vector<std::string>> groupNames() {
    std::vector<std::vector<std::string>> g(kBandGroupCount);
    addRange(g[0], "", 13, 52);
    addRange(g[1], "BS-", 1, 23, 2);
    addRange(g[2], "ND", 2, 26, 2);
    addRange(g[3], "BS-", 2, 24, 2);
    addRange(g[4], "ND", 1, 25, 2);
    addRange(g[5], "", 1, 3);
    addRange(g[5], "C", 13, 22);
    for (int n : {4, 5, 6, 8, 9, 10, 11, 12}) g[5].push_back(std::to_string(n));
    addRange(g[5], "C", 23, 63);
    addRange(g[5], "", 13, 62);
    addRange(g[5], "C", 64, 101);
    addRange(g[6], "UL ", 1, 12);
    addRange(g[7], "K-", 2, 28, 2);
    addRange(g[8], "K-", 1, 27, 2);
    addRange(g[9], "K-", 2, 32, 2);
    addRange(g[10], "K-", 1, 31, 2);
    addRange(g[11], "", 13, 23);
    addRange(g[12], "", 1, 12);
    addRange(g[13], "D", 1, 12);
    addRange(g[14], "D", 13, 24);
    g[15] = {"UL-L", "UL-M", "UL-H", "DL-L", "DL-M", "DL-H"};
    addRange(g[16], "FM ", 1, 12);
    addPremium(g[17], 1, 10);
    g[17].insert(g[17].end(), {"H011", "H-11", "H012", "H-12"});
    addPremium(g[17], 13, 26);
    g[17].insert(g[17].end(), {"H-26", "H027", "H-27", "H028", "H-28"});
    addPremium(g[17], 29, 61);
    g[17].insert(g[17].end(), {"H-61", "H062", "H063", "H-63"});
    addPremium(g[17], 64, 106);
    addRange(g[18], "PL ", 1, 20);
    return g;
}

}  // namespace

const ChannelCatalog& ChannelCatalog::instance() {
    static const ChannelCatalog catalog;
    return catalog;
}

ChannelCatalog::ChannelCatalog() {
    auto names = groupNames();
    int index = 0;
    for (int g = 0; g < kBandGroupCount; ++g) {
        BandGroup& group = groups_[g];
        group.first = index;
        group.count = static_cast<int>(names[g].size());
        group.band = toCp932(kGroups[g].band).bytes;
        group.tab = kGroups[g].tab;
        group.label = toCp932(kGroups[g].label).bytes;
        for (const std::string& name : names[g]) {
            channels_[index] = ChannelEntry{name, group.band, group.tab, g};
            ++index;
        }
    }
    channelAtPosition_.fill(-1);
    for (int c = 0; c < kChannelCount; ++c) channelAtPosition_[c + channels_[c].group + 1] = c;
    for (int c = 0; c < kChannelCount; ++c) lookup_.try_emplace(channels_[c].band + '\x01' + channels_[c].name, c);

    const char* modes[kModeKeyCount][2] = {
        {"UHF", "UHF"},
        {"BS", "BS"},
        {"CS", "CS"},
        {"CATV", "CATV"},
        {"CATV上り", "CATV上り"},
        {"JCSAT-3A", "JCSAT3A"},
        {"JCSAT-4B", "JCSAT4B"},
        {"SCCB", "SCCB"},
        {"SCCC", "SCCC"},
        {"LTE", "LTE"},
        {"FM", "FM"},
        {"ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", "ｽｶﾊﾟｰ!"},
        {"PILOT", "PILOT"},
    };
    for (int i = 0; i < kModeKeyCount; ++i) {
        modeKeys_[i] = ModeKey{1u << i, toCp932(modes[i][0]).bytes, toCp932(modes[i][1]).bytes};
    }

    const char* offsets[kOffsetGroupCount] = {"地ﾃﾞｼﾞ",  "BS/CS", "CATV",   "CATV上り", "JCSAT-3A/4B",
                                              "SCC-B/C", "FM",    "ｽｶﾊﾟｰ!", "LTE",      "PILOT"};
    for (int i = 0; i < kOffsetGroupCount; ++i) {
        offsetLabels_[i] = toCp932(offsets[i]).bytes;
        if (i > 0) initialOffsets_ += ' ';
        initialOffsets_ += offsetLabels_[i] + ":0.0";
    }

    const char* tabs[kBandTabCount] = {"地デジ",   "BS・CS",       "CATV", "CATV上り",       "JCSAT-3A",
                                       "JCSAT-4B", "SCC-B・SCC-C", "FM",   "ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", "LTE・PILOT"};
    for (int i = 0; i < kBandTabCount; ++i) tabLabels_[i] = toCp932(tabs[i]).bytes;

    conversionMark_ = toCp932("(換算)").bytes;
    terrestrialShort_ = toCp932("地デジ").bytes;
}

int ChannelCatalog::displayPosition(int index) {
    // The group of an index is found from the group boundaries, so this needs no instance.
    const ChannelCatalog& cat = instance();
    return index + cat.channels_[index].group + 1;
}

int ChannelCatalog::channelAtDisplayPosition(int position) const {
    if (position < 0 || position >= kDisplayPositionCount) return -1;
    return channelAtPosition_[position];
}

int ChannelCatalog::findChannel(std::string_view name, std::string_view band) const {
    std::string_view normalised = band;
    size_t mark = band.find(conversionMark_);
    if (mark != std::string_view::npos) {
        normalised = band.substr(0, mark);
        if (contains(normalised, terrestrialShort_)) normalised = groups_[0].band;
    }
    // Catalog texts hold no 0x01 byte, so the joined key matches only the same pair.
    thread_local std::string key;
    key.assign(normalised);
    key += '\x01';
    key += name;
    auto it = lookup_.find(key);
    return it == lookup_.end() ? -1 : it->second;
}

unsigned ChannelCatalog::modeBitsOf(std::string_view modeText) const {
    unsigned bits = 0;
    for (const ModeKey& key : modeKeys_)
        if (contains(modeText, key.search)) bits |= key.bit;
    return bits;
}

std::string ChannelCatalog::modeFieldOf(unsigned bits) const {
    std::string out;
    for (const ModeKey& key : modeKeys_) {
        if (bits & key.bit) {
            out += key.worksheetKey;
            out += ' ';
        }
    }
    return out;
}

}  // namespace mireva
