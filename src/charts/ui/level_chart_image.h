// A level chart as a picture file (PNG or SVG) and on a printer, drawn by the one
// renderer the window uses.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <filesystem>
#include <optional>
#include <string>

#include "charts/level_chart_model.h"

class QPrinter;

namespace mireva::ui {

enum class ChartImageFormat { Png, Svg };

// "png" or "svg".
const char* chartImageExtension(ChartImageFormat format);
// The format a file name's extension names (any letter case); nothing for others.
std::optional<ChartImageFormat> chartImageFormatOf(const QString& path);

// The chart drawn on an image of levelChartImageSize().
QImage levelChartImage(const LevelChartModel& model);
// The file's bytes.
QByteArray encodeLevelChart(const LevelChartModel& model, ChartImageFormat format);
// Writes the chart over `path` in one step; false with the reason in `error`.
bool writeLevelChart(const LevelChartModel& model, const std::filesystem::path& path, ChartImageFormat format,
                     std::string* error = nullptr);

// Draws the chart filling one page of the printer (the window offers landscape);
// false when the printer refused the job.
bool printLevelChart(const LevelChartModel& model, QPrinter& printer);

}  // namespace mireva::ui
