#include "excel/ui/excel_export_action.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProgressDialog>
#include <QPushButton>

#include "uikit/desktop_open.h"
#include "uikit/work_progress_dialog.h"
#include "excel/worksheet_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

const QDate kToday(2026, 12, 10);

class ExcelExportAction : public ::testing::Test {
protected:
    void SetUp() override {
        session = AppSession::forFolder(dir.dataFolder());
        DesktopOpen::setHandler([this](const QString& path) {
            opened << path;
            return desktopOpens;
        });
    }
    void TearDown() override { DesktopOpen::setHandler({}); }

    void writeWorksheet(int places, std::vector<int> channels) {
        WorksheetDocument ws = test::makeWorksheet({.places = places, .channels = std::move(channels)});
        test::writeFile(session.locations.worksheet(), ws.serialize());
        session.summary.current = summaryFromWorksheet(ws);
    }
    QString pathIn(const char* name) const { return QString::fromStdString((dir / name).string()); }

    test::TempDir dir;
    AppSession session;
    test::ScriptedDialogs dialogs;
    QStringList opened;
    bool desktopOpens = true;
};

TEST_F(ExcelExportAction, SavesWhereTheUserSaysAndOpensTheWorkbook) {
    writeWorksheet(3, {0, 1});
    test::writeFile(session.settingsPath, test::cp("[PrintData2]\r\nREPORT=受信レベル報告書\r\n"));
    dialogs.paths.push_back(pathIn("book.xlsx"));
    runExcelExport(nullptr, session, kToday);

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& r = dialogs.fileRequests[0];
    EXPECT_EQ(r.kind, FileDialogRequest::Kind::SaveFile);
    EXPECT_EQ(r.caption, "Excel出力");
    EXPECT_TRUE(r.filter.contains("*.xlsx"));
    EXPECT_EQ(QFileInfo(r.initial).fileName(), "受信レベル報告書_20261210.xlsx");
    EXPECT_EQ(r.defaultSuffix, "xlsx");
    EXPECT_TRUE(std::filesystem::exists(dir / "book.xlsx"));
    EXPECT_EQ(opened, QStringList{pathIn("book.xlsx")});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ExcelExportAction, WhenNothingOpensTheWorkbookAMessageNamesIt) {
    writeWorksheet(1, {0});
    desktopOpens = false;
    dialogs.paths.push_back(pathIn("book.xlsx"));
    runExcelExport(nullptr, session, kToday);
    EXPECT_EQ(dialogs.texts(),
              QStringList{"Excelファイルを保存しました。\n" + QDir::toNativeSeparators(pathIn("book.xlsx"))});
}

TEST_F(ExcelExportAction, NothingToExportIsSaidBeforeAnyDialog) {
    struct Case {
        int places;
        std::vector<int> channels;
        QString message;
    };
    const Case cases[] = {
        {0, {0}, "ワークシートに測定場所がないため、Excelファイルを作成できません。"},
        {2, {}, "出力するチャンネルが選択されていません。"},
    };
    for (const Case& c : cases) {
        dialogs.messages.clear();
        writeWorksheet(c.places, c.channels);
        runExcelExport(nullptr, session, kToday);
        EXPECT_EQ(dialogs.texts(), QStringList{c.message});
        EXPECT_TRUE(dialogs.fileRequests.empty());
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ExcelExportAction, CancelOrRefusedOverwriteChangesNothing) {
    writeWorksheet(1, {0});
    runExcelExport(nullptr, session, kToday);  // the dialog is cancelled
    EXPECT_TRUE(dialogs.messages.empty());

    test::writeFile(dir / "book.xlsx", "previous");
    dialogs.paths.push_back(pathIn("book.xlsx"));
    dialogs.answers.push_back(MessageAnswer::No);
    runExcelExport(nullptr, session, kToday);
    EXPECT_EQ(dialogs.texts(), QStringList{"指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?"});
    EXPECT_EQ(test::readFile(dir / "book.xlsx"), "previous");
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ExcelExportAction, AFailedWriteIsReported) {
    writeWorksheet(1, {0});
    dialogs.paths.push_back(pathIn("missing/book.xlsx"));
    runExcelExport(nullptr, session, kToday);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    // The file named as chosen, and why in the user's words.
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Excelファイルを保存できませんでした。\n") +
                                            pathIn("missing/book.xlsx") +
                                            QStringLiteral("\nファイルまたはフォルダが見つかりません。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ExcelExportAction, ProgressShowsTheSheetsAndCancelLeavesTheEarlierFile) {
    writeWorksheet(15, {0, 1, 2});  // Title, Contents and four page sheets
    test::writeFile(dir / "book.xlsx", "earlier workbook");
    QStringList shown;
    QString cancelText;
    WorkProgressDialog::setObserver([&](WorkProgressDialog& progress, int done, int) {
        shown << progress.countText();
        if (QPushButton* b = progress.dialog()->findChild<QPushButton*>()) cancelText = b->text();
        if (done == 2) progress.cancel();
    });
    dialogs.paths.push_back(pathIn("book.xlsx"));
    dialogs.answers.push_back(MessageAnswer::Yes);  // overwrite
    runExcelExport(nullptr, session, kToday);
    WorkProgressDialog::setObserver({});
    EXPECT_EQ(shown, QStringList({"0 / 6 シート", "1 / 6 シート", "2 / 6 シート"}));
    EXPECT_EQ(cancelText, QStringLiteral("キャンセル"));
    EXPECT_EQ(test::readFile(dir / "book.xlsx"), "earlier workbook");
    EXPECT_FALSE(std::filesystem::exists(dir / ".book.xlsx.part"));
    EXPECT_EQ(dialogs.texts(), QStringList{"指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?"});
    EXPECT_TRUE(opened.isEmpty());
}

TEST(WorkProgressDialog, OnceEveryPartIsDoneCancelIsOffWhileTheFileIsFinished) {
    WorkProgressDialog progress(nullptr, QStringLiteral("作成しています。"), WorkProgressDialog::Unit::Sheets);
    QPushButton* cancel = progress.dialog()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(progress.update(1, 3));
    EXPECT_TRUE(cancel->isEnabled());
    EXPECT_EQ(progress.dialog()->labelText(), QStringLiteral("作成しています。\n1 / 3 シート"));
    EXPECT_TRUE(progress.update(3, 3));
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(progress.dialog()->labelText(),
              QStringLiteral("作成しています。\n3 / 3 シート\n") + WorkProgressDialog::finishingText());
    progress.cancel();
    EXPECT_FALSE(progress.update(3, 3));
}

// The workbook's finishing is stoppable: キャンセル stays on once every sheet is done, and
// a cancel then leaves the earlier file and no scratch file.
TEST_F(ExcelExportAction, CancelWhileTheWorkbookIsFinishedKeepsTheEarlierFile) {
    {
        WorkProgressDialog progress(nullptr, QStringLiteral("作成しています。"), WorkProgressDialog::Unit::Sheets,
                                    WorkProgressDialog::Finishing::Cancellable);
        QPushButton* cancel = progress.dialog()->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(progress.update(3, 3));
        EXPECT_TRUE(cancel->isEnabled());
        EXPECT_EQ(progress.dialog()->labelText(),
                  QStringLiteral("作成しています。\n3 / 3 シート\n") + WorkProgressDialog::finishingText());
        // While the file is finished the count stays at its end; a click on キャンセル is
        // still heard when the same count is reported again.
        progress.dialog()->show();
        QMetaObject::invokeMethod(cancel, &QPushButton::click, Qt::QueuedConnection);
        EXPECT_FALSE(progress.update(3, 3));
    }

    writeWorksheet(15, {0, 1, 2});
    test::writeFile(dir / "book.xlsx", "earlier workbook");
    int heard = 0;
    WorkProgressDialog::setObserver([&](WorkProgressDialog& p, int done, int total) {
        ++heard;
        if (done == total) p.cancel();
    });
    dialogs.paths.push_back(pathIn("book.xlsx"));
    dialogs.answers.push_back(MessageAnswer::Yes);  // overwrite
    runExcelExport(nullptr, session, kToday);
    WorkProgressDialog::setObserver({});
    EXPECT_EQ(heard, 7);  // 0 … 6 of 6 sheets
    EXPECT_EQ(test::readFile(dir / "book.xlsx"), "earlier workbook");
    EXPECT_FALSE(std::filesystem::exists(dir / ".book.xlsx.part"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(dialogs.texts(), QStringList{"指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?"});
}

TEST(WorkProgressDialog, CountsAreGroupedByThousands) {
    EXPECT_EQ(WorkProgressDialog::countText(WorkProgressDialog::Unit::Sheets, 1200, 5602),
              QStringLiteral("1,200 / 5,602 シート"));
    EXPECT_EQ(WorkProgressDialog::countText(WorkProgressDialog::Unit::Pages, 300, 5600),
              QStringLiteral("ページ 300 / 5,600"));
}

TEST(DefaultWorkbookName, ReportNameAndDate) {
    struct Case {
        QString report;
        QString name;
    };
    for (const Case& c : {Case{"報告書", "報告書_20261210.xlsx"}, Case{"A/B:C*?", "A_B_C___20261210.xlsx"},
                          Case{"  ", "報告書_20261210.xlsx"}})
        EXPECT_EQ(defaultWorkbookName(c.report, kToday), c.name) << c.report.toStdString();
}

}  // namespace
}  // namespace mireva::ui
