#include "reports/ui/report_face.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

namespace mireva::ui {

QString reportFaceFile(const QString& programDir) {
    const QString program = QFileInfo(programDir).canonicalFilePath();
    const QString tree = QFileInfo(QStringLiteral(MIREVA_BUILD_TREE)).canonicalFilePath();
    if (!tree.isEmpty() && (program == tree || program.startsWith(tree + '/')))
        return QStringLiteral(MIREVA_FACE_BUILD);
    return QDir::cleanPath(programDir + '/' + QStringLiteral(MIREVA_FACE_FROM_BIN));
}

QFont reportBaseFont() {
    static const QFont font = [] {
        const QString file = reportFaceFile(QCoreApplication::applicationDirPath());
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        QFont f;
        if (!families.isEmpty()) {
            f = QFont(families.front());
        } else {
            qWarning("mireva: the report face %s is missing; the PDF text layer may be incomplete", qPrintable(file));
            f = QGuiApplication::font();
            const QString fallback = QStringLiteral("Noto Sans CJK JP");
            if (QFontDatabase::families().contains(fallback)) f = QFont(fallback);
        }
        f.setStyleStrategy(QFont::PreferDefault);
        return f;
    }();
    return font;
}

}  // namespace mireva::ui
