// Mireva.ini: the settings that persist between runs (report header data, format
// names, standard values, broadcaster names), one INI file in code page 932.
//
// Private-profile semantics: every operation opens, reads or rewrites and closes the
// file by itself. Reading never fails: a missing file, section or key gives the key's
// default, and a longer stored value is cut to its capacity. Writing a section
// replaces each key's value in place when the key exists, appends a missing key after
// the last line of its section and a missing section at the end of the file; every
// other line is kept byte for byte. Section and key names compare without regard to
// ASCII case; the first occurrence of a section or of a key counts. Rewrites go
// through the replace-in-one-step writer, so a failed write leaves the file as it was.
#pragma once

#include <filesystem>
#include <string>

#include "settings/report_settings.h"

namespace mireva {

class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path path);

    // Mireva.ini in the per-user data folder.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return path_; }

    void readPrintData2(ReportSettings& settings) const;
    void readFormatNames(ReportSettings& settings) const;
    void readStandardValues(ReportSettings& settings) const;
    void readBroadcasterNames(ReportSettings& settings) const;
    // All four sections in one reading of the file.
    void readAll(ReportSettings& settings) const;

    // Each writes every key of its section in file order. False, with a text saying
    // what failed in `error`, when the file could not be rewritten; the file then
    // keeps its previous content. Line breaks inside a value are written as blanks,
    // since the file has one value per line.
    bool writePrintData2(const ReportSettings& settings, std::string* error = nullptr) const;
    bool writeFormatNames(const ReportSettings& settings, std::string* error = nullptr) const;
    bool writeStandardValues(const ReportSettings& settings, std::string* error = nullptr) const;
    bool writeBroadcasterNames(const ReportSettings& settings, std::string* error = nullptr) const;

private:
    // Creates the file empty when it is missing (never truncates it).
    void probe() const;
    // The whole file after probe(); empty when it cannot be read.
    std::string content() const;

    std::filesystem::path path_;
};

}  // namespace mireva
