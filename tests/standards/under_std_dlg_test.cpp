#include "standards/ui/under_std_dlg.h"

#include <QAbstractItemModel>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {
using test::cp;

class UnderStdDlgTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path ini = dir.dataFolder() / "Mireva.ini";
    test::ScriptedDialogs dialogs;
    JudgementResult result;

    void SetUp() override {
        test::writeFile(ini, "[StandardValue]\r\nCATV=50.\r\nJCSAT4BH=45\r\n");
        result.belowStandardFlag = true;
        result.belowStandardRows = {2, 8};
        result.belowStandardDetails = {
            {0, cp("1F:レベル"), {{93, "49.9"}, {252, "30"}}},
            {1, cp("2F:レベル"), {{0, ""}}},
        };
    }
    const std::string csv =
        cp("測定場所,帯域,チャンネル,レベル\r\n1F:レベル,CATV,C13,49.9\r\n"
           "1F:レベル,JCSAT-3A(水平),K-2,30\r\n2F:レベル,地デジ,13,\r\n");
};

QString cell(const CUnderStdDlg& dlg, int row, int column) {
    QAbstractItemModel* m = dlg.list()->model();
    return m->data(m->index(row, column)).toString();
}

TEST_F(UnderStdDlgTest, ShowsTheStoredValuesAndListsTheDetailsOnce) {
    CUnderStdDlg dlg(result, ini);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("基準値判定"));
    EXPECT_EQ(dlg.valueLabel(kStdCatv)->text(), QStringLiteral("CATV : 50. dBμV"));
    EXPECT_EQ(dlg.valueLabel(kStdJcsat4bH)->text(), QStringLiteral("JCSAT-4B（水平） : 45 dBμV"));
    EXPECT_EQ(dlg.valueLabel(kStdCatvUp)->text(), QStringLiteral("CATVUP : 0.0 dBμV"));

    QAbstractItemModel* m = dlg.list()->model();
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 4);
    QStringList headers;
    for (int c = 0; c < 4; ++c) headers << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"測定場所", "帯域", "チャンネル", "レベル"}));
    EXPECT_EQ(dlg.list()->columnWidth(0), 180);
    EXPECT_EQ(dlg.list()->columnWidth(2), 80);
    EXPECT_EQ(cell(dlg, 1, 0), QStringLiteral("1F:レベル"));
    EXPECT_EQ(cell(dlg, 1, 1), QStringLiteral("JCSAT-3A(水平)"));
    EXPECT_EQ(cell(dlg, 1, 2), QStringLiteral("K-2"));
    EXPECT_EQ(cell(dlg, 1, 3), QStringLiteral("30"));
    EXPECT_EQ(cell(dlg, 2, 0), QStringLiteral("2F:レベル"));

    // The details are used up; rows and flag stay for the grid.
    EXPECT_TRUE(result.belowStandardDetails.empty());
    EXPECT_EQ(result.belowStandardRows.size(), 2u);
    CUnderStdDlg again(result, ini);
    EXPECT_EQ(again.list()->model()->rowCount(), 0);
}

TEST_F(UnderStdDlgTest, OkIsTheDefaultAndEscapeCloses) {
    CUnderStdDlg dlg(result, ini);
    EXPECT_TRUE(dlg.okButton()->isDefault());
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(UnderStdDlgTest, SavesTheListToANewFile) {
    CUnderStdDlg dlg(result, ini);
    const QString out = QString::fromStdString((dir / "below.csv").string());
    dialogs.paths.push_back(out);
    QTest::mouseClick(dlg.saveButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::SaveFile);
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("測定場所管理番号表 (*.csv *.CSV)"));
    EXPECT_EQ(dialogs.fileRequests[0].defaultSuffix, "csv");
    EXPECT_TRUE(dialogs.fileRequests[0].initial.isEmpty());
    EXPECT_EQ(test::readFile(dir / "below.csv"), csv);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("保存しました。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
}

TEST_F(UnderStdDlgTest, AnExistingFileIsOverwrittenOnlyAfterYes) {
    const std::filesystem::path out = dir / "below.csv";
    test::writeFile(out, "keep");
    const QString question = QStringLiteral("指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?");
    CUnderStdDlg dlg(result, ini);

    dialogs.paths.push_back(QString::fromStdString(out.string()));
    dialogs.answers.push_back(MessageAnswer::No);
    dlg.saveCsv();
    EXPECT_EQ(dialogs.texts(), QStringList({question}));
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(test::readFile(out), "keep");

    dialogs.messages.clear();
    dialogs.paths.push_back(QString::fromStdString(out.string()));
    dialogs.answers.push_back(MessageAnswer::Yes);
    dlg.saveCsv();
    EXPECT_EQ(dialogs.texts(), QStringList({question, "保存しました。"}));
    EXPECT_EQ(test::readFile(out), csv);
}

TEST_F(UnderStdDlgTest, CancelWritesNothingAndAFailedWriteIsReported) {
    CUnderStdDlg dlg(result, ini);
    dlg.saveCsv();  // no path scripted: cancelled
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.paths.push_back(QString::fromStdString((dir / "missing" / "below.csv").string()));
    dlg.saveCsv();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("保存できませんでした。")));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

TEST_F(UnderStdDlgTest, EmptyDetailsSaveTheHeaderAlone) {
    result.belowStandardDetails.clear();
    CUnderStdDlg dlg(result, ini);
    dialogs.paths.push_back(QString::fromStdString((dir / "empty.csv").string()));
    dlg.saveCsv();
    EXPECT_EQ(test::readFile(dir / "empty.csv"), cp("測定場所,帯域,チャンネル,レベル\r\n"));
}

// Every value line is drawn in one face that holds all its characters: the figures
// of "地デジ : 60.0 dBμV" look like those of "CATV : 65.0 dBμV".
TEST_F(UnderStdDlgTest, EveryValueLineIsDrawnInOneFace) {
    CUnderStdDlg dlg(result, ini);
    const QString family = QFontInfo(dlg.valueLabel(kStdUhf)->font()).family();
    for (int key = 0; key < kStandardValueCount; ++key) {
        QLabel* label = dlg.valueLabel(key);
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_EQ(QFontInfo(label->font()).family(), family);
        const QFontMetrics metrics(label->font());
        for (const uint c : label->text().toUcs4()) EXPECT_TRUE(metrics.inFontUcs4(c)) << std::hex << c;
    }
}

}  // namespace
}  // namespace mireva::ui
