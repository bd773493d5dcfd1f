#include "settings/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/data_locations.h"
#include "core/error_reason.h"
#include "core/file_io.h"
#include "core/text.h"

namespace mireva {
namespace fs = std::filesystem;

namespace {

std::string_view trimBlanks(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && (s[b] == ' ' || s[b] == '\t')) ++b;
    size_t e = s.size();
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

// One line of the file with its own line end ("\r\n", "\n" or none for a last line
// without one), so untouched lines are written back exactly.
struct ProfileLine {
    std::string text;
    std::string eol;
};

enum class LineKind { Other, Section, Key };

struct LineInfo {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

LineInfo classify(std::string_view text) {
    LineInfo info;
    std::string_view t = trimBlanks(text);
    if (t.empty() || t.front() == ';') return info;
    // A section line holds its name in square brackets; a "[" without its "]" (a note
    // such as "[checked") starts no section and is read like any other line.
    const size_t close = t.front() == '[' ? t.find(']') : std::string_view::npos;
    if (close != std::string_view::npos) {
        info.kind = LineKind::Section;
        info.name = trimBlanks(t.substr(1, close - 1));
        return info;
    }
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) return info;
    info.kind = LineKind::Key;
    info.name = trimBlanks(t.substr(0, eq));
    info.value = trimBlanks(t.substr(eq + 1));
    return info;
}

std::vector<ProfileLine> splitProfile(std::string_view content) {
    std::vector<ProfileLine> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t lf = content.find('\n', pos);
        if (lf == std::string_view::npos) {
            lines.push_back({std::string(content.substr(pos)), ""});
            break;
        }
        size_t end = lf;
        std::string eol = "\n";
        if (end > pos && content[end - 1] == '\r') {
            --end;
            eol = "\r\n";
        }
        lines.push_back({std::string(content.substr(pos, end - pos)), eol});
        pos = lf + 1;
    }
    return lines;
}

// The keys of the first section named `section`, upper-cased, first occurrence of
// each key only.
using SectionValues = std::unordered_map<std::string, std::string>;

SectionValues sectionValues(std::string_view content, std::string_view section) {
    SectionValues values;
    bool inSection = false;
    bool seen = false;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t lf = content.find('\n', pos);
        std::string_view line = content.substr(pos, lf == std::string_view::npos ? std::string_view::npos : lf - pos);
        pos = lf == std::string_view::npos ? content.size() : lf + 1;
        LineInfo info = classify(line);
        if (info.kind == LineKind::Section) {
            if (inSection) break;
            if (!seen && equalsIgnoringAsciiCase(info.name, section)) inSection = seen = true;
        } else if (inSection && info.kind == LineKind::Key) {
            values.emplace(asciiUpper(info.name), std::string(info.value));
        }
    }
    return values;
}

struct KeyValue {
    std::string key;
    std::string value;
};

std::string oneLine(std::string_view value) {
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

// Applies the private-profile write rule for a whole section to the file's lines.
void writeSection(std::vector<ProfileLine>& lines, std::string_view section, const std::vector<KeyValue>& keys) {
    size_t header = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        LineInfo info = classify(lines[i].text);
        if (info.kind == LineKind::Section && equalsIgnoringAsciiCase(info.name, section)) {
            header = i;
            break;
        }
    }
    if (header == lines.size()) {
        if (!lines.empty()) {
            if (lines.back().eol.empty()) lines.back().eol = "\r\n";
            if (!trimBlanks(lines.back().text).empty()) lines.push_back({"", "\r\n"});
        }
        lines.push_back({"[" + std::string(section) + "]", "\r\n"});
        for (const KeyValue& kv : keys) lines.push_back({kv.key + "=" + oneLine(kv.value), "\r\n"});
        return;
    }
    size_t end = header + 1;
    while (end < lines.size() && classify(lines[end].text).kind != LineKind::Section) ++end;

    for (const KeyValue& kv : keys) {
        std::string text = kv.key + "=" + oneLine(kv.value);
        bool replaced = false;
        for (size_t i = header + 1; i < end; ++i) {
            LineInfo info = classify(lines[i].text);
            if (info.kind == LineKind::Key && equalsIgnoringAsciiCase(info.name, kv.key)) {
                lines[i].text = std::move(text);
                replaced = true;
                break;
            }
        }
        if (replaced) continue;
        // After the last non-blank line of the section, so blank lines that separate
        // it from the next section stay where they are.
        size_t at = end;
        while (at > header + 1 && trimBlanks(lines[at - 1].text).empty()) --at;
        if (lines[at - 1].eol.empty()) lines[at - 1].eol = "\r\n";
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), ProfileLine{std::move(text), "\r\n"});
        ++end;
    }
}

bool rewrite(const fs::path& path, std::string_view section, const std::vector<KeyValue>& keys, std::string* error) {
    std::string content;
    if (!readWholeFile(path, content)) {
        const int readError = errno;
        // A file that exists but cannot be read must not be replaced by one holding
        // only this section: the other sections would be lost.
        std::error_code ec;
        if (fs::exists(path, ec)) {
            if (error) *error = path.string() + ": " + errorReason(readError);
            return false;
        }
        content.clear();
    }
    std::vector<ProfileLine> lines = splitProfile(content);
    writeSection(lines, section, keys);
    std::string out;
    out.reserve(content.size() + keys.size() * 16);
    for (const ProfileLine& line : lines) {
        out += line.text;
        out += line.eol;
    }
    std::string failure;
    if (!replaceFileContent(path, out, &failure)) {
        if (error) *error = failure;
        return false;
    }
    if (error) error->clear();
    return true;
}

std::string valueOf(const SectionValues& values, std::string_view key, std::string_view fallback, size_t capacity) {
    auto it = values.find(asciiUpper(key));
    std::string_view v = it == values.end() ? fallback : std::string_view(it->second);
    return std::string(cutToCharacters(v, capacity));
}

constexpr const char* kPrintData2Keys[kPrintData2Count] = {"REPORT",      "SUBJECT", "TITLE",       "PROPERNAME",
                                                           "MEASUREDATE", "WEATHER", "MEASURENAME", "MEASUREEQUIP",
                                                           "FOOTER",      "ADDNOTE"};

std::array<std::string*, kPrintData2Count> printFields(PrintData2& p) {
    return {&p.report,  &p.subject,     &p.title,        &p.properName, &p.measureDate,
            &p.weather, &p.measureName, &p.measureEquip, &p.footer,     &p.addNote};
}

void fillPrintData2(const std::string& content, ReportSettings& s) {
    SectionValues values = sectionValues(content, "PrintData2");
    ReportSettings d = ReportSettings::defaults();
    auto fields = printFields(s.printData2);
    auto defaults = printFields(d.printData2);
    for (int i = 0; i < kPrintData2Count; ++i) {
        size_t capacity = i == kPrintData2Count - 1 ? kAddNoteCapacity : kPrintDataCapacity;
        *fields[i] = valueOf(values, kPrintData2Keys[i], *defaults[i], capacity);
    }
}

void fillFormatNames(const std::string& content, ReportSettings& s) {
    SectionValues values = sectionValues(content, "FormatName");
    ReportSettings d = ReportSettings::defaults();
    s.format1 = valueOf(values, "FORMAT1", d.format1, kFormatNameCapacity);
    s.format2 = valueOf(values, "FORMAT2", d.format2, kFormatNameCapacity);
}

void fillStandardValues(const std::string& content, ReportSettings& s) {
    SectionValues values = sectionValues(content, "StandardValue");
    for (int k = 0; k < kStandardValueCount; ++k)
        s.standardValues[k] = valueOf(values, standardValueKey(k), "0.0", kStandardValueCapacity);
}

void fillBroadcasterNames(const std::string& content, ReportSettings& s) {
    SectionValues values = sectionValues(content, "BCName");
    for (int c = 0; c < kChannelCount; ++c)
        s.broadcasterNames[c] = valueOf(values, broadcasterKey(c), "", kBroadcasterNameCapacity);
}

}  // namespace

SettingsFile::SettingsFile(fs::path path) : path_(std::move(path)) {}

fs::path SettingsFile::defaultPath() { return DataLocations(DataLocations::perUserFolder()).settingsFile(); }

void SettingsFile::probe() const {
    if (std::FILE* f = std::fopen(path_.c_str(), "ab")) std::fclose(f);
}

std::string SettingsFile::content() const {
    probe();
    std::string content;
    if (!readWholeFile(path_, content)) content.clear();
    return content;
}

void SettingsFile::readPrintData2(ReportSettings& s) const { fillPrintData2(content(), s); }

void SettingsFile::readFormatNames(ReportSettings& s) const { fillFormatNames(content(), s); }

void SettingsFile::readStandardValues(ReportSettings& s) const { fillStandardValues(content(), s); }

void SettingsFile::readBroadcasterNames(ReportSettings& s) const { fillBroadcasterNames(content(), s); }

void SettingsFile::readAll(ReportSettings& s) const {
    const std::string content = this->content();
    fillPrintData2(content, s);
    fillFormatNames(content, s);
    fillStandardValues(content, s);
    fillBroadcasterNames(content, s);
}

bool SettingsFile::writePrintData2(const ReportSettings& s, std::string* error) const {
    ReportSettings copy = s;
    auto fields = printFields(copy.printData2);
    std::vector<KeyValue> keys;
    for (int i = 0; i < kPrintData2Count; ++i) keys.push_back({kPrintData2Keys[i], *fields[i]});
    probe();
    return rewrite(path_, "PrintData2", keys, error);
}

bool SettingsFile::writeFormatNames(const ReportSettings& s, std::string* error) const {
    probe();
    return rewrite(path_, "FormatName", {{"FORMAT1", s.format1}, {"FORMAT2", s.format2}}, error);
}

bool SettingsFile::writeStandardValues(const ReportSettings& s, std::string* error) const {
    std::vector<KeyValue> keys;
    for (int k = 0; k < kStandardValueCount; ++k) keys.push_back({standardValueKey(k), s.standardValues[k]});
    probe();
    return rewrite(path_, "StandardValue", keys, error);
}

bool SettingsFile::writeBroadcasterNames(const ReportSettings& s, std::string* error) const {
    std::vector<KeyValue> keys;
    keys.reserve(kChannelCount);
    for (int c : broadcasterKeyOrder()) keys.push_back({broadcasterKey(c), s.broadcasterNames[c]});
    probe();
    return rewrite(path_, "BCName", keys, error);
}

}  // namespace mireva
