#include "channels/ui/channel_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "uikit/qt_text.h"
#include "channels/ui/broadcaster_name_edit.h"
#include "core/channel_catalog.h"

namespace mireva::ui {
namespace {

// Geometry of a page, in pixels of the page.
constexpr int kBoxTop = 11;
constexpr int kFirstLeft = 11;
constexpr int kBoxGap = 10;  // between two group boxes of one page
constexpr int kColumnPitch = 134;
constexpr int kRowPitch = 21;
constexpr int kCheckLeft = 25;  // relative to the page for the first box
constexpr int kCheckTop = 65;
constexpr int kCheckHeight = 16;
constexpr int kEditOffset = 56;  // edit left minus check box left
constexpr int kEditTop = 62;
constexpr int kEditWidth = 70;
constexpr int kEditHeight = 20;
constexpr int kBoxRightMargin = 13;
constexpr int kBoxBottomMargin = 10;
constexpr QRect kSelectAll(QPoint(25, 41), QPoint(80, 57));
constexpr int kScrollBarWidth = 17;

QRect fittedRect(int left, int channels, int perColumn) {
    int columns = (channels + perColumn - 1) / perColumn;
    int rows = std::min(channels, perColumn);
    int right =
        left + (kCheckLeft - kFirstLeft) + (columns - 1) * kColumnPitch + kEditOffset + kEditWidth + kBoxRightMargin;
    int bottom = kEditTop + (rows - 1) * kRowPitch + kEditHeight + kBoxBottomMargin;
    return QRect(QPoint(left, kBoxTop), QPoint(right, bottom));
}

}  // namespace

const std::vector<ChannelPageLayout>& channelPageLayouts() {
    static const std::vector<ChannelPageLayout> layouts = [] {
        using Box = ChannelPageLayout::Box;
        std::vector<ChannelPageLayout> s;
        auto add = [&](const char* tab, const char* cls, std::vector<Box> boxes) -> ChannelPageLayout& {
            ChannelPageLayout layout;
            layout.tabCaption = tab;
            layout.className = cls;
            layout.boxes = std::move(boxes);
            s.push_back(layout);
            return s.back();
        };
        add("地デジ", "CSetUHFChDlg", {{0, "地上波デジタル"}}).channelSuffix = true;
        add("BS", "CSetBSChDlg", {{1, "BS（右旋）"}, {3, "BS（左旋）"}});
        add("CS", "CSetCSChDlg", {{2, "110度CS（右旋）"}, {4, "110度CS（左旋）"}});
        {
            ChannelPageLayout& catv = add("CATV", "CSetCATVChDlg", {{5, "CATV"}});
            catv.perColumn = 25;
            catv.checkWidth = 47;
            catv.groupRect = QRect(QPoint(11, 11), QPoint(967, 601));
            catv.scrollRange = 320;
            catv.scrollStep = 63;
        }
        add("CATV上り", "CSetCATVUPChDlg", {{6, "CATV上り"}}).groupRect = QRect(QPoint(11, 11), QPoint(298, 282));
        add("JCSAT-3A", "CSetJCSAT3AChDlg", {{7, "JCSAT-3A（水平）"}, {8, "JCSAT-3A（垂直）"}});
        add("JCSAT-4B", "CSetJCSAT4BChDlg", {{9, "JCSAT-4B（水平）"}, {10, "JCSAT-4B（垂直）"}});
        add("SCC-B", "CSetSCCBChDlg", {{11, "SCC-B（水平）"}, {12, "SCC-B（垂直）"}});
        add("SCC-C", "CSetSCCCChDlg", {{13, "SCC-C（水平）"}, {14, "SCC-C（垂直）"}});
        add("LTE", "CSetLTEChDlg", {{15, "LTE"}});
        add("FM", "CSetFMChDlg", {{16, "FM"}}).groupRect = QRect(QPoint(11, 11), QPoint(298, 282));
        {
            ChannelPageLayout& premium = add("ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", "CSetSKYPChDlg", {{17, "スカパー！プレミアム光"}});
            premium.perColumn = 20;
            premium.checkWidth = 47;
            premium.groupRect = QRect(QPoint(11, 11), QPoint(837, 496));
            premium.scrollRange = 210;
            premium.scrollStep = 210;
        }
        add("PILOT", "CSetPILOTChDlg", {{18, "PILOT"}});
        return s;
    }();
    return layouts;
}

ChannelPage::ChannelPage(const ChannelPageLayout& layout, QWidget* parent) : QWidget(parent), layout_(layout) {
    setObjectName(QString::fromLatin1(layout.className));
    setFixedSize(kWidth, kHeight);

    // White pages with black labels and captions.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    white.setColor(QPalette::Text, Qt::black);
    white.setColor(QPalette::ButtonText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    QFont font = this->font();
    font.setPixelSize(12);
    setFont(font);

    content_ = new QWidget(this);
    content_->setAutoFillBackground(true);

    const ChannelCatalog& catalog = ChannelCatalog::instance();
    int left = kFirstLeft;
    int contentHeight = kHeight;
    for (const ChannelPageLayout::Box& b : layout.boxes) {
        const BandGroup& bandGroup = catalog.group(b.group);
        QRect rect =
            layout.groupRect.isEmpty() ? fittedRect(left, bandGroup.count, layout.perColumn) : layout.groupRect;
        int dx = rect.left() - kFirstLeft;  // controls of the second box move with it

        Group g;
        g.group = b.group;
        g.box = new QGroupBox(QString::fromUtf8(b.caption), content_);
        g.box->setObjectName(QStringLiteral("group%1").arg(b.group));
        g.box->setGeometry(rect);
        // The controls are children of the content, not of the group box, so that the
        // focus moves through them in creation order on every page.
        g.selectAll = new QCheckBox(QStringLiteral("全選択"), content_);
        g.selectAll->setObjectName(QStringLiteral("selectAll%1").arg(b.group));
        g.selectAll->setGeometry(kSelectAll.translated(dx, 0));
        for (int i = 0; i < bandGroup.count; ++i) {
            int channel = bandGroup.first + i;
            int column = i / layout.perColumn;
            int row = i % layout.perColumn;
            int x = kCheckLeft + dx + column * kColumnPitch;
            QString label = fromSj(SjView{catalog.channel(channel).name});
            if (layout.channelSuffix) label += QStringLiteral("ch");
            auto* box = new QCheckBox(label, content_);
            box->setObjectName(QStringLiteral("channel%1").arg(channel));
            // This font runs wider than the one the widths were made for: a label that
            // would be clipped takes the room up to its edit.
            int width = std::clamp(box->sizeHint().width(), layout.checkWidth, kEditOffset - 1);
            box->setGeometry(x, kCheckTop + row * kRowPitch, width, kCheckHeight);
            auto* edit = new BroadcasterNameEdit(content_);
            edit->setObjectName(QStringLiteral("name%1").arg(channel));
            edit->setGeometry(x + kEditOffset, kEditTop + row * kRowPitch, kEditWidth, kEditHeight);
            g.channels.push_back(box);
            g.edits.push_back(edit);
        }
        QCheckBox* selectAll = g.selectAll;
        std::vector<QCheckBox*> channels = g.channels;
        connect(selectAll, &QCheckBox::clicked, this, [channels](bool checked) {
            for (QCheckBox* c : channels) c->setChecked(checked);
        });
        groups_.push_back(std::move(g));
        left = rect.right() + 1 + kBoxGap;
        contentHeight = std::max(contentHeight, rect.bottom() + 1 + kBoxTop);
    }

    int contentWidth = kWidth;
    if (layout.scrollRange > 0) {
        contentWidth -= kScrollBarWidth;
        contentHeight = std::max(contentHeight, kHeight + layout.scrollRange);
        scrollBar_ = new QScrollBar(Qt::Vertical, this);
        scrollBar_->setObjectName(QStringLiteral("scroll"));
        scrollBar_->setGeometry(kWidth - kScrollBarWidth, 0, kScrollBarWidth, kHeight);
        scrollBar_->setRange(0, layout.scrollRange);
        scrollBar_->setSingleStep(layout.scrollStep);
        scrollBar_->setPageStep(layout.scrollStep);
        scrollBar_->setFocusPolicy(Qt::NoFocus);
        scrollBar_->installEventFilter(this);
        connect(scrollBar_, &QScrollBar::valueChanged, this, &ChannelPage::scrollTo);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { keepVisible(now); });
    }
    content_->setGeometry(0, 0, contentWidth, contentHeight);
}

bool ChannelPage::owns(int group) const { return find(group) != nullptr; }

const ChannelPage::Group* ChannelPage::find(int group) const {
    for (const Group& g : groups_)
        if (g.group == group) return &g;
    return nullptr;
}

const ChannelPage::Group* ChannelPage::findChannel(int channelIndex) const {
    if (channelIndex < 0 || channelIndex >= kChannelCount) return nullptr;
    return find(ChannelCatalog::instance().groupOf(channelIndex));
}

QCheckBox* ChannelPage::selectAllBox(int group) const {
    const Group* g = find(group);
    return g ? g->selectAll : nullptr;
}

QCheckBox* ChannelPage::channelBox(int channelIndex) const {
    const Group* g = findChannel(channelIndex);
    return g ? g->channels[channelIndex - ChannelCatalog::instance().group(g->group).first] : nullptr;
}

BroadcasterNameEdit* ChannelPage::nameEdit(int channelIndex) const {
    const Group* g = findChannel(channelIndex);
    return g ? g->edits[channelIndex - ChannelCatalog::instance().group(g->group).first] : nullptr;
}

QGroupBox* ChannelPage::groupBox(int group) const {
    const Group* g = find(group);
    return g ? g->box : nullptr;
}

void ChannelPage::showState(const ChannelSettingsState& state) {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    for (const Group& g : groups_) {
        const BandGroup& bandGroup = catalog.group(g.group);
        g.selectAll->setChecked(state.boxes[bandGroup.first + g.group]);
        for (int i = 0; i < bandGroup.count; ++i) {
            int channel = bandGroup.first + i;
            g.channels[i]->setChecked(state.boxes[ChannelCatalog::displayPosition(channel)]);
            g.edits[i]->setName(fromSj(SjView{state.names[channel]}));
        }
    }
}

void ChannelPage::collectState(ChannelSettingsState& state) const {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    for (const Group& g : groups_) {
        const BandGroup& bandGroup = catalog.group(g.group);
        state.boxes[bandGroup.first + g.group] = g.selectAll->isChecked();
        for (int i = 0; i < bandGroup.count; ++i) {
            int channel = bandGroup.first + i;
            state.boxes[ChannelCatalog::displayPosition(channel)] = g.channels[i]->isChecked();
            state.names[channel] =
                std::string(cutToCharacters(toSj(g.edits[i]->text()).bytes, kBroadcasterNameStoredLimit));
        }
    }
}

void ChannelPage::scrollTo(int value) { content_->move(0, -value); }

void ChannelPage::wheelEvent(QWheelEvent* event) {
    if (!scrollBar_) {
        QWidget::wheelEvent(event);
        return;
    }
    handleWheel(event);
}

bool ChannelPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBar_ && event->type() == QEvent::Wheel) {
        handleWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// One notch of the wheel is one step, whatever the desktop's lines-per-notch setting.
void ChannelPage::handleWheel(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    int notches = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        scrollBar_->setValue(std::clamp(scrollBar_->value() - notches * layout_.scrollStep, 0, layout_.scrollRange));
    event->accept();
}

// Moving the focus with Tab onto a control outside the view brings it into view.
void ChannelPage::keepVisible(QWidget* focused) {
    if (!focused || !content_->isAncestorOf(focused)) return;
    QRect r(focused->mapTo(content_, QPoint(0, 0)), focused->size());
    int top = scrollBar_->value();
    int margin = kRowPitch - kEditHeight + 4;
    if (r.top() - margin < top)
        scrollBar_->setValue(std::max(0, r.top() - margin));
    else if (r.bottom() + margin > top + kHeight)
        scrollBar_->setValue(r.bottom() + margin - kHeight);
}

}  // namespace mireva::ui
