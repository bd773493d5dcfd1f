// fuzz-libs: mireva_channels
// Any preset file: loading a slot never fails or reads out of bounds, and saving a
// slot leaves exactly three lines, the saved text at its place and the other two as
// the old file had them (or their placeholder).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "channels/preset_lines.h"
#include "channels/preset_store.h"
#include "core/file_io.h"
#include "core/text.h"

namespace {
namespace fs = std::filesystem;

const mireva::DataLocations& locations() {
    static const mireva::DataLocations l = [] {
        auto dir = fs::temp_directory_path() / ("mireva-fuzz-presets-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        return mireva::DataLocations(dir);
    }();
    return l;
}

std::string oldLine(const std::string& content, int n, std::string_view placeholder) {
    mireva::LineCursor cursor(content);
    std::string_view line;
    for (int i = 1; i <= n; ++i)
        if (!cursor.next(line)) return std::string(placeholder);
    return std::string(line);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int slot = data[0] % 3 + 1;
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);
    const mireva::PresetFiles files = mireva::PresetFiles::in(locations());

    // The same bytes as each of the three files.
    for (const mireva::PresetFile* f : {&files.checks, &files.names, &files.switches}) {
        if (!mireva::replaceFileContent(f->file, content)) abort();
    }
    mireva::ChannelSettingsState state;
    if (!mireva::loadPreset(files, slot, state)) abort();
    for (const std::string& name : state.names)
        if (name.size() > 2 * mireva::kBroadcasterNameStoredLimit) abort();

    // Saving what was loaded, then reading it back.
    if (!mireva::savePreset(files, slot, state)) abort();
    mireva::ChannelSettingsState again;
    if (!mireva::loadPreset(files, slot, again) || !(again.boxes == state.boxes) || again.ber != state.ber ||
        again.mer != state.mer || again.cn != state.cn)
        abort();

    std::string written;
    if (!mireva::readWholeFile(files.switches.file, written)) abort();
    std::string expected;
    for (int i = 1; i <= 3; ++i) {
        expected += i == slot ? mireva::switchLineOf(state) : oldLine(content, i, mireva::kSwitchPlaceholder);
        expected += "\r\n";
    }
    if (written != expected) abort();
    return 0;
}
