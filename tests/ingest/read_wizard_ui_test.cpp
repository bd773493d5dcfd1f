// The read wizard driven through its real pages: the extension check, "戻る", "参照"
// and the folder browser going straight ahead, typing and dropping paths.
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrl>

#include <deque>
#include <functional>

#include <gtest/gtest.h>

#include "ingest/ui/drop_edit.h"
#include "uikit/progress_box.h"
#include "ingest/ui/read_panel.h"
#include "ingest/ui/read_wizard.h"
#include "ingest/ui/wizard_pages.h"
#include "support/scripted_dialogs.h"

namespace mireva::ui {
namespace {

// Plays the user's part on each page in turn; every page the wizard shows is recorded.
class ScriptedPages {
public:
    using Step = std::function<void(QDialog&)>;
    ScriptedPages() {
        ReadWizard::setPageRunner([this](QDialog& page) {
            shown.push_back(page.windowTitle());
            if (auto* first = qobject_cast<LocationTablePage*>(&page)) firstPageTexts.push_back(first->edit()->text());
            if (steps.empty()) return int(QDialog::Rejected);
            Step step = steps.front();
            steps.pop_front();
            step(page);
            return page.result();
        });
    }
    ~ScriptedPages() { ReadWizard::setPageRunner({}); }

    std::deque<Step> steps;
    QStringList shown;
    QStringList firstPageTexts;
};

const QString kPage1 = QStringLiteral("測定場所管理表の選択");
const QString kPage2 = QStringLiteral("測定データ場所の選択");
const QString kNotCsv = QStringLiteral("CSVファイルの拡張子ではありません。");

ScriptedPages::Step typeTable(const QString& path) {
    return [path](QDialog& d) {
        auto& page = static_cast<LocationTablePage&>(d);
        page.edit()->setText(path);
        page.nextButton()->click();
    };
}
ScriptedPages::Step typeFolder(const QString& path) {
    return [path](QDialog& d) {
        auto& page = static_cast<DataFolderPage&>(d);
        page.edit()->setText(path);
        page.startButton()->click();
    };
}
ScriptedPages::Step pressBack() {
    return [](QDialog& d) { static_cast<DataFolderPage&>(d).backButton()->click(); };
}
ScriptedPages::Step closePage() {
    return [](QDialog& d) { d.reject(); };
}

TEST(CsvExtension, OnlyLowerOrUpperCaseCsvAfterTheLastDot) {
    const std::pair<QString, bool> cases[] = {
        {"list.csv", true},
        {"LIST.CSV", true},
        {"list.Csv", false},
        {"d:\\data.old\\list", false},
        {"/home/u/data.old/list", false},
        {"list", false},
        {"list.csv.bak", false},
        {"a.b.csv", true},
        {"list.", false},
    };
    for (const auto& [path, ok] : cases) EXPECT_EQ(hasCsvExtension(path), ok) << path.toStdString();
}

TEST(ReadWizard, RefusedExtensionShowsTheMessageAndStartsOverWithAnEmptyFirstPage) {
    test::ScriptedDialogs dialogs;
    ScriptedPages pages;
    pages.steps = {typeTable("list.Csv"), typeTable("d:\\data.old\\list"), closePage()};
    WizardPaths paths;
    EXPECT_FALSE(ReadWizard::run(nullptr, paths));
    EXPECT_EQ(pages.shown, QStringList({kPage1, kPage1, kPage1}));
    EXPECT_EQ(pages.firstPageTexts, QStringList({"", "", ""}));
    EXPECT_EQ(dialogs.texts(), QStringList({kNotCsv, kNotCsv}));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

TEST(ReadWizard, BackOnTheSecondPageShowsAnEmptyFirstPageAndCancelEndsTheWizard) {
    test::ScriptedDialogs dialogs;
    ScriptedPages pages;
    pages.steps = {typeTable("/site/list.csv"), pressBack(), closePage()};
    WizardPaths paths;
    EXPECT_FALSE(ReadWizard::run(nullptr, paths));
    EXPECT_EQ(pages.shown, QStringList({kPage1, kPage2, kPage1}));
    EXPECT_EQ(pages.firstPageTexts, QStringList({"", ""}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ReadWizard, TypedPathsFinishTheWizard) {
    test::ScriptedDialogs dialogs;
    ScriptedPages pages;
    pages.steps = {typeTable("/site/LIST.CSV"), typeFolder("/site/data")};
    WizardPaths paths;
    ASSERT_TRUE(ReadWizard::run(nullptr, paths));
    EXPECT_EQ(paths.locationTable, QStringLiteral("/site/LIST.CSV"));
    EXPECT_EQ(paths.dataFolder, QStringLiteral("/site/data"));
}

TEST(ReadWizard, BrowsingGoesStraightAheadOnBothPages) {
    test::ScriptedDialogs dialogs;
    dialogs.paths = {"/site/list.csv", "/site/meter"};
    ScriptedPages pages;
    const auto browse = [](QDialog& d) { static_cast<LocationTablePage&>(d).browseButton()->click(); };
    const auto chooseFolder = [](QDialog& d) { static_cast<DataFolderPage&>(d).chooseButton()->click(); };
    pages.steps = {browse, chooseFolder};
    WizardPaths paths;
    ASSERT_TRUE(ReadWizard::run(nullptr, paths));
    EXPECT_EQ(paths.locationTable, QStringLiteral("/site/list.csv"));
    EXPECT_EQ(paths.dataFolder, QStringLiteral("/site/meter"));
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("測定場所管理番号表 (*.csv *.CSV)"));
    EXPECT_EQ(dialogs.fileRequests[1].kind, FileDialogRequest::Kind::Folder);
    EXPECT_EQ(dialogs.fileRequests[1].initial, QStringLiteral("/site"));  // where the table lies
}

TEST(ReadWizard, CancelledBrowsersLeaveThePagesOpen) {
    test::ScriptedDialogs dialogs;  // both dialogs cancelled
    LocationTablePage first;
    first.browseButton()->click();
    EXPECT_EQ(first.result(), QDialog::Rejected);
    EXPECT_TRUE(first.edit()->text().isEmpty());
    DataFolderPage second;
    second.edit()->setText("/kept");
    second.chooseButton()->click();
    EXPECT_EQ(second.result(), QDialog::Rejected);
    EXPECT_EQ(second.edit()->text(), QStringLiteral("/kept"));
}

TEST(WizardPages, ForwardButtonsFollowTheEditText) {
    LocationTablePage first;
    DataFolderPage second;
    EXPECT_FALSE(first.nextButton()->isEnabled());
    EXPECT_FALSE(second.startButton()->isEnabled());
    EXPECT_TRUE(second.backButton()->isEnabled());
    first.edit()->setText("x");
    second.edit()->setText("y");
    EXPECT_TRUE(first.nextButton()->isEnabled());
    EXPECT_TRUE(second.startButton()->isEnabled());
    first.edit()->clear();
    EXPECT_FALSE(first.nextButton()->isEnabled());
    first.accept();  // Enter with an empty edit does not close the page
    EXPECT_EQ(first.result(), QDialog::Rejected);
    EXPECT_EQ(first.edit()->maxLength(), kWizardPathLimit);
}

TEST(DropEdit, DroppedFileBecomesTheTextAndEnablesNext) {
    LocationTablePage page;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/site/list.csv"), QUrl::fromLocalFile("/site/other.csv")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page.edit(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page.edit(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(page.edit()->text(), QStringLiteral("/site/list.csv"));
    EXPECT_TRUE(page.nextButton()->isEnabled());
}

TEST(DropEdit, PathLongerThanTheEditHoldsIsRefusedWhole) {
    DropEdit edit;
    edit.setMaxLength(20);
    edit.setText("/kept");
    EXPECT_FALSE(edit.takeDroppedPath("/a/very/long/folder/name/list.csv"));
    EXPECT_EQ(edit.text(), QStringLiteral("/kept"));
    EXPECT_TRUE(edit.takeDroppedPath("/short.csv"));
    EXPECT_EQ(edit.text(), QStringLiteral("/short.csv"));
}

TEST(ProgressBox, ShowsTheWaitCursorWhileOpenCentredOverItsOwner) {
    QWidget owner;
    owner.setGeometry(100, 100, 800, 500);
    owner.show();
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        ProgressBox box(&owner, ProgressBox::readingText());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(box.text(), QStringLiteral("測定データを読み込んでいます。"));
        EXPECT_LE((box.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
        box.setText(ProgressBox::processingText());
        EXPECT_EQ(box.text(), QStringLiteral("処理中です。しばらくお待ちください。"));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(ReadPanel, FinishedWizardStoresBothPathsAndAsksForTheRun) {
    test::ScriptedDialogs dialogs;
    ScriptedPages pages;
    ReadPanel panel;
    QSignalSpy start(&panel, &ReadPanel::startWorksheet);
    pages.steps = {closePage()};
    panel.startButton()->click();
    EXPECT_EQ(start.count(), 0);
    pages.steps = {typeTable("/site/list.csv"), typeFolder("/site/data")};
    panel.startButton()->click();
    EXPECT_EQ(start.count(), 1);
    EXPECT_EQ(panel.locationTablePath(), QStringLiteral("/site/list.csv"));
    EXPECT_EQ(panel.dataFolderPath(), QStringLiteral("/site/data"));
    EXPECT_EQ(panel.startButton()->text(), QStringLiteral("読込処理開始"));
}

}  // namespace
}  // namespace mireva::ui
