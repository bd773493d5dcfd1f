#include "channels/ui/set_ch_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <filesystem>

#include "uikit/qt_text.h"
#include "channels/preset_lines.h"
#include "channels/ui/broadcaster_name_edit.h"
#include "channels/ui/channel_page.h"
#include "settings/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

namespace fs = std::filesystem;
using test::cp;
using test::readFile;
using test::writeFile;

const QString kChooseSlot = QStringLiteral("保存名を選択してください。");
const QString kSaved = QStringLiteral("チェックの状態と放送局名を保存しました。");

class SetChDlgTest : public ::testing::Test {
protected:
    test::TempDir temp;
    AppSession session = AppSession::forFolder(temp.dataFolder());
    test::ScriptedDialogs dialogs;
    PresetFiles files = PresetFiles::in(session.locations);

    void writeNames(const BroadcasterNames& names) {
        ReportSettings settings;
        settings.broadcasterNames = names;
        ASSERT_TRUE(SettingsFile(session.settingsPath).writeBroadcasterNames(settings));
    }
    BroadcasterNames storedNames() {
        ReportSettings settings;
        SettingsFile(session.settingsPath).readBroadcasterNames(settings);
        return settings.broadcasterNames;
    }
    static void choose(CSetChDlg& dlg, int slot) { dlg.presetList()->setCurrentIndex(slot); }
    static int displayPos(int channel) { return ChannelCatalog::displayPosition(channel); }
};

TEST_F(SetChDlgTest, ShowsThirteenPagesWithTheirGroupsAndLabels) {
    CSetChDlg dlg(session);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("使用チャンネル設定"));
    const QStringList tabs = {"地デジ", "BS",    "CS",  "CATV", "CATV上り",       "JCSAT-3A", "JCSAT-4B",
                              "SCC-B",  "SCC-C", "LTE", "FM",   "ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", "PILOT"};
    ASSERT_EQ(dlg.tabs()->count(), 13);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(dlg.tabs()->tabText(i), tabs[i]);
    EXPECT_EQ(dlg.tabs()->currentIndex(), 0);

    // Every band group is on exactly one page, with its select-all box and one box per channel.
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    for (int g = 0; g < kBandGroupCount; ++g) {
        int owners = 0;
        for (int t = 0; t < 13; ++t) owners += dlg.page(t)->owns(g) ? 1 : 0;
        EXPECT_EQ(owners, 1) << "group " << g;
        ASSERT_NE(dlg.selectAllBox(g), nullptr);
        EXPECT_EQ(dlg.selectAllBox(g)->text(), QStringLiteral("全選択"));
        for (int c = catalog.group(g).first; c < catalog.group(g).first + catalog.group(g).count; ++c)
            ASSERT_NE(dlg.channelBox(c), nullptr) << c;
    }
    struct Caption {
        int tab, group;
        const char* caption;
    };
    const Caption captions[] = {{0, 0, "地上波デジタル"},  {1, 1, "BS（右旋）"},
                                {1, 3, "BS（左旋）"},      {2, 2, "110度CS（右旋）"},
                                {2, 4, "110度CS（左旋）"}, {11, 17, "スカパー！プレミアム光"}};
    for (const Caption& c : captions) {
        ASSERT_TRUE(dlg.page(c.tab)->owns(c.group));
        EXPECT_EQ(dlg.page(c.tab)->groupBox(c.group)->title(), QString::fromUtf8(c.caption));
    }
    EXPECT_EQ(dlg.channelBox(0)->text(), QStringLiteral("13ch"));
    EXPECT_EQ(dlg.channelBox(39)->text(), QStringLiteral("52ch"));
    EXPECT_EQ(dlg.channelBox(90)->text(), QStringLiteral("1"));  // CATV keeps the catalog name
    EXPECT_EQ(dlg.channelBox(240)->text(), QStringLiteral("UL 1"));

    // Columns of ten run top to bottom, then left to right; the BS left-hand box is right of the right-hand one.
    EXPECT_EQ(dlg.channelBox(9)->x(), dlg.channelBox(0)->x());
    EXPECT_GT(dlg.channelBox(9)->y(), dlg.channelBox(0)->y());
    EXPECT_GT(dlg.channelBox(10)->x(), dlg.channelBox(0)->x());
    EXPECT_EQ(dlg.channelBox(10)->y(), dlg.channelBox(0)->y());
    EXPECT_GT(dlg.page(1)->groupBox(3)->x(), dlg.page(1)->groupBox(1)->x());
    EXPECT_EQ(dlg.channelBox(90 + 25)->y(), dlg.channelBox(90)->y());    // CATV: columns of 25
    EXPECT_EQ(dlg.channelBox(377 + 20)->y(), dlg.channelBox(377)->y());  // premium: columns of 20

    EXPECT_EQ(dlg.presetList()->count(), 4);
    EXPECT_EQ(dlg.presetList()->itemText(0), QStringLiteral("選択してください。"));
    EXPECT_EQ(dlg.presetList()->itemText(2), QStringLiteral("設定２"));
    EXPECT_EQ(dlg.presetList()->currentIndex(), 0);
}

TEST_F(SetChDlgTest, OpenedBeforeAnyRunShowsClearBoxesAndTheStoredNames) {
    BroadcasterNames names;
    names[0] = cp("ＮＨＫ総合");
    names[509] = "pilot20";
    names[100] = cp("あいうえおかきくけこさしすせそたちつてと");  // 20 characters, stored by hand
    writeNames(names);

    CSetChDlg dlg(session);
    ChannelSettingsState state = dlg.dialogState();
    for (int p = 0; p < kDisplayPositionCount; ++p) ASSERT_FALSE(state.boxes[p]) << p;
    EXPECT_FALSE(dlg.berBox()->isChecked());
    EXPECT_FALSE(dlg.merBox()->isChecked());
    EXPECT_FALSE(dlg.cnBox()->isChecked());
    EXPECT_EQ(dlg.page(0)->nameEdit(0)->text(), QStringLiteral("ＮＨＫ総合"));
    EXPECT_EQ(dlg.page(12)->nameEdit(509)->text(), QStringLiteral("pilot20"));
    EXPECT_EQ(state.names, names);               // the long name is shown whole, not cut to 12
    EXPECT_TRUE(fs::exists(files.checks.file));  // opening creates the empty checklist.txt
}

TEST_F(SetChDlgTest, OpenedAfterARunTicksTheChannelsWithValues) {
    AggregationSummary run;
    for (int c : {0, 40, 76, 300}) run.apply(BlockRow::Level, c, true);
    run.apply(BlockRow::Mer, 0, false);
    run.apply(BlockRow::Cn, 0, false);
    session.summary.takeRun(run);

    CSetChDlg dlg(session);
    for (int c = 0; c < kChannelCount; ++c) {
        bool expected = c == 0 || c == 40 || c == 76 || c == 300;
        ASSERT_EQ(dlg.channelBox(c)->isChecked(), expected) << c;
    }
    for (int g = 0; g < kBandGroupCount; ++g) EXPECT_FALSE(dlg.selectAllBox(g)->isChecked()) << g;
    EXPECT_FALSE(dlg.berBox()->isChecked());
    EXPECT_TRUE(dlg.merBox()->isChecked());
    EXPECT_TRUE(dlg.cnBox()->isChecked());
}

TEST_F(SetChDlgTest, SelectAllActsOnItsOwnGroupOnly) {
    session.summary.current.columnHasValue[displayPos(40)] = 1;  // BS-1
    CSetChDlg dlg(session);
    QCheckBox* selectAll = dlg.selectAllBox(3);  // BS（左旋）
    dlg.channelBox(66)->setChecked(true);        // BS-4 already ticked

    selectAll->click();
    for (int c = 65; c <= 76; ++c) EXPECT_TRUE(dlg.channelBox(c)->isChecked()) << c;
    selectAll->click();
    for (int c = 65; c <= 76; ++c) EXPECT_FALSE(dlg.channelBox(c)->isChecked()) << c;
    for (int c = 40; c <= 51; ++c) EXPECT_EQ(dlg.channelBox(c)->isChecked(), c == 40) << c;

    // Changing a channel box leaves the select-all box alone.
    selectAll->click();
    dlg.channelBox(70)->click();
    EXPECT_TRUE(selectAll->isChecked());
}

TEST_F(SetChDlgTest, SaveAndLoadWithoutASlotOnlyAsk) {
    CSetChDlg dlg(session);
    dlg.saveButton()->click();
    dlg.loadButton()->click();
    ASSERT_EQ(dialogs.texts(), QStringList({kChooseSlot, kChooseSlot}));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(readFile(files.checks.file), "");
    EXPECT_FALSE(fs::exists(files.names.file));
    EXPECT_FALSE(fs::exists(files.switches.file));
}

TEST_F(SetChDlgTest, SaveAsksThenWritesWhatTheControlsShow) {
    CSetChDlg dlg(session);
    dlg.channelBox(80)->setChecked(true);
    dlg.selectAllBox(4)->setChecked(true);
    dlg.page(0)->nameEdit(0)->setText(QStringLiteral("ＮＨＫ"));
    dlg.merBox()->setChecked(true);
    choose(dlg, 2);
    dlg.saveButton()->click();

    ASSERT_EQ(dialogs.texts(), QStringList({QStringLiteral("設定２に保存しますか？"), kSaved}));
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Information);

    ChannelSettingsState shown = dlg.dialogState();
    EXPECT_EQ(readFile(files.checks.file), "00000\r\n" + checkLineOf(shown) + "\r\n00000\r\n");
    EXPECT_EQ(readFile(files.names.file), "\r\n" + nameLineOf(shown.names) + "\r\n\r\n");
    EXPECT_EQ(readFile(files.switches.file), "000\r\n010\r\n000\r\n");
    // Saving stores nothing into the current set.
    EXPECT_EQ(session.summary.current, AggregationSummary{});
}

TEST_F(SetChDlgTest, CancelOnTheQuestionWritesNothing) {
    CSetChDlg dlg(session);
    dlg.channelBox(0)->setChecked(true);
    choose(dlg, 1);
    dialogs.answers = {MessageAnswer::Cancel};
    dlg.saveButton()->click();
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("設定１に保存しますか？")}));
    EXPECT_EQ(readFile(files.checks.file), "");
    EXPECT_FALSE(fs::exists(files.names.file));
    EXPECT_FALSE(fs::exists(files.switches.file));
}

TEST_F(SetChDlgTest, ASaveThatCouldNotWriteIsNotReportedAsSaved) {
    CSetChDlg dlg(session);
    writeFile(files.names.file, "\r\n\r\n\r\n");
    test::makeReadOnly(files.names.file);  // the file cannot be rewritten
    choose(dlg, 3);
    dlg.saveButton()->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    // The other two files are written all the same, and the message says exactly that.
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("設定３の一部を保存できませんでした。\n保存したもの：チェックの状態、BER/MER/CNの状態\n"
                             "保存できなかったもの：放送局名\n") +
                  QString::fromStdString(files.names.file.string()) + QStringLiteral(": アクセスが拒否されました。"));
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(readFile(files.switches.file), "000\r\n000\r\n000\r\n");
    EXPECT_EQ(readPresetLine(files.checks.file, 3), checkLineOf(dlg.dialogState()));
}

TEST(PresetNotSavedText, NamesTheWrittenAndTheUnwrittenParts) {
    struct Case {
        bool checks, names, switches;
        const char* expected;
    } cases[] = {
        {false, false, false, "チェックの状態と放送局名を保存できませんでした。\nwhy"},
        {true, false, false,
         "設定１の一部を保存できませんでした。\n保存したもの：チェックの状態\n"
         "保存できなかったもの：放送局名、BER/MER/CNの状態\nwhy"},
        {false, true, true,
         "設定１の一部を保存できませんでした。\n保存したもの：放送局名、BER/MER/CNの状態\n"
         "保存できなかったもの：チェックの状態\nwhy"},
    };
    for (const Case& c : cases) {
        PresetSaveResult r{c.checks, c.names, c.switches, "why"};
        EXPECT_EQ(presetNotSavedText(QStringLiteral("設定１"), r), QString::fromUtf8(c.expected));
    }
}

TEST_F(SetChDlgTest, LoadShowsTheSlotAndStoresNothing) {
    ChannelSettingsState saved;
    saved.boxes[displayPos(252)] = true;
    saved.boxes[81] = true;
    saved.names[252] = "K2";
    saved.cn = true;
    ASSERT_TRUE(savePreset(files, 1, saved));

    CSetChDlg dlg(session);
    dlg.channelBox(0)->setChecked(true);
    dlg.page(0)->nameEdit(1)->setText("typed");
    dlg.berBox()->setChecked(true);
    choose(dlg, 1);
    dlg.loadButton()->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dlg.dialogState(), saved);
    EXPECT_EQ(session.summary.current, AggregationSummary{});

    // Slot 3 was never saved: its placeholders clear everything.
    choose(dlg, 3);
    dlg.loadButton()->click();
    EXPECT_EQ(dlg.dialogState(), ChannelSettingsState{});
}

TEST_F(SetChDlgTest, LoadWithoutChecklistChangesNothing) {
    CSetChDlg dlg(session);
    fs::remove(files.checks.file);
    writeFile(files.switches.file, "111\r\n111\r\n111\r\n");
    dlg.channelBox(5)->setChecked(true);
    ChannelSettingsState before = dlg.dialogState();
    choose(dlg, 1);
    dlg.loadButton()->click();
    EXPECT_EQ(dlg.dialogState(), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SetChDlgTest, OkStoresTheSelectionNamesAndSwitches) {
    for (int c = 280; c <= 311; ++c) {  // JCSAT-4B in use from the reading run
        session.summary.current.channelHasValue[c] = 1;
        session.summary.current.columnHasValue[displayPos(c)] = 1;
    }
    session.summary.savedChannelHasValue[5] = 1;

    {
        CSetChDlg dlg(session);
        dlg.tabs()->setCurrentIndex(5);
        dlg.selectAllBox(7)->click();  // JCSAT-3A horizontal, all ticked
        dlg.selectAllBox(4)->setChecked(true);
        dlg.channelBox(76)->setChecked(true);  // BS-24
        dlg.tabs()->setCurrentIndex(0);        // changing tabs keeps what was done on the others
        dlg.page(0)->nameEdit(0)->setText(QStringLiteral("ＮＨＫ"));
        dlg.berBox()->setChecked(true);
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    const AggregationSummary& current = session.summary.current;
    for (int c = 252; c <= 265; ++c) EXPECT_EQ(current.channelHasValue[c], 1) << c;
    for (int c = 266; c <= 279; ++c) EXPECT_EQ(current.channelHasValue[c], 0) << c;
    for (int c = 280; c <= 311; ++c) EXPECT_EQ(current.channelHasValue[c], 1) << c;
    EXPECT_EQ(current.columnHasValue[81], 1);       // CS left-hand select-all
    EXPECT_EQ(current.columnHasValue[80], 1);       // BS-24
    EXPECT_EQ(current.columnHasValue[252 + 7], 1);  // JCSAT-3A horizontal select-all
    EXPECT_EQ(current.berPresent, 1);
    EXPECT_EQ(current.merPresent, 0);
    EXPECT_EQ(session.summary.savedChannelHasValue[5], 1);  // the saved set is not touched
    EXPECT_EQ(storedNames()[0], cp("ＮＨＫ"));
    EXPECT_TRUE(dialogs.messages.empty());

    CSetChDlg reopened(session);
    EXPECT_TRUE(reopened.selectAllBox(4)->isChecked());
    EXPECT_TRUE(reopened.channelBox(76)->isChecked());
    EXPECT_TRUE(reopened.selectAllBox(7)->isChecked());
    EXPECT_EQ(reopened.page(0)->nameEdit(0)->text(), QStringLiteral("ＮＨＫ"));
    EXPECT_TRUE(reopened.berBox()->isChecked());
}

TEST_F(SetChDlgTest, OkWhoseNamesCannotBeWrittenSaysSoAndStaysOpen) {
    fs::create_directory(session.settingsPath);  // the settings file cannot be written
    CSetChDlg dlg(session);
    dlg.show();
    dlg.page(0)->nameEdit(0)->setText("typed");
    dlg.okButton()->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("放送局名を設定ファイルに書き込めませんでした。")));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.page(0)->nameEdit(0)->text(), QStringLiteral("typed"));
}

TEST_F(SetChDlgTest, CloseBoxEscAndEnterStoreNothing) {
    BroadcasterNames names;
    names[3] = "kept";
    writeNames(names);
    const std::string settingsBefore = readFile(session.settingsPath);

    CSetChDlg dlg(session);
    dlg.show();
    dlg.channelBox(3)->setChecked(true);
    dlg.page(0)->nameEdit(3)->setText("changed");
    dlg.cnBox()->setChecked(true);

    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::keyClick(dlg.page(0)->nameEdit(3), Qt::Key_Return);
    QTest::keyClick(dlg.okButton(), Qt::Key_Enter);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(session.summary.current, AggregationSummary{});

    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(session.summary.current, AggregationSummary{});
    EXPECT_EQ(readFile(session.settingsPath), settingsBefore);
}

TEST_F(SetChDlgTest, NameEditsRefuseAThirteenthCharacterAndCommas) {
    BroadcasterNames names;
    names[1] = cp("あいうえおかきくけこさしすせそ");  // 15 characters from the settings file
    writeNames(names);
    CSetChDlg dlg(session);
    dlg.show();

    BroadcasterNameEdit* edit = dlg.page(0)->nameEdit(0);
    QTest::keyClicks(edit, "abcdefghijklm");
    EXPECT_EQ(edit->text(), QStringLiteral("abcdefghijkl"));
    edit->clear();
    QTest::keyClicks(edit, "a,b");
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));

    // A paste is cut to what still fits.
    edit->clear();
    edit->insert(QStringLiteral("0123456789abcdefg"));
    EXPECT_EQ(edit->text(), QStringLiteral("0123456789ab"));

    // A longer stored name can be shortened but not grown.
    BroadcasterNameEdit* stored = dlg.page(0)->nameEdit(1);
    stored->setFocus();
    stored->end(false);
    QTest::keyClick(stored, Qt::Key_X);
    EXPECT_EQ(stored->text().size(), 15);
    QTest::keyClick(stored, Qt::Key_Backspace);
    EXPECT_EQ(stored->text(), QStringLiteral("あいうえおかきくけこさしすせ"));
}

// What the name edit shows is what the settings file keeps: characters code page 932
// cannot hold are refused, typed or pasted, and those it keeps in another form are
// shown in that form at once.
// Types each character as a key press carrying its text (any character, not only
// those with a key of their own).
void typeText(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

TEST_F(SetChDlgTest, NameEditsRefuseCharactersCodePage932CannotHold) {
    CSetChDlg dlg(session);
    dlg.show();
    BroadcasterNameEdit* edit = dlg.page(0)->nameEdit(0);
    struct Case {
        const char* what;
        QString typed, pasted, shown;
    } cases[] = {
        {"accented letter typed", "Café", "", "Caf"},
        {"hangul pasted", "", "한국방송", ""},
        {"a paste with one foreign character is refused whole", "ＮＨＫ", "総合é", "ＮＨＫ"},
        {"wave dash and minus sign", "1〜2−3", "", "1～2－3"},
        {"a typed question mark stays", "BS?", "", "BS?"},
        {"Japanese", "", "テレビ東京", "テレビ東京"},
    };
    for (const Case& c : cases) {
        edit->clear();
        if (!c.typed.isEmpty()) typeText(edit, c.typed);
        if (!c.pasted.isEmpty()) edit->insert(c.pasted);
        EXPECT_EQ(edit->text(), c.shown) << c.what;
    }
    edit->setText(QStringLiteral("1〜2"));
    EXPECT_EQ(edit->text(), QStringLiteral("1～2"));  // also when set by the program
    edit->clear();
    typeText(edit, QStringLiteral("局〜"));
    dlg.okButton()->click();
    ReportSettings settings;
    SettingsFile(session.settingsPath).readBroadcasterNames(settings);
    EXPECT_EQ(fromSj(SjView{settings.broadcasterNames[0]}), QStringLiteral("局～"));
}

TEST_F(SetChDlgTest, PremiumScrollsToItsEndInOneStepAndCatvInSix) {
    CSetChDlg dlg(session);
    struct Case {
        int tab;
        std::vector<int> positions;  // after each line-down step
    };
    const Case cases[] = {{11, {210, 210}}, {3, {63, 126, 189, 252, 315, 320, 320}}};
    for (const Case& c : cases) {
        ChannelPage* page = dlg.page(c.tab);
        QScrollBar* bar = page->scrollBar();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->value(), 0);
        for (int expected : c.positions) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            EXPECT_EQ(bar->value(), expected) << "tab " << c.tab;
            EXPECT_EQ(page->content()->y(), -expected);
        }
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        EXPECT_EQ(bar->value(), c.positions.front() == 210 ? 0 : 320 - 63);
        bar->setValue(0);
    }
    for (int tab : {0, 4, 10}) EXPECT_EQ(dlg.page(tab)->scrollBar(), nullptr) << tab;
}

TEST_F(SetChDlgTest, WheelNotchMovesOneStep) {
    CSetChDlg dlg(session);
    ChannelPage* page = dlg.page(3);
    auto wheel = [&](QWidget* target, int delta) {
        QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    wheel(page, -120);  // towards the user: one line down
    EXPECT_EQ(page->scrollBar()->value(), 63);
    wheel(page->scrollBar(), -240);  // two notches on the bar itself
    EXPECT_EQ(page->scrollBar()->value(), 189);
    wheel(page, 120);
    EXPECT_EQ(page->scrollBar()->value(), 126);
    wheel(page, 60);  // half a notch does nothing yet
    EXPECT_EQ(page->scrollBar()->value(), 126);
    wheel(page, 60);
    EXPECT_EQ(page->scrollBar()->value(), 63);
}

TEST_F(SetChDlgTest, TabMovesThroughTheControlsOfAPage) {
    CSetChDlg dlg(session);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));

    dlg.tabs()->setCurrentIndex(3);
    ChannelPage* page = dlg.page(3);
    page->selectAllBox(5)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->channelBox(90));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->nameEdit(90));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->channelBox(91));

    // A control below the view comes into view when it takes the focus.
    page->nameEdit(90 + 24)->setFocus();
    EXPECT_GT(page->scrollBar()->value(), 0);
    QRect r(page->nameEdit(90 + 24)->mapTo(page, QPoint(0, 0)), page->nameEdit(90 + 24)->size());
    EXPECT_TRUE(page->rect().contains(r));
}

}  // namespace
}  // namespace mireva::ui
