#include "standards/ui/set_std_val_dlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {
using test::cp;

class SetStdValDlgTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path ini = dir.dataFolder() / "Mireva.ini";
    test::ScriptedDialogs dialogs;
};

TEST_F(SetStdValDlgTest, OpensWithTheStoredTextsAndDefaults) {
    test::writeFile(ini, cp("[BCName]\r\nUHF13=局\r\n[StandardValue]\r\nCATV=50.\r\nFM=123456\r\n"));
    CSetStdValDlg dlg(ini);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("基準値の設定"));
    EXPECT_EQ(dlg.edit(kStdCatv)->text(), "50.");
    EXPECT_EQ(dlg.edit(kStdFm)->text(), "123456");  // a longer hand-edited value is shown whole
    EXPECT_EQ(dlg.edit(kStdUhf)->text(), "0.0");
    EXPECT_EQ(dlg.edit(kStdPilot)->text(), "0.0");
    EXPECT_EQ(dlg.edit(kStdJcsat3aH)->objectName(), "JCSAT3AH");
}

TEST_F(SetStdValDlgTest, AllValidSavesEverySeventeenKeysAndCloses) {
    CSetStdValDlg dlg(ini);
    dlg.show();
    dlg.edit(kStdUhf)->setText("47");
    dlg.edit(kStdSkyp)->setText("1.2.3");
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(test::readFile(ini),
              "[StandardValue]\r\nCATV=0.0\r\nCATVUP=0.0\r\nUHF=47\r\nBSCS=0.0\r\nBSLCSL=0.0\r\nLTE=0.0\r\n"
              "JCSAT3A=0.0\r\nJCSAT3AH=0.0\r\nJCSAT4B=0.0\r\nJCSAT4BH=0.0\r\nSCCB=0.0\r\nSCCBH=0.0\r\n"
              "SCCCH=0.0\r\nSCCC=0.0\r\nFM=0.0\r\nSKYP=1.2.3\r\nPILOT=0.0\r\n");
}

TEST_F(SetStdValDlgTest, FaultyEditsGiveOneErrorEachInOrderAndNothingIsWritten) {
    test::writeFile(ini, "[StandardValue]\r\nUHF=40\r\n");
    CSetStdValDlg dlg(ini);
    dlg.show();
    dlg.edit(kStdJcsat3a)->setText("");
    dlg.edit(kStdUhf)->setText("4O");
    dlg.edit(kStdCatv)->setText("-3");
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.texts(), QStringList({"地デジの基準値に半角数値またはピリオド以外の文字が含まれています。",
                                            "CATVの基準値に半角数値またはピリオド以外の文字が含まれています。",
                                            "JCSAT-3A（垂直）の基準値に値が入力されていません。"}));
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.edit(kStdUhf)->text(), "4O");  // the edits keep what was typed
    EXPECT_EQ(test::readFile(ini), "[StandardValue]\r\nUHF=40\r\n");
}

TEST_F(SetStdValDlgTest, EnterAndEscapeDoNothing) {
    CSetStdValDlg dlg(ini);
    dlg.show();
    dlg.edit(kStdUhf)->setFocus();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(dlg.edit(kStdUhf), static_cast<Qt::Key>(key));
        QTest::keyClick(&dlg, static_cast<Qt::Key>(key));
    }
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(std::filesystem::file_size(ini), 0u);  // read, never written
}

TEST_F(SetStdValDlgTest, ClosingWithTheCloseBoxSavesNothing) {
    CSetStdValDlg dlg(ini);
    dlg.show();
    dlg.edit(kStdUhf)->setText("60");
    dlg.close();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(std::filesystem::file_size(ini), 0u);
}

TEST_F(SetStdValDlgTest, EditsTakeAtMostFiveCharacters) {
    CSetStdValDlg dlg(ini);
    dlg.show();
    QLineEdit* edit = dlg.edit(kStdCatv);
    edit->clear();
    QTest::keyClicks(edit, "1234567");
    EXPECT_EQ(edit->text(), "12345");

    // A longer value from the file stays whole; it can be shortened, not lengthened.
    test::writeFile(ini, "[StandardValue]\r\nFM=123456\r\n");
    CSetStdValDlg stored(ini);
    stored.show();
    QLineEdit* fm = stored.edit(kStdFm);
    fm->setFocus();
    fm->end(false);
    QTest::keyClicks(fm, "7");
    EXPECT_EQ(fm->text(), "123456");
    QTest::keyClick(fm, Qt::Key_Backspace);
    QTest::keyClicks(fm, "89");
    EXPECT_EQ(fm->text(), "12345");
}

TEST_F(SetStdValDlgTest, TabRunsRowByRowLeftBeforeRightEndingWithOk) {
    CSetStdValDlg dlg(ini);
    const char* expected[] = {"UHF",   "BSCS", "BSLCSL", "CATV", "CATVUP", "JCSAT3AH", "JCSAT3A", "JCSAT4BH", "JCSAT4B",
                              "SCCBH", "SCCB", "SCCCH",  "SCCC", "FM",     "SKYP",     "LTE",     "PILOT"};
    QWidget* w = dlg.edit(kStdUhf);
    for (const char* name : expected) {
        ASSERT_EQ(w->objectName(), name);
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
    }
    EXPECT_EQ(w, dlg.okButton());
}

TEST_F(SetStdValDlgTest, AFailedSaveIsReportedAndTheDialogStaysOpen) {
    test::writeFile(ini, "");
    test::makeReadOnly(ini);  // the settings file cannot be rewritten
    CSetStdValDlg dlg(ini);
    dlg.show();
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("基準値を保存できませんでした。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(dlg.isVisible());
}

}  // namespace
}  // namespace mireva::ui
