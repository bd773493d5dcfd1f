#include "support/site_generator.h"

#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/channel_catalog.h"
#include "core/cp932.h"
#include "ingest/aggregation_run.h"

namespace mireva::bench {
namespace fs = std::filesystem;
namespace {

void writeBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.string());
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string format(const char* fmt, double a) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, fmt, a);
    return buffer;
}

class MeterFileMaker {
public:
    explicit MeterFileMaker(unsigned seed) : random_(seed) {}

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    std::string head(const std::string& name, const std::string& date, int second, const std::string& mode,
                     const std::string& item) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", 9 + second / 3600 % 9, second / 60 % 60, second % 60);
        return "測定データ名," + name + "\r\n日付," + date + "\r\n時刻," + time + "\r\n測定モード," + mode +
               "\r\n測定項目," + item + "\r\nレベルオフセット(dB),0.0\r\n";
    }

    std::string level(double lo, double hi) {
        if (chance(0.01)) return "<20.0";
        return format("%.1f", uniform(lo, hi));
    }
    std::string ber() {
        if (chance(0.05)) return "---";
        if (chance(0.7)) return "0.0E+00";
        return format("%.1fE-06", uniform(1.0, 9.9));
    }

    // One terrestrial channel measured layer by layer.
    std::string single(const std::string& name, const std::string& date, int second, int channel) {
        const ChannelCatalog& cat = ChannelCatalog::instance();
        std::string s = head(name, date, second, "UHF", "レベル/CN/BER");
        s += "チャンネル名称,BAND,周波数(MHz),レベル(dBuV),CN(dB),BER,測定階層\r\n";
        std::string freq = format("%.6f", 473.142857 + 6.0 * channel);
        std::string lv = level(48, 72), cn = format("%.1f", uniform(24, 34));
        for (const char* layer : {"A階層", "B階層", "C階層"})
            s += fromCp932(SjView{cat.channel(channel).name}) + ",地上デジタル," + freq + "," + lv + "," + cn + "," +
                 ber() + "," + layer + "\r\n";
        return s;
    }

    // Terrestrial scan plus BS and CS right-hand channels with the local oscillator.
    std::string terrestrialSatellite(const std::string& name, const std::string& date, int second) {
        const ChannelCatalog& cat = ChannelCatalog::instance();
        std::string s = head(name, date, second, "UHF BS/CS", "レベル/CN/BER");
        s += "チャンネル名称,BAND,周波数(MHz),局発周波数(MHz),レベル(dBuV),CN(dB),BER\r\n";
        for (int c = 0; c < 40; c += 4)
            s += fromCp932(SjView{cat.channel(c).name}) + ",地上デジタル," + format("%.6f", 473.142857 + 6.0 * c) +
                 ",," + level(48, 72) + "," + format("%.1f", uniform(24, 34)) + "," + ber() + "\r\n";
        for (int c = 40; c < 65; ++c)
            s += fromCp932(SjView{cat.channel(c).name}) + "," + fromCp932(SjView{cat.channel(c).band}) + "," +
                 format("%.2f", 1049.48 + 19.18 * (c - 40)) + ",10678.00," + level(55, 75) + "," +
                 format("%.1f", uniform(10, 20)) + "," + ber() + "\r\n";
        return s;
    }

    // The whole CATV list.
    std::string catv(const std::string& name, const std::string& date, int second) {
        const ChannelCatalog& cat = ChannelCatalog::instance();
        std::string s = head(name, date, second, "CATV", "レベル/CN/BER");
        s += "チャンネル名称,BAND,周波数(MHz),レベル(dBuV),CN(dB),BER\r\n";
        for (int c = 90; c < 240; ++c)
            s += fromCp932(SjView{cat.channel(c).name}) + ",CATV," + format("%.2f", 90.0 + 6.0 * (c - 90)) + "," +
                 level(60, 82) + "," + format("%.1f", uniform(35, 48)) + "," + ber() + "\r\n";
        return s;
    }

    // JCSAT-3A, LTE, FM and PILOT channels with C/N only.
    std::string mixed(const std::string& name, const std::string& date, int second) {
        const ChannelCatalog& cat = ChannelCatalog::instance();
        std::string s = head(name, date, second, "JCSAT-3A LTE FM PILOT", "レベル/CN");
        s += "チャンネル名称,BAND,周波数(MHz),レベル(dBuV),CN(dB)\r\n";
        auto add = [&](int first, int count) {
            for (int c = first; c < first + count; ++c)
                s += fromCp932(SjView{cat.channel(c).name}) + "," + fromCp932(SjView{cat.channel(c).band}) + "," +
                     format("%.2f", 70.0 + 3.0 * c) + "," + level(40, 70) + "," + format("%.1f", uniform(12, 40)) +
                     "\r\n";
        };
        add(252, 14);
        add(359, 6);
        add(365, 12);
        add(490, 20);
        return s;
    }

private:
    std::mt19937 random_;
};

}  // namespace

void generateSite(const fs::path& folder, int places, unsigned seed) {
    MeterFileMaker maker(seed);
    std::string table = "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n";
    int no = 0;
    const int perFloor = 20;
    for (int p = 0; p < places; ++p) {
        const int floor = p / perFloor + 1;
        const std::string placement1 = std::to_string(floor) + "F";
        const std::string placement2 = std::to_string(floor * 100 + p % perFloor + 1);
        char day[16], date[16];
        std::snprintf(day, sizeof day, "202604%02d", 10 + p / 500 % 18);
        std::snprintf(date, sizeof date, "2026/04/%02d", 10 + p / 500 % 18);
        auto add = [&](const std::string& type, const std::string& fileType, const std::string& ext,
                       const std::string* content) {
            ++no;
            char name[32];
            std::snprintf(name, sizeof name, "%c%05d.%s", type[0], no, ext.c_str());
            table += std::to_string(no) + "," + type + "," + day + "," + fileType + "," + name + "," + placement1 +
                     "," + placement2 + "\r\n";
            if (content) writeBytes(folder / "data" / type / day / fileType / name, *content);
        };
        const int second = p * 97;
        std::string a = maker.single("S", date, second, p % 40);
        add("SINGLE", "CSV", "csv", &a);
        std::string b = maker.terrestrialSatellite("M", date, second + 30);
        add("MULTI", "CSV", "csv", &b);
        std::string c = maker.catv("M", date, second + 60);
        add("MULTI", "CSV", "csv", p % 50 == 49 ? nullptr : &c);  // now and then a file the card lost
        if (p % 4 == 0) {
            std::string d = maker.mixed("M", date, second + 80);
            add("MULTI", "CSV", "csv", &d);
        }
        if (p % 10 == 0) {
            std::string png = "\x89PNG\r\n";
            add("PNG", "PNG", "png", &png);
        }
    }
    writeBytes(folder / "list.csv", toCp932(table).bytes);
}

void generateWorksheet(const fs::path& worksheet, int places, unsigned seed) {
    fs::path site = fs::temp_directory_path() / ("mireva-site-" + std::to_string(::getpid()) + "-" +
                                                 std::to_string(seed) + "-" + std::to_string(places));
    fs::remove_all(site);
    generateSite(site, places, seed);
    RunRecord record;
    record.channelWanted.fill(1);
    record.dataFolder = site / "data";
    record.locationTablePath = site / "list.csv";
    record.errorLogPath = site / "errorlog.csv";
    record.worksheetPath = worksheet;
    int result = aggregationRun(record, nullptr);
    fs::remove_all(site);
    if (result != 0) throw std::runtime_error("cannot aggregate a generated site into " + worksheet.string());
}

}  // namespace mireva::bench
