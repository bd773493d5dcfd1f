// Qt's own texts in Japanese whatever the desktop's locale: the buttons of message
// boxes, the file and print dialogs and the print preview's toolbar.
#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "uikit/japanese_ui.h"

namespace mireva::ui {
namespace {

// No Latin letter but a mnemonic's: "はい(&Y)" passes, "&Yes" does not.
bool readsJapanese(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&[A-Z]\\)")));
    for (QChar c : text)
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return false;
    return !text.isEmpty();
}

// Run only as a child of the test below, under the C locale.
TEST(JapaneseUi, DISABLED_QtsOwnTextsUnderTheCurrentLocale) {
    ASSERT_EQ(QLocale::system().language(), QLocale::C);

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));

    QPrinter printer;
    QPrintPreviewDialog preview(&printer);
    QStringList toolbar;
    for (QAction* a : preview.findChildren<QAction*>())
        if (!a->isSeparator() && !a->text().isEmpty()) toolbar << a->text();
    ASSERT_FALSE(toolbar.isEmpty());
    for (const QString& t : toolbar) EXPECT_TRUE(readsJapanese(t)) << t.toStdString();
    EXPECT_TRUE(toolbar.contains(QStringLiteral("次のページ")));
    EXPECT_TRUE(toolbar.contains(QStringLiteral("ページ設定")));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    for (auto label :
         {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept, QFileDialog::Reject})
        EXPECT_TRUE(readsJapanese(files.labelText(label))) << files.labelText(label).toStdString();

    QPrintDialog print(&printer);
    for (QPushButton* b : print.findChildren<QPushButton*>())
        EXPECT_TRUE(readsJapanese(b->text())) << b->text().toStdString();
}

TEST(JapaneseUi, QtsOwnTextsAreJapaneseUnderTheCLocale) {
    ASSERT_TRUE(QFile::exists(qtJapaneseTranslationFile())) << qtJapaneseTranslationFile().toStdString();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) env.insert(name, "C");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(
        QCoreApplication::applicationFilePath(),
        {"--gtest_also_run_disabled_tests", "--gtest_filter=JapaneseUi.DISABLED_QtsOwnTextsUnderTheCurrentLocale"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test."))) << output.toStdString();
}

}  // namespace
}  // namespace mireva::ui
