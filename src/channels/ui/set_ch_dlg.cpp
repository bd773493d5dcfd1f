#include "channels/ui/set_ch_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "channels/ui/channel_page.h"
#include "settings/settings_file.h"

namespace mireva::ui {
namespace {

const QString kChooseSlot = QStringLiteral("保存名を選択してください。");
const QString kSaved = QStringLiteral("チェックの状態と放送局名を保存しました。");
const QString kNotSaved = QStringLiteral("チェックの状態と放送局名を保存できませんでした。");
const QString kNamesNotWritten = QStringLiteral("放送局名を設定ファイルに書き込めませんでした。");

QPushButton* button(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);  // Enter never presses a button of this dialog
    b->setDefault(false);
    b->setGeometry(geometry);
    return b;
}

}  // namespace

QString presetNotSavedText(const QString& slotName, const PresetSaveResult& result) {
    const QString reasons = QString::fromStdString(result.error);
    if (result.none()) return kNotSaved + QLatin1Char('\n') + reasons;
    QStringList saved, notSaved;
    const std::pair<bool, QString> parts[] = {{result.checks, QStringLiteral("チェックの状態")},
                                              {result.names, QStringLiteral("放送局名")},
                                              {result.switches, QStringLiteral("BER/MER/CNの状態")}};
    for (const auto& [written, part] : parts) (written ? saved : notSaved) << part;
    return QStringLiteral("%1の一部を保存できませんでした。\n保存したもの：%2\n保存できなかったもの：%3\n%4")
        .arg(slotName, saved.join(QStringLiteral("、")), notSaved.join(QStringLiteral("、")), reasons);
}

CSetChDlg::CSetChDlg(AppSession& session, QWidget* parent)
    : QDialog(parent), session_(session), files_(PresetFiles::in(session.locations)) {
    setWindowTitle(QStringLiteral("使用チャンネル設定"));
    setObjectName(QStringLiteral("CSetChDlg"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // The probe creates an empty checklist.txt, so the first save of a slot rewrites it.
    probeChannelSettingsFolder(session_.locations);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    const auto& layouts = channelPageLayouts();
    for (int i = 0; i < kPageCount; ++i) {
        pages_[i] = new ChannelPage(layouts[i], tabs_);
        tabs_->addTab(pages_[i], QString::fromUtf8(layouts[i].tabCaption));
    }
    tabs_->setCurrentIndex(0);
    tabs_->setUsesScrollButtons(false);
    QSize tabSize = tabs_->sizeHint();
    tabs_->setGeometry(7, 7, tabSize.width(), tabSize.height());

    int rowTop = tabs_->geometry().bottom() + 12;
    auto* label = new QLabel(QStringLiteral("保存名："), this);
    label->setGeometry(15, rowTop, 60, 24);
    presets_ = new QComboBox(this);
    presets_->setObjectName(QStringLiteral("presets"));
    presets_->addItems({QStringLiteral("選択してください。"), QStringLiteral("設定１"), QStringLiteral("設定２"),
                        QStringLiteral("設定３")});
    presets_->setCurrentIndex(0);
    presets_->setGeometry(75, rowTop, 170, 24);
    load_ = button(QStringLiteral("読み込み"), this, QRect(255, rowTop, 90, 26));
    save_ = button(QStringLiteral("保存"), this, QRect(355, rowTop, 90, 26));
    ber_ = new QCheckBox(QStringLiteral("BER"), this);
    ber_->setGeometry(520, rowTop, 60, 24);
    mer_ = new QCheckBox(QStringLiteral("MER"), this);
    mer_->setGeometry(590, rowTop, 60, 24);
    cn_ = new QCheckBox(QStringLiteral("CN"), this);
    cn_->setGeometry(660, rowTop, 60, 24);
    int right = tabs_->geometry().right();
    ok_ = button(QStringLiteral("OK"), this, QRect(right - 90, rowTop, 90, 26));
    setFixedSize(right + 8, rowTop + 26 + 12);

    connect(save_, &QPushButton::clicked, this, &CSetChDlg::savePressed);
    connect(load_, &QPushButton::clicked, this, &CSetChDlg::loadPressed);
    connect(ok_, &QPushButton::clicked, this, &CSetChDlg::okPressed);

    ReportSettings settings;
    SettingsFile(session_.settingsPath).readBroadcasterNames(settings);
    showState(stateFromCurrentSet(session_.summary.current, settings.broadcasterNames));
}

ChannelPage* CSetChDlg::pageOfGroup(int group) const {
    for (ChannelPage* p : pages_)
        if (p->owns(group)) return p;
    return nullptr;
}

QCheckBox* CSetChDlg::channelBox(int channelIndex) const {
    ChannelPage* p = pageOfGroup(ChannelCatalog::instance().groupOf(channelIndex));
    return p ? p->channelBox(channelIndex) : nullptr;
}

QCheckBox* CSetChDlg::selectAllBox(int group) const {
    ChannelPage* p = pageOfGroup(group);
    return p ? p->selectAllBox(group) : nullptr;
}

ChannelSettingsState CSetChDlg::dialogState() const {
    ChannelSettingsState state;
    for (ChannelPage* p : pages_) p->collectState(state);
    state.ber = ber_->isChecked();
    state.mer = mer_->isChecked();
    state.cn = cn_->isChecked();
    return state;
}

void CSetChDlg::showState(const ChannelSettingsState& state) {
    for (ChannelPage* p : pages_) p->showState(state);
    ber_->setChecked(state.ber);
    mer_->setChecked(state.mer);
    cn_->setChecked(state.cn);
}

void CSetChDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // neither confirms nor closes
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CSetChDlg::savePressed() {
    int slot = presets_->currentIndex();
    if (slot <= 0) {
        MessageBoxes::show(this, kChooseSlot);
        return;
    }
    QString question = QStringLiteral("%1に保存しますか？").arg(presets_->currentText());
    if (MessageBoxes::show(this, question, MessageIcon::None, MessageButtons::OkCancel) != MessageAnswer::Ok) return;
    const PresetSaveResult result = savePresetParts(files_, slot, dialogState());
    if (result.all()) {
        MessageBoxes::show(this, kSaved, MessageIcon::Information);
    } else {
        MessageBoxes::show(this, presetNotSavedText(presets_->currentText(), result), MessageIcon::Warning);
    }
}

void CSetChDlg::loadPressed() {
    int slot = presets_->currentIndex();
    if (slot <= 0) {
        MessageBoxes::show(this, kChooseSlot);
        return;
    }
    ChannelSettingsState state = dialogState();
    if (loadPreset(files_, slot, state)) showState(state);
}

void CSetChDlg::okPressed() {
    std::string error;
    if (!commitChannelSettings(dialogState(), session_.summary.current, session_.settingsPath, &error)) {
        // The selection is stored; the dialog stays open so that the typed names are not lost.
        MessageBoxes::show(this, kNamesNotWritten + QLatin1Char('\n') + QString::fromStdString(error),
                           MessageIcon::Warning);
        return;
    }
    accept();
}

}  // namespace mireva::ui
