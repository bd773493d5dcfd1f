// fuzz-libs: mireva_settings
// Any Mireva.ini: reading never fails, and rewriting one section gives back the
// written values while every other section reads exactly as before.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "core/file_io.h"
#include "settings/settings_file.h"

namespace {
const std::filesystem::path& iniPath() {
    static const std::filesystem::path p = [] {
        auto dir = std::filesystem::temp_directory_path() / ("mireva-fuzz-ini-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir / "Mireva.ini";
    }();
    return p;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mireva;
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (!replaceFileContent(iniPath(), content)) return 0;
    SettingsFile file(iniPath());
    ReportSettings before;
    file.readAll(before);

    ReportSettings written = before;
    for (int k = 0; k < kStandardValueCount; ++k) written.standardValues[k] = std::to_string(k * 7) + ".5";
    if (!file.writeStandardValues(written)) std::abort();

    ReportSettings after;
    file.readAll(after);
    if (after.standardValues != written.standardValues) std::abort();
    if (after.broadcasterNames != before.broadcasterNames || after.format1 != before.format1 ||
        after.format2 != before.format2 || after.printData2.report != before.printData2.report ||
        after.printData2.addNote != before.printData2.addNote || after.printData2.footer != before.printData2.footer)
        std::abort();
    return 0;
}
