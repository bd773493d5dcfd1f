#include "standards/standard_values.h"

#include "core/cp932.h"
#include "settings/settings_file.h"

namespace mireva {

const std::array<int, kStandardValueCount> kStandardValidationOrder = {
    kStdUhf,  kStdBsCs,  kStdBsLCsL, kStdCatv, kStdCatvUp, kStdJcsat3a, kStdJcsat3aH, kStdJcsat4b, kStdJcsat4bH,
    kStdSccB, kStdSccBH, kStdSccCH,  kStdSccC, kStdLte,    kStdFm,      kStdSkyp,     kStdPilot,
};

StandardValues readStandardValues(const std::filesystem::path& settingsPath) {
    ReportSettings settings = ReportSettings::defaults();
    SettingsFile(settingsPath).readStandardValues(settings);
    return settings.standardValues;
}

const Sj& standardValueLabel(int key) {
    static const std::array<Sj, kStandardValueCount> labels = {
        sj("CATV"),
        sj("CATV上り"),
        sj("地デジ"),
        sj("BS（右旋）/110度CS（右旋）"),
        sj("BS（左旋）/110度CS（左旋）"),
        sj("LTE"),
        sj("JCSAT-3A（垂直）"),
        sj("JCSAT-3A（水平）"),
        sj("JCSAT-4B（垂直）"),
        sj("JCSAT-4B（水平）"),
        sj("SCC-B（垂直）"),
        sj("SCC-B（水平）"),
        sj("SCC-C（水平）"),
        sj("SCC-C（垂直）"),
        sj("FM"),
        sj("スカパー！プレミアム光"),
        sj("PILOT"),
    };
    return labels[key];
}

namespace {

// Standard value of each of the 19 band groups of the catalog.
constexpr int kKeyOfGroup[kBandGroupCount] = {
    kStdUhf,      kStdBsCs,    kStdBsCs,     kStdBsLCsL,  kStdBsLCsL, kStdCatv, kStdCatvUp,
    kStdJcsat3aH, kStdJcsat3a, kStdJcsat4bH, kStdJcsat4b, kStdSccBH,  kStdSccB, kStdSccCH,
    kStdSccC,     kStdLte,     kStdFm,       kStdSkyp,    kStdPilot,
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int standardKeyOfChannel(int channelIndex) { return kKeyOfGroup[ChannelCatalog::instance().groupOf(channelIndex)]; }

const std::string& judgementBandLabel(int channelIndex) {
    static const std::array<std::string, kStandardValueCount> labels = [] {
        std::array<std::string, kStandardValueCount> l;
        for (int k = 0; k < kStandardValueCount; ++k) l[k] = standardValueLabel(k).bytes;
        l[kStdJcsat3a] = sj("JCSAT-3A(垂直)").bytes;
        l[kStdJcsat3aH] = sj("JCSAT-3A(水平)").bytes;
        l[kStdJcsat4b] = sj("JCSAT-4B(垂直)").bytes;
        l[kStdJcsat4bH] = sj("JCSAT-4B(水平)").bytes;
        l[kStdSccB] = sj("SCC-B(垂直)").bytes;
        l[kStdSccBH] = sj("SCC-B(水平)").bytes;
        l[kStdSccC] = sj("SCC-C(垂直)").bytes;
        l[kStdSccCH] = sj("SCC-C(水平)").bytes;
        return l;
    }();
    return labels[standardKeyOfChannel(channelIndex)];
}

std::optional<Sj> validateStandardValue(std::string_view text, SjView label) {
    if (text.empty()) return label + sj("の基準値に値が入力されていません。");
    for (char c : text)
        if (!isDigit(c) && c != '.') return label + sj("の基準値に半角数値またはピリオド以外の文字が含まれています。");
    if (text.front() == '.') return label + sj("の基準値の１文字目は数字を入力してください。");
    return std::nullopt;
}

std::vector<Sj> validateStandardValues(const StandardValues& values) {
    std::vector<Sj> messages;
    for (int key : kStandardValidationOrder)
        if (auto message = validateStandardValue(values[key], standardValueLabel(key))) messages.push_back(*message);
    return messages;
}

}  // namespace mireva
