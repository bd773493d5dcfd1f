#include "uikit/japanese_ui.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace mireva::ui {
namespace {

// Qt's own texts are Japanese even where the desktop's locale is plain C.
TEST(QtTranslations, StandardDialogsSpeakJapaneseUnderACLocale) {
    QLocale::setDefault(QLocale::c());
    ASSERT_TRUE(installJapaneseUi(*QCoreApplication::instance()));

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    struct Case {
        QMessageBox::StandardButton button;
        const char* text;
    } cases[] = {
        {QMessageBox::Yes, "はい"},
        {QMessageBox::No, "いいえ"},
        {QMessageBox::Cancel, "キャンセル"},
        {QMessageBox::Ok, "OK"},
    };
    for (const Case& c : cases) {
        QString shown = box.button(c.button)->text();
        shown.remove(QLatin1Char('&'));
        EXPECT_TRUE(shown.startsWith(QString::fromUtf8(c.text))) << shown.toStdString();
    }

    QPrintPreviewDialog preview;
    QStringList texts;
    for (QAction* a : preview.findChildren<QAction*>()) texts << a->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("次のページ"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Next page")));
}

}  // namespace
}  // namespace mireva::ui
