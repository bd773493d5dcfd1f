// One page of the channel settings dialog: a group box per band group with its
// "全選択" box on top and, per channel in catalog order, a check box and the edit for
// the broadcaster name, in columns running top to bottom, then left to right. The
// CATV and premium pages are taller than the dialog and scroll by fixed steps.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "channels/channel_settings_state.h"

class QCheckBox;
class QGroupBox;
class QScrollBar;

namespace mireva::ui {

class BroadcasterNameEdit;

struct ChannelPageLayout {
    struct Box {
        int group;  // band group of the catalog
        const char* caption;
    };
    const char* tabCaption;
    const char* className;   // object name of the page
    std::vector<Box> boxes;  // left to right
    int perColumn = 10;
    int checkWidth = 55;
    QRect groupRect;      // fixed group box (left, top, right, bottom); empty: fitted to the columns
    int scrollRange = 0;  // 0: the page does not scroll
    int scrollStep = 0;
    bool channelSuffix = false;  // terrestrial: "13ch" instead of "13"
};

// The 13 pages in tab order.
const std::vector<ChannelPageLayout>& channelPageLayouts();

class ChannelPage : public QWidget {
    Q_OBJECT
public:
    ChannelPage(const ChannelPageLayout& layout, QWidget* parent = nullptr);

    // Shows the boxes and names of this page's groups from the state.
    void showState(const ChannelSettingsState& state);
    // Writes this page's boxes and names into the state; the rest stays.
    void collectState(ChannelSettingsState& state) const;

    const ChannelPageLayout& pageLayout() const { return layout_; }
    bool owns(int group) const;
    QCheckBox* selectAllBox(int group) const;
    QCheckBox* channelBox(int channelIndex) const;
    BroadcasterNameEdit* nameEdit(int channelIndex) const;
    QGroupBox* groupBox(int group) const;
    // Null on pages that do not scroll.
    QScrollBar* scrollBar() const { return scrollBar_; }
    // The widget holding every control; it moves up as the page scrolls.
    QWidget* content() const { return content_; }

    static constexpr int kWidth = 992;
    static constexpr int kHeight = 300;

    QSize sizeHint() const override { return QSize(kWidth, kHeight); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Group {
        int group = 0;
        QGroupBox* box = nullptr;
        QCheckBox* selectAll = nullptr;
        std::vector<QCheckBox*> channels;  // catalog order
        std::vector<BroadcasterNameEdit*> edits;
    };
    const Group* find(int group) const;
    const Group* findChannel(int channelIndex) const;
    void scrollTo(int value);
    void handleWheel(QWheelEvent* event);
    void keepVisible(QWidget* focused);

    ChannelPageLayout layout_;
    QWidget* content_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    std::vector<Group> groups_;
    int wheelRemainder_ = 0;
};

}  // namespace mireva::ui
