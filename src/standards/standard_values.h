// The 17 standard values: one reference level (dBμV) per band and polarisation,
// stored as the texts the user typed (section StandardValue of Mireva.ini), their
// validation, their numeric value, and which channels each governs.
// Texts are code page 932 bytes; indexes are the StandardKey order of ReportSettings.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/report_settings.h"
#include "core/sj.h"

namespace mireva {

using StandardValues = std::array<std::string, kStandardValueCount>;

// The 17 texts of the settings file (defaults "0.0" for missing keys); read afresh
// at each call, as every judgement does.
StandardValues readStandardValues(const std::filesystem::path& settingsPath);

// Order in which the dialog validates its edits (and reports faults).
extern const std::array<int, kStandardValueCount> kStandardValidationOrder;

// Label of a standard value in the dialog and in its messages ("地デジ", "JCSAT-3A（垂直）").
const Sj& standardValueLabel(int key);

// Standard value that governs a channel (channels 252-265 go with JCSAT3AH, ...).
int standardKeyOfChannel(int channelIndex);

// Band label of a channel in the judgement list ("JCSAT-3A(水平)", ASCII parentheses
// for the satellite halves).
const std::string& judgementBandLabel(int channelIndex);

// The numeric value of a standard value text is leadingDecimal (core/text.h), the
// same reader the levels it is compared with go through: "50.5.1" gives 50.5, "50."
// gives 50, "" and "abc" give 0.

// The message for a faulty value with the given label, or nothing when it is
// accepted: empty, a character other than an ASCII digit or ".", or "." first.
std::optional<Sj> validateStandardValue(std::string_view text, SjView label);

// Every faulty value's message in validation order; empty when all are accepted.
std::vector<Sj> validateStandardValues(const StandardValues& values);

}  // namespace mireva
