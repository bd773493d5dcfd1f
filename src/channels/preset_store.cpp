#include "channels/preset_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "channels/preset_lines.h"
#include "core/error_reason.h"
#include "core/file_io.h"
#include "core/text.h"

namespace mireva {
namespace fs = std::filesystem;

PresetFiles PresetFiles::in(const DataLocations& locations) {
    return PresetFiles{
        {locations.checklist(), kCheckPlaceholder},
        {locations.bcnamelist(), kNamePlaceholder},
        {locations.bermercnlist(), kSwitchPlaceholder},
    };
}

bool probeChannelSettingsFolder(const DataLocations& locations, std::string* error) {
    std::error_code ec;
    fs::create_directories(locations.folder(), ec);
    std::FILE* probe = std::fopen(locations.checklist().c_str(), "ab");
    if (!probe) {
        if (error) *error = locations.checklist().string() + ": " + errorReason(errno);
        return false;
    }
    std::fclose(probe);
    return true;
}

std::optional<std::string> readPresetLine(const fs::path& file, int n) {
    std::string content;
    if (!readWholeFile(file, content)) return std::nullopt;
    LineCursor cursor(content);
    std::string_view line;
    for (int i = 1; cursor.next(line); ++i)
        if (i == n) return std::string(line);
    return std::string();
}

bool savePresetLine(const PresetFile& file, int n, std::string_view text, std::string* error) {
    if (n < 1 || n > kPresetSlotCount) {
        if (error) *error = file.file.string() + ": no slot " + std::to_string(n);
        return false;
    }
    std::string old;
    if (!readWholeFile(file.file, old)) {
        const int readError = errno;
        std::error_code ec;
        if (fs::exists(file.file, ec) || ec) {
            // There is a file, but its other slots cannot be read: writing now would lose them.
            if (error) *error = file.file.string() + ": " + errorReason(readError);
            return false;
        }
        old.clear();  // no file yet: the other two lines become placeholders
    }
    std::string out;
    LineCursor cursor(old);
    for (int i = 1; i <= kPresetSlotCount; ++i) {
        std::string_view oldLine;
        bool hasOld = cursor.next(oldLine);
        if (i == n)
            out += text;
        else
            out += hasOld ? oldLine : file.placeholder;
        out += "\r\n";
    }
    return replaceFileContent(file.file, out, error);
}

PresetSaveResult savePresetParts(const PresetFiles& files, int slot, const ChannelSettingsState& state) {
    PresetSaveResult result;
    auto save = [&](const PresetFile& file, const std::string& text) {
        std::string e;
        if (savePresetLine(file, slot, text, &e)) return true;
        if (!result.error.empty()) result.error += '\n';
        result.error += e;
        return false;
    };
    result.checks = save(files.checks, checkLineOf(state));
    result.names = save(files.names, nameLineOf(state.names));
    result.switches = save(files.switches, switchLineOf(state));
    return result;
}

bool savePreset(const PresetFiles& files, int slot, const ChannelSettingsState& state, std::string* error) {
    PresetSaveResult result = savePresetParts(files, slot, state);
    if (error) *error = result.error;
    return result.all();
}

bool loadPreset(const PresetFiles& files, int slot, ChannelSettingsState& state) {
    std::optional<std::string> checks = readPresetLine(files.checks.file, slot);
    if (!checks) return false;
    applyCheckLine(*checks, state);
    if (std::optional<std::string> names = readPresetLine(files.names.file, slot)) applyNameLine(*names, state.names);
    if (std::optional<std::string> switches = readPresetLine(files.switches.file, slot))
        applySwitchLine(*switches, state);
    return true;
}

}  // namespace mireva
