#include "uikit/japanese_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "core/error_reason.h"

namespace mireva::ui {

QString qtJapaneseTranslationFile() {
    return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath(QStringLiteral("qtbase_ja.qm"));
}

bool installJapaneseUi(QCoreApplication& app) {
    // Dates, month names and sizes in Qt's dialogs follow the default locale.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    useJapaneseErrorReasons(true);

    static QTranslator* translator = nullptr;  // one for the process, kept until it ends
    if (translator) return true;
    auto* loaded = new QTranslator(&app);
    if (!loaded->load(qtJapaneseTranslationFile())) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

}  // namespace mireva::ui
