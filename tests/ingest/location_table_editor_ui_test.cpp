#include "ingest/ui/location_table_editor.h"

#include <QApplication>
#include <QDateEdit>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"

#include "core/channel_catalog.h"
#include "core/worksheet_document.h"
#include "ingest/aggregation_run.h"
#include "ingest/ui/drop_edit.h"
#include "ingest/ui/read_wizard.h"
#include "ingest/ui/wizard_pages.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {
namespace fs = std::filesystem;

const QString kAddRefused = QStringLiteral("拡張子が集計対象外のため\n追加できません");
const QString kSelectRow = QStringLiteral("行を選択してください。");
const QString kEditRefused = QStringLiteral("「データロガー」「PNG」「MP4」は集計対象外のため\n編集できません");
const QString kNameMissing = QStringLiteral("ファイル名を入力してください。");
const QString kOverwrite = QStringLiteral("指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?");
const QString kSaveQuestion = QStringLiteral("測定場所管理表を保存しますか？");
const std::string kHeader = "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n";

QString qpath(const fs::path& p) { return QString::fromStdString(p.string()); }

// Types any text, one key press per character (QTest::keyClicks takes ASCII only).
void type(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

class LocationTableEditor : public ::testing::Test {
protected:
    template <class T>
    T* child(const char* name) {
        T* w = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void press(const char* name) { child<QPushButton>(name)->click(); }
    void fillForm(const QString& fileName, const QString& p1 = {}, const QString& p2 = {}) {
        child<QLineEdit>("fileNameEdit")->setText(fileName);
        child<QLineEdit>("placement1Edit")->setText(p1);
        child<QLineEdit>("placement2Edit")->setText(p2);
    }
    void add(const QString& fileName, const QString& p1 = {}, const QString& p2 = {}) {
        fillForm(fileName, p1, p2);
        press("addButton");
    }
    void select(std::initializer_list<int> rows) {
        QItemSelectionModel* sm = dialog.list()->selectionModel();
        sm->clearSelection();
        for (int r : rows)
            sm->select(dialog.list()->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> out;
        for (const LocationTableRow& r : dialog.rows()) out.push_back(r[c]);
        return out;
    }
    void loadTable(const std::string& lines) {
        test::writeFile(dir / "loaded.csv", kHeader + lines);
        child<QLineEdit>("loadEdit")->setText(qpath(dir / "loaded.csv"));
    }

    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    CCreateFileDlg dialog;
};

TEST_F(LocationTableEditor, OpensEmptyWithTheListAndFormAsDescribed) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("測定場所管理表の作成"));
    QTableView* list = dialog.list();
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    const char* names[] = {"NO", "DATA_TYPE", "DATE", "FILE_TYPE", "FILE_NAME", "PLACEMENT1", "PLACEMENT2"};
    const int widths[] = {50, 90, 90, 90, 170, 170, 170};
    ASSERT_EQ(list->model()->columnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(), QString::fromLatin1(names[c]));
        EXPECT_EQ(list->columnWidth(c), widths[c]) << names[c];
    }
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(child<QRadioButton>("singleRadio")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("multiRadio")->isChecked());
    EXPECT_EQ(child<QDateEdit>("datePicker")->date(), QDate::currentDate());
    EXPECT_TRUE(child<QPushButton>("exitButton")->isDefault());
}

TEST_F(LocationTableEditor, AddNumbersRowsAndDeleteRenumbers) {
    add("a.csv", "1F", "101");
    add("b.csv", "1F", "102");
    add("c.csv", "1F", "103");
    EXPECT_EQ(column(kColNo), (std::vector<std::string>{"1", "2", "3"}));
    select({1});
    press("deleteButton");
    EXPECT_EQ(column(kColNo), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(column(kColFileName), (std::vector<std::string>{"a.csv", "c.csv"}));

    add("d.csv");
    add("e.csv");
    select({0, 3});  // several rows at once, not adjacent
    press("deleteButton");
    EXPECT_EQ(column(kColNo), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(column(kColFileName), (std::vector<std::string>{"c.csv", "d.csv"}));
    EXPECT_TRUE(dialogs.messages.empty());

    select({});
    press("deleteButton");
    EXPECT_EQ(dialogs.texts(), QStringList{kSelectRow});
    EXPECT_EQ(dialog.rows().size(), 2u);
}

TEST_F(LocationTableEditor, TheDeleteKeyInTheListDeletesTheSelectedRows) {
    add("a.csv");
    add("b.csv");
    add("c.csv");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.list()->setFocus();
    select({0, 2});
    QTest::keyClick(dialog.list(), Qt::Key_Delete);
    EXPECT_EQ(column(kColFileName), std::vector<std::string>{"b.csv"});
    EXPECT_EQ(column(kColNo), std::vector<std::string>{"1"});
}

TEST_F(LocationTableEditor, AddTakesTheFormAndChecksTheFileName) {
    child<QRadioButton>("multiRadio")->setChecked(true);
    child<QDateEdit>("datePicker")->setDate(QDate(2013, 4, 5));
    add("m.csv", "１Ｆ", "ﾛﾋﾞｰ");
    ASSERT_EQ(dialog.rows().size(), 1u);
    LocationTableRow expected;
    expected.field = {"1", "MULTI", "20130405", "CSV", "m.csv", test::cp("１Ｆ"), test::cp("ﾛﾋﾞｰ")};
    EXPECT_EQ(dialog.rows()[0], expected);

    struct Case {
        const char* name;
        bool accepted;
    };
    const Case cases[] = {{"data.CSV.bak", true}, {"csvfile", true}, {"", false}, {"x.png", false}, {"x.Csv", false}};
    for (const Case& c : cases) {
        dialogs.messages.clear();
        size_t before = dialog.rows().size();
        add(QString::fromUtf8(c.name));
        EXPECT_EQ(dialog.rows().size(), before + (c.accepted ? 1 : 0)) << c.name;
        EXPECT_EQ(dialogs.texts(), c.accepted ? QStringList{} : QStringList{kAddRefused}) << c.name;
        if (!c.accepted) {
            EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None) << c.name;
        }
    }
}

TEST_F(LocationTableEditor, LoadShowsNoAsWrittenAndSaveRenumbers) {
    loadTable("5,SINGLE,20130405,CSV,a.csv,1F,101\r\n9,MULTI,20130405,CSV,b.csv," + test::cp("屋上") + ",\r\n");
    EXPECT_EQ(column(kColNo), (std::vector<std::string>{"5", "9"}));
    EXPECT_EQ(dialog.list()->model()->index(1, kColPlacement1).data().toString(), QStringLiteral("屋上"));

    dialogs.paths.push_back(qpath(dir / "saved.csv"));
    EXPECT_TRUE(dialog.saveTable());
    EXPECT_EQ(
        test::readFile(dir / "saved.csv"),
        kHeader + "1,SINGLE,20130405,CSV,a.csv,1F,101\r\n2,MULTI,20130405,CSV,b.csv," + test::cp("屋上") + ",\r\n");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::SaveFile);
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("測定場所管理番号表 (*.csv *.CSV)"));
    EXPECT_EQ(dialogs.fileRequests[0].defaultSuffix, QStringLiteral("csv"));
    EXPECT_TRUE(dialogs.messages.empty());  // a new file: no overwrite question
}

TEST_F(LocationTableEditor, TypingTheLoadPathEmptiesTheListUntilItNamesAReadableFile) {
    add("kept.csv");
    test::writeFile(dir / "t.csv", kHeader + "1,SINGLE,20130405,CSV,a.csv,1F,101\r\n");
    QLineEdit* edit = child<QLineEdit>("loadEdit");
    const QString path = qpath(dir / "t.csv");
    const QString prefix = qpath(dir.path()) + "/";
    edit->setText(prefix);  // the folder itself: not a table
    EXPECT_TRUE(dialog.rows().empty());
    int added = 1;  // "kept.csv"
    for (qsizetype i = prefix.size(); i < path.size() - 1; ++i) {
        QTest::keyClicks(edit, path.mid(i, 1));
        EXPECT_TRUE(dialog.rows().empty()) << edit->text().toStdString();
        add("typed.csv");  // whatever the list held goes at the next keystroke, once confirmed
        ++added;
    }
    QTest::keyClicks(edit, path.right(1));
    // The text now names the table: it is loaded.
    ASSERT_EQ(edit->text(), path);
    EXPECT_EQ(column(kColFileName), std::vector<std::string>{"a.csv"});
    // Each added row was unsaved: each next keystroke asked (answered Yes).
    EXPECT_EQ(dialogs.texts(), QStringList(added, CCreateFileDlg::discardQuestion()));
    dialogs.messages.clear();
    // A list as loaded goes without a question.
    QTest::keyClicks(edit, "x");
    EXPECT_TRUE(dialog.rows().empty());
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(dialog.rows().size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The first keystroke that would empty a list holding unsaved rows asks; No puts the
// field back as it was and keeps the rows; a saved list is emptied without a question.
TEST_F(LocationTableEditor, AChangeOfTheLoadFieldAsksBeforeDiscardingUnsavedRows) {
    loadTable("1,SINGLE,20130405,CSV,a.csv,1F,101\r\n");
    QLineEdit* edit = child<QLineEdit>("loadEdit");
    const QString loaded = edit->text();
    add("b.csv", "2F");
    ASSERT_EQ(dialog.rows().size(), 2u);

    dialogs.answers = {MessageAnswer::No};
    edit->setFocus();
    edit->setCursorPosition(3);
    QTest::keyClicks(edit, "z");
    EXPECT_EQ(dialogs.texts(), QStringList{CCreateFileDlg::discardQuestion()});
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(edit->text(), loaded);
    EXPECT_EQ(edit->cursorPosition(), 3);
    EXPECT_EQ(column(kColFileName), (std::vector<std::string>{"a.csv", "b.csv"}));

    // Deleting and editing count as unsaved changes too; a drop asks as typing does.
    dialogs.messages.clear();
    select({0});
    press("deleteButton");
    dialogs.answers = {MessageAnswer::No};
    edit->setText(qpath(dir / "other.csv"));
    EXPECT_EQ(dialogs.texts(), QStringList{CCreateFileDlg::discardQuestion()});
    EXPECT_EQ(edit->text(), loaded);
    EXPECT_EQ(column(kColFileName), std::vector<std::string>{"b.csv"});

    // Saved: nothing is lost, the list goes at once.
    dialogs.messages.clear();
    dialogs.paths = {qpath(dir / "saved.csv")};
    ASSERT_TRUE(dialog.saveTable());
    QTest::keyClicks(edit, "z");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialog.rows().empty());
}

TEST_F(LocationTableEditor, BrowseLoadsTheChosenTable) {
    test::writeFile(dir / "b.csv", kHeader + "1,SINGLE,20130405,CSV,a.csv,1F,101\r\n");
    dialogs.paths.push_back(qpath(dir / "b.csv"));
    press("browseButton");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("測定場所管理番号表 (*.csv *.CSV)"));
    EXPECT_EQ(child<QLineEdit>("loadEdit")->text(), qpath(dir / "b.csv"));
    EXPECT_EQ(dialog.rows().size(), 1u);

    // Cancelling the dialog changes nothing.
    press("browseButton");
    EXPECT_EQ(dialog.rows().size(), 1u);
}

TEST_F(LocationTableEditor, ADroppedTableIsLoaded) {
    test::writeFile(dir / "dropped.csv", kHeader + "3,SINGLE,20130405,CSV,a.csv,1F,101\r\n");
    auto* edit = child<DropEdit>("loadEdit");
    ASSERT_NE(edit, nullptr);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(qpath(dir / "dropped.csv")), QUrl::fromLocalFile(qpath(dir / "other.csv"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &drop);
    EXPECT_EQ(edit->text(), qpath(dir / "dropped.csv"));
    EXPECT_EQ(column(kColNo), std::vector<std::string>{"3"});
}

TEST_F(LocationTableEditor, SelectingOneRowCopiesItIntoTheForm) {
    loadTable(
        "1,MULTI,20140102,CSV,m.csv,2F,201\r\n2,PNG,20150607,PNG,p.png,3F,\r\n3,SINGLE,2016,CSV,s.csv,"
        "LONGNAME9,x\r\n");
    auto* single = child<QRadioButton>("singleRadio");
    auto* multi = child<QRadioButton>("multiRadio");
    auto* date = child<QDateEdit>("datePicker");
    select({0});
    EXPECT_TRUE(multi->isChecked());
    EXPECT_FALSE(single->isChecked());
    EXPECT_EQ(date->date(), QDate(2014, 1, 2));
    EXPECT_EQ(child<QLineEdit>("fileNameEdit")->text(), QStringLiteral("m.csv"));
    EXPECT_EQ(child<QLineEdit>("placement1Edit")->text(), QStringLiteral("2F"));
    EXPECT_EQ(child<QLineEdit>("placement2Edit")->text(), QStringLiteral("201"));

    // Another kind leaves the radio buttons as they are; the date is still taken.
    select({1});
    EXPECT_TRUE(multi->isChecked());
    EXPECT_EQ(date->date(), QDate(2015, 6, 7));
    EXPECT_EQ(child<QLineEdit>("placement2Edit")->text(), QString());

    // An unreadable date leaves the picker; a longer hand-made name is shown whole.
    select({2});
    EXPECT_TRUE(single->isChecked());
    EXPECT_EQ(date->date(), QDate(2015, 6, 7));
    EXPECT_EQ(child<QLineEdit>("placement1Edit")->text(), QStringLiteral("LONGNAME9"));

    // A second row joins the selection: the form stays.
    dialog.list()->selectionModel()->select(dialog.list()->model()->index(0, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(child<QLineEdit>("fileNameEdit")->text(), QStringLiteral("s.csv"));
}

TEST_F(LocationTableEditor, ClickingARowCopiesItIntoTheForm) {
    loadTable("1,MULTI,20140102,CSV,m.csv,2F,201\r\n");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QRect cell = dialog.list()->visualRect(dialog.list()->model()->index(0, kColFileName));
    QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(child<QLineEdit>("fileNameEdit")->text(), QStringLiteral("m.csv"));
    EXPECT_TRUE(child<QRadioButton>("multiRadio")->isChecked());
}

TEST_F(LocationTableEditor, EditReplacesTheFirstSelectedRowAndKeepsItsNo) {
    loadTable("4,SINGLE,20130405,CSV,a.csv,1F,101\r\n8,MULTI,20130405,CSV,b.csv,1F,102\r\n");
    select({1, 0});
    child<QRadioButton>("multiRadio")->setChecked(true);
    child<QDateEdit>("datePicker")->setDate(QDate(2020, 12, 31));
    fillForm("renamed.txt", "2F", "");  // the extension is not checked here
    press("editButton");
    LocationTableRow expected;
    expected.field = {"4", "MULTI", "20201231", "CSV", "renamed.txt", "2F", ""};
    EXPECT_EQ(dialog.rows()[0], expected);
    EXPECT_EQ(dialog.rows()[1][kColFileName], "b.csv");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LocationTableEditor, EditRefusals) {
    loadTable(
        "1,PNG,20130405,PNG,d.png,1F,101\r\n2,SINGLE,20130405,MP4,e.mp4,1F,\r\n3,single,20130405,CSV,f.csv,1F,"
        "\r\n4,SINGLE,20130405,CSV,g.csv,1F,\r\n");
    const std::vector<LocationTableRow> before = dialog.rows();
    struct Case {
        std::vector<int> rows;
        QString fileName;
        QString message;
    };
    const Case cases[] = {
        {{}, "ok.csv", kSelectRow},    {{0}, "ok.csv", kEditRefused}, {{1}, "ok.csv", kEditRefused},
        {{2}, "ok.csv", kEditRefused}, {{3}, "", kNameMissing},
    };
    for (const Case& c : cases) {
        QItemSelectionModel* sm = dialog.list()->selectionModel();
        sm->clearSelection();
        for (int r : c.rows)
            sm->select(dialog.list()->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        fillForm(c.fileName, "9F", "901");  // after the selection, which fills the form
        dialogs.messages.clear();
        press("editButton");
        EXPECT_EQ(dialogs.texts(), QStringList{c.message}) << c.message.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    }
    EXPECT_EQ(dialog.rows(), before);
}

TEST_F(LocationTableEditor, PlacementFieldsTakeSevenCharactersAndNoComma) {
    struct Case {
        const char* field;
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {"placement1Edit", "1234567890", "1234567"}, {"placement2Edit", "ａｂｃｄｅｆｇｈ", "ａｂｃｄｅｆｇ"},
        {"placement1Edit", "1,2,3", "123"},          {"fileNameEdit", "a,b.csv", "ab.csv"},
        {"placement1Edit", "1F한?", "1F?"},  // no code page 932 form: refused; a typed "?" stays
    };
    for (const Case& c : cases) {
        QLineEdit* edit = child<QLineEdit>(c.field);
        edit->clear();
        type(edit, c.typed);
        EXPECT_EQ(edit->text(), c.kept) << c.field;
    }
}

// A hand-made table may hold a longer place name: shown whole, it can be shortened,
// not grown, and a new text is held to seven characters again.
TEST_F(LocationTableEditor, PlacementKeepsItsSevenCharacterLimitAfterALongerStoredName) {
    loadTable("1,SINGLE,20130405,CSV,a.csv,ABCDEFGHIJ,101\r\n2,SINGLE,20130405,CSV,b.csv,1F,102\r\n");
    QLineEdit* p1 = child<QLineEdit>("placement1Edit");
    select({0});
    EXPECT_EQ(p1->text(), QStringLiteral("ABCDEFGHIJ"));
    p1->setFocus();
    p1->end(false);
    QTest::keyClicks(p1, "K");
    EXPECT_EQ(p1->text(), QStringLiteral("ABCDEFGHIJ"));  // cannot grow
    QTest::keyClick(p1, Qt::Key_Backspace);
    QTest::keyClicks(p1, "K");
    EXPECT_EQ(p1->text(), QStringLiteral("ABCDEFGHI"));  // shortened, and stays so
    p1->selectAll();
    QTest::keyClicks(p1, "1234567890");
    EXPECT_EQ(p1->text(), QStringLiteral("1234567"));
    // After another row was clicked, the long row's limit does not linger either.
    select({0});
    select({1});
    p1->selectAll();
    QTest::keyClicks(p1, "abcdefghij");
    EXPECT_EQ(p1->text(), QStringLiteral("abcdefg"));
}

TEST_F(LocationTableEditor, SavingOverAnExistingFileAsksFirst) {
    add("a.csv", "1F");
    test::writeFile(dir / "old.csv", "old");
    dialogs.paths = {qpath(dir / "old.csv"), qpath(dir / "old.csv")};
    dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_FALSE(dialog.saveTable());
    EXPECT_EQ(test::readFile(dir / "old.csv"), "old");
    EXPECT_TRUE(dialog.saveTable());
    EXPECT_EQ(test::readFile(dir / "old.csv"),
              kHeader + "1,SINGLE," + dialog.rows()[0][kColDate] + ",CSV,a.csv,1F,\r\n");
    EXPECT_EQ(dialogs.texts(), (QStringList{kOverwrite, kOverwrite}));
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);

    // Cancelling the save dialog writes nothing and asks nothing; it offered the file
    // saved last.
    dialogs.messages.clear();
    EXPECT_FALSE(dialog.saveTable());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.fileRequests.back().initial, qpath(dir / "old.csv"));
}

TEST_F(LocationTableEditor, AFailedSaveIsReported) {
    add("a.csv", "1F");
    dialogs.paths.push_back(qpath(dir / "missing" / "t.csv"));
    EXPECT_FALSE(dialog.saveTable());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("測定場所管理表を保存できませんでした。\n")));
    EXPECT_TRUE(dialogs.messages[0].text.contains(qpath(dir / "missing" / "t.csv")));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(LocationTableEditor, FinishAsksToSaveAndCloses) {
    struct Case {
        const char* name;
        std::deque<MessageAnswer> answers;
        std::deque<QString> paths;
        QStringList messages;
        bool closed;
        bool written;
    };
    const QString target = qpath(dir / "end.csv");
    const Case cases[] = {
        {"no", {MessageAnswer::No}, {}, {kSaveQuestion}, true, false},
        {"yes, save dialog cancelled", {MessageAnswer::Yes}, {}, {kSaveQuestion}, true, false},
        {"yes, saved", {MessageAnswer::Yes}, {target}, {kSaveQuestion}, true, true},
        {"yes, overwrite declined",
         {MessageAnswer::Yes, MessageAnswer::No},
         {target},
         {kSaveQuestion, kOverwrite},
         true,
         false},
    };
    for (const Case& c : cases) {
        std::error_code ec;
        fs::remove(dir / "end.csv", ec);
        if (c.messages.size() == 2) test::writeFile(dir / "end.csv", "old");
        CCreateFileDlg dlg;
        dlg.findChild<QLineEdit*>("fileNameEdit")->setText("a.csv");
        dlg.findChild<QPushButton*>("addButton")->click();
        dlg.show();
        dialogs.messages.clear();
        dialogs.answers = c.answers;
        dialogs.paths = c.paths;
        dlg.findChild<QPushButton*>("exitButton")->click();
        EXPECT_EQ(dialogs.texts(), c.messages) << c.name;
        EXPECT_EQ(!dlg.isVisible(), c.closed) << c.name;
        EXPECT_EQ(dlg.result(), c.closed ? QDialog::Accepted : QDialog::Rejected) << c.name;
        EXPECT_EQ(fs::exists(dir / "end.csv") && test::readFile(dir / "end.csv") != "old", c.written) << c.name;
    }
}

TEST_F(LocationTableEditor, FinishStaysOpenWhenTheSaveFails) {
    add("a.csv");
    dialog.show();
    dialogs.answers = {MessageAnswer::Yes};
    dialogs.paths = {qpath(dir / "missing" / "end.csv")};
    press("exitButton");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, kSaveQuestion);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Error);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.rows().size(), 1u);
}

TEST_F(LocationTableEditor, EscapeAndTheCloseBoxCloseWithoutAQuestion) {
    add("a.csv");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.show();
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST_F(LocationTableEditor, ClearResetsListAndForm) {
    loadTable("1,MULTI,20140102,CSV,m.csv,2F,201\r\n");
    select({0});
    press("clearButton");
    EXPECT_TRUE(dialog.rows().empty());
    EXPECT_TRUE(child<QRadioButton>("singleRadio")->isChecked());
    EXPECT_EQ(child<QDateEdit>("datePicker")->date(), QDate::currentDate());
    for (const char* f : {"loadEdit", "fileNameEdit", "placement1Edit", "placement2Edit"})
        EXPECT_TRUE(child<QLineEdit>(f)->text().isEmpty()) << f;
}

TEST_F(LocationTableEditor, AddFromFolderAppendsEachMeasurementFileOnce) {
    fs::path data = dir / "meter";
    for (const char* f : {"SINGLE/20130405/CSV/1.csv", "SINGLE/20130405/CSV/2.csv", "MULTI/20130406/CSV/m.csv",
                          "SINGLE/20130405/PNG/p.png"}) {
        fs::create_directories((data / f).parent_path());
        test::writeFile(data / f, "x");
    }
    loadTable("1,SINGLE,20130405,CSV,2.csv,1F,101\r\n");
    dialogs.paths = {qpath(data), qpath(data)};
    press("addFromFolderButton");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::Folder);
    EXPECT_EQ(column(kColNo), (std::vector<std::string>{"1", "2", "3"}));
    // The new files follow in the meter's memory order: 1.csv, then m.csv (no number).
    EXPECT_EQ(column(kColFileName), (std::vector<std::string>{"2.csv", "1.csv", "m.csv"}));
    EXPECT_EQ(column(kColPlacement1), (std::vector<std::string>{"1F", "", ""}));
    EXPECT_TRUE(dialogs.messages.empty());

    // A second scan starts in the folder chosen before, finds nothing new and says so.
    press("addFromFolderButton");
    EXPECT_EQ(dialogs.fileRequests.back().initial, qpath(data));
    EXPECT_EQ(dialog.rows().size(), 3u);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("見つかった測定データはすべて一覧にあります。")});

    // A folder without measurement files.
    dialogs.messages.clear();
    dialogs.paths = {qpath(data / "SINGLE/20130405/PNG")};
    press("addFromFolderButton");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("選択したフォルダに測定データ（CSVファイル）が見つかりません。")});

    // Cancelled: nothing happens.
    dialogs.messages.clear();
    press("addFromFolderButton");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialog.rows().size(), 3u);
}

// A one-channel terrestrial measurement as the meter writes it (UTF-8).
std::string meterFile(const char* level) {
    const std::string channel = fromCp932(SjView{ChannelCatalog::instance().channel(0).name});
    std::string s =
        "測定データ名,S\r\n日付,2013/04/05\r\n時刻,10:00:00\r\n測定モード,UHF\r\n"
        "測定項目,レベル/CN/BER\r\nレベルオフセット(dB),0.0\r\n"
        "チャンネル名称,BAND,周波数(MHz),レベル(dBuV),CN(dB),BER,測定階層\r\n";
    for (const char* layer : {"A階層", "B階層", "C階層"})
        s += channel + ",地上デジタル,473.142857," + level + ",30.0,0.0E+00," + layer + "\r\n";
    return s;
}

TEST_F(LocationTableEditor, ASavedTableAggregates) {
    fs::path data = dir / "meter";
    const char* files[] = {"SINGLE/20130405/CSV/S00001.csv", "SINGLE/20130405/CSV/S00002.csv",
                           "MULTI/20130405/CSV/M00003.csv"};
    const char* levels[] = {"61.5", "58.0", "62.0"};
    for (int i = 0; i < 3; ++i) {
        fs::create_directories((data / files[i]).parent_path());
        test::writeFile(data / files[i], meterFile(levels[i]));
    }
    // The rows come from the folder in the meter's memory order; the places are typed.
    dialogs.paths = {qpath(data)};
    press("addFromFolderButton");
    ASSERT_EQ(dialog.rows().size(), 3u);
    const QString places[][2] = {{"1F", "101"}, {"屋上", ""}, {"1F", "101"}};
    for (int r = 0; r < 3; ++r) {
        select({r});
        child<QLineEdit>("placement1Edit")->setText(places[r][0]);
        child<QLineEdit>("placement2Edit")->setText(places[r][1]);
        press("editButton");
    }
    dialogs.paths = {qpath(dir / "list.csv")};
    ASSERT_TRUE(dialog.saveTable());
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("|").toStdString();

    // The read wizard takes the saved table and the data folder.
    ReadWizard::setPageRunner([&](QDialog& page) {
        if (auto* first = qobject_cast<LocationTablePage*>(&page)) {
            first->edit()->setText(qpath(dir / "list.csv"));
            first->nextButton()->click();
        } else if (auto* second = qobject_cast<DataFolderPage*>(&page)) {
            second->edit()->setText(qpath(data));
            second->startButton()->click();
        }
        return page.result();
    });
    WizardPaths paths;
    const bool finished = ReadWizard::run(nullptr, paths);
    ReadWizard::setPageRunner({});
    ASSERT_TRUE(finished);
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("|").toStdString();

    RunRecord record;
    record.channelWanted.fill(1);
    record.locationTablePath = paths.locationTable.toStdString();
    record.dataFolder = paths.dataFolder.toStdString();
    record.worksheetPath = dir / "worksheet.csv";
    record.errorLogPath = dir / "errorlog.csv";
    std::vector<std::string> runMessages;
    ASSERT_EQ(aggregationRun(record, [&](const Sj& m) { runMessages.push_back(test::u8(m)); }), 0);
    EXPECT_TRUE(runMessages.empty()) << runMessages.front();
    EXPECT_EQ(record.filesRead, 3);

    WorksheetDocument sheet;
    ASSERT_TRUE(sheet.load(record.worksheetPath));
    ASSERT_EQ(sheet.placeCount(), 2);
    EXPECT_EQ(test::u8(placeNameOf(sheet.lines[0])), "1F101");
    EXPECT_EQ(test::u8(placeNameOf(sheet.lines[kRowsPerPlace])), "屋上");
    // The roof place holds the level of the one file listed for it (S00002).
    EXPECT_EQ(fieldAt(sheet.lines[kRowsPerPlace + static_cast<int>(BlockRow::Level)], channelField(0)), "58.0");
}

}  // namespace
}  // namespace mireva::ui
