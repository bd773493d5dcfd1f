#include "charts/ui/level_chart_image.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include "app/qt_text.h"
#include "charts/ui/level_chart_renderer.h"
#include "core/file_io.h"

namespace mireva::ui {
namespace {
// Charts are flat colours: the fastest zlib level compresses them almost as well as
// the default and several times faster.
constexpr int kPngQuality = 90;
}  // namespace

const char* chartImageExtension(ChartImageFormat format) { return format == ChartImageFormat::Svg ? "svg" : "png"; }

std::optional<ChartImageFormat> chartImageFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return ChartImageFormat::Png;
    if (suffix == QLatin1String("svg")) return ChartImageFormat::Svg;
    return std::nullopt;
}

QImage levelChartImage(const LevelChartModel& model) {
    QImage image(levelChartImageSize(model), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintLevelChart(painter, QRectF(QPointF(0, 0), QSizeF(image.size())), model);
    painter.end();
    return image;
}

QByteArray encodeLevelChart(const LevelChartModel& model, ChartImageFormat format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (format == ChartImageFormat::Png) {
        QImageWriter writer(&buffer, "png");
        writer.setQuality(kPngQuality);
        if (!writer.write(levelChartImage(model))) return {};
    } else {
        const QSize size = levelChartImageSize(model);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(fromSj(model.title));
        svg.setDescription(QStringLiteral("Mireva３"));
        QPainter painter;
        if (!painter.begin(&svg)) return {};
        paintLevelChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), model);
        painter.end();
    }
    buffer.close();
    return buffer.data();
}

bool writeLevelChart(const LevelChartModel& model, const std::filesystem::path& path, ChartImageFormat format,
                     std::string* error) {
    const QByteArray bytes = encodeLevelChart(model, format);
    if (bytes.isEmpty()) {
        if (error) *error = "the picture could not be drawn";
        return false;
    }
    return replaceFileContent(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

bool printLevelChart(const LevelChartModel& model, QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    // Printed as the window shows it at 96 dpi, scaled to the printer's resolution.
    const double unit = printer.resolution() / 96.0;
    paintLevelChart(painter, QRectF(QPointF(0, 0), page.size()), model, unit);
    return painter.end();
}

}  // namespace mireva::ui
