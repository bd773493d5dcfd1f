// The subcommands that draw (the PDF report, the chart pictures) lay out text, which
// needs a GUI application; a batch run has no display, so it gets the offscreen one.
#pragma once

#include <QGuiApplication>

#include <memory>

namespace mireva::cli {

// A GUI application for this run when there is none yet (kept alive by the caller
// while it draws); null when the process already has one.
std::unique_ptr<QGuiApplication> guiApplicationForDrawing();

}  // namespace mireva::cli
