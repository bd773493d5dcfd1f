#include "charts/ui/level_chart_image.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include "uikit/qt_text.h"
#include "charts/ui/level_chart_renderer.h"
#include "core/file_io.h"

namespace mireva::ui {
namespace {
// Charts are flat colours: the fastest zlib level (Qt's PNG quality 80 gives level 1)
// compresses them almost as well as the default and several times faster.
constexpr int kPngQuality = 80;

// Grey levels kept for the edges of antialiased texts, which are black on white.
constexpr int kGreyLevels = 64;

// The chart with a palette: a file a quarter the size of RGB to filter and compress,
// and several times faster to write. Greys (the texts' edges) are kept in 64 levels,
// every other colour exactly; a null image when a drawing holds more colours than
// the palette has room for, so the caller writes it in full colour instead.
QImage withPalette(const QImage& image) {
    QList<QRgb> palette;
    palette.reserve(256);
    for (int i = 0; i < kGreyLevels; ++i) {
        const int g = i * 255 / (kGreyLevels - 1);
        palette.push_back(qRgb(g, g, g));
    }
    // Open addressing over the other colours, keyed by their RGB value.
    constexpr int kSlots = 512;
    QRgb keys[kSlots];
    unsigned char indexes[kSlots];
    bool used[kSlots] = {};
    QImage out(image.size(), QImage::Format_Indexed8);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* row = out.scanLine(y);
        QRgb last = 0xffffffff;  // never an RGB32 pixel here: alpha is ff, so compare RGB only
        uchar lastIndex = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = in[x] & 0xffffff;
            if (c == last) {
                row[x] = lastIndex;
                continue;
            }
            const int r = qRed(c), g = qGreen(c), b = qBlue(c);
            uchar index;
            if (r == g && g == b) {
                index = static_cast<uchar>((r * (kGreyLevels - 1) + 127) / 255);
            } else {
                unsigned h = (c * 2654435761u) >> 23;  // 9 bits
                while (used[h] && keys[h] != c) h = (h + 1) & (kSlots - 1);
                if (!used[h]) {
                    if (palette.size() >= 256) return {};
                    used[h] = true;
                    keys[h] = c;
                    indexes[h] = static_cast<unsigned char>(palette.size());
                    palette.push_back(qRgb(r, g, b));
                }
                index = indexes[h];
            }
            row[x] = index;
            last = c;
            lastIndex = index;
        }
    }
    out.setColorTable(palette);
    return out;
}
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
        const QImage image = levelChartImage(model);
        const QImage indexed = withPalette(image);
        if (!writer.write(indexed.isNull() ? image : indexed)) return {};
    } else {
        const QSize size = levelChartImageSize(model);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(fromSj(SjView{model.title}));
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
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    // Printed as the window shows it at 96 dpi, scaled to the printer's resolution.
    const double unit = printer.resolution() / 96.0;
    paintLevelChart(painter, QRectF(QPointF(0, 0), page.size()), model, unit);
    return painter.end();
}

}  // namespace mireva::ui
