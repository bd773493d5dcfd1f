// "使用チャンネル設定": the modal dialog where the user chooses which channels and which
// BER / MER / CN rows the outputs show, names the broadcasters, and saves or loads the
// three presets. It opens from the current set and the settings file; only OK stores
// into them. Enter and Esc do nothing here; the close box leaves without storing.
#pragma once

#include <QDialog>

#include <array>

#include "channels/channel_settings_state.h"
#include "channels/preset_store.h"
#include "core/app_session.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;

namespace mireva::ui {

class ChannelPage;

// The warning after a save of slot `slotName` ("設定２") that did not write every file:
// when some parts were written, which were and which were not, then the reasons.
QString presetNotSavedText(const QString& slotName, const PresetSaveResult& result);

class CSetChDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPageCount = 13;

    explicit CSetChDlg(AppSession& session, QWidget* parent = nullptr);

    // What every page, name edit and switch shows now.
    ChannelSettingsState dialogState() const;
    void showState(const ChannelSettingsState& state);

    QTabWidget* tabs() const { return tabs_; }
    ChannelPage* page(int tab) const { return pages_[tab]; }
    ChannelPage* pageOfGroup(int group) const;
    QCheckBox* channelBox(int channelIndex) const;
    QCheckBox* selectAllBox(int group) const;
    QComboBox* presetList() const { return presets_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* okButton() const { return ok_; }
    QCheckBox* berBox() const { return ber_; }
    QCheckBox* merBox() const { return mer_; }
    QCheckBox* cnBox() const { return cn_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void savePressed();
    void loadPressed();
    void okPressed();

    AppSession& session_;
    PresetFiles files_;
    QTabWidget* tabs_ = nullptr;
    std::array<ChannelPage*, kPageCount> pages_{};
    QComboBox* presets_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* ok_ = nullptr;
    QCheckBox* ber_ = nullptr;
    QCheckBox* mer_ = nullptr;
    QCheckBox* cn_ = nullptr;
};

}  // namespace mireva::ui
