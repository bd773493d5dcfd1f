#include "panel/ui/worksheet_grid.h"

#include <QItemSelection>

#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

#include "uikit/ui_fonts.h"
#include "panel/ui/worksheet_grid_model.h"

namespace mireva::ui {

void WorksheetGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const auto* model = static_cast<const WorksheetGridModel*>(index.model());
    const int row = index.row();
    const bool selected = option.state & QStyle::State_Selected;
    const QColor back = selected ? WorksheetGridModel::selectedBackground() : model->background(row);
    const QColor text = selected ? WorksheetGridModel::selectedForeground() : model->foreground(row);

    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, back);
    const QRect textRect = option.rect.adjusted(WorksheetGrid::kCellPadding, 0, -WorksheetGrid::kCellPadding, 0);
    if (textRect.width() > 0) {
        painter->setPen(text);
        painter->setFont(option.font);
        const int align = index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
        const QString whole = model->cellText(row, index.column());
        const double stretch = WorksheetGrid::textStretch(option.fontMetrics, whole, textRect.width());
        if (stretch > 0 && stretch < 1) {
            // Drawn into a rectangle as wide as the text, scaled to the cell's width.
            painter->translate(textRect.left(), 0);
            painter->scale(stretch, 1);
            const QRect wide(0, textRect.top(), option.fontMetrics.horizontalAdvance(whole), textRect.height());
            painter->drawText(wide, align | Qt::TextSingleLine, whole);
        } else {
            // A text too long even narrowed ends in an ellipsis rather than being cut
            // at both sides.
            const QString shown =
                stretch > 0 ? whole : option.fontMetrics.elidedText(whole, Qt::ElideRight, textRect.width());
            painter->drawText(textRect, align | Qt::TextSingleLine, shown);
        }
    }
    painter->restore();
}

QFont WorksheetGrid::gridFont(const QFont& base) {
    // Noto Sans CJK JP draws the Japanese texts and the figures in one face; at 11
    // pixels "10678.00" and "1.8E-08" fit a 50-pixel column with the padding.
    QFont font = withJapaneseFace(base);
    font.setPixelSize(11);
    return font;
}

WorksheetGrid::WorksheetGrid(WorksheetGridModel* model, QWidget* parent) : QTableView(parent), model_(model) {
    setObjectName("worksheetGrid");
    setFont(gridFont(font()));
    setModel(model);
    setItemDelegate(new WorksheetGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setFont(font());
    horizontalHeader()->viewport()->installEventFilter(this);

    // Sections resized while the model is refilled or while the program sets the
    // widths are not the user's doing.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { settingWidths_ = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { settingWidths_ = false; });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { rememberUserWidth(column, width); });
}

void WorksheetGrid::rememberUserWidth(int column, int width) {
    if (settingWidths_ || column < 0 || column >= model_->columnCount()) return;
    userWidths_[{model_->tab(), model_->columnField(column)}] = width;
}

void WorksheetGrid::applyColumnWidths() {
    QHeaderView* header = horizontalHeader();
    settingWidths_ = true;
    for (int c = 0; c < model_->columnCount(); ++c) {
        const auto kept = userWidths_.find({model_->tab(), model_->columnField(c)});
        header->resizeSection(c, kept != userWidths_.end() ? kept->second : model_->columnWidth(c));
    }
    settingWidths_ = false;
}

int WorksheetGrid::textRoom(int column) const { return columnWidth(column) - (showGrid() ? 1 : 0) - 2 * kCellPadding; }

double WorksheetGrid::textStretch(const QFontMetrics& metrics, const QString& text, int room) {
    if (room <= 0) return text.isEmpty() ? 1 : 0;
    const int advance = metrics.horizontalAdvance(text);
    if (advance <= room) return 1;
    const double stretch = static_cast<double>(room) / advance;
    return stretch >= kMinTextStretch ? stretch : 0;
}

bool WorksheetGrid::isCellTextNarrowed(int row, int column) const {
    const double stretch = textStretch(QFontMetrics(font()), model_->cellText(row, column), textRoom(column));
    return stretch > 0 && stretch < 1;
}

bool WorksheetGrid::isCellTextCut(int row, int column) const {
    return textStretch(QFontMetrics(font()), model_->cellText(row, column), textRoom(column)) == 0;
}

bool WorksheetGrid::isHeaderTextCut(int column) const {
    QHeaderView* header = horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString text = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int room = header->sectionSize(column) - 2 * margin;
    return QFontMetrics(header->font()).elidedText(text, Qt::ElideRight, room) != text;
}

QString WorksheetGrid::cellToolTip(int row, int column) const {
    if (row < 0 || row >= model_->rowCount() || column < 0 || column >= model_->columnCount()) return {};
    const QString text = model_->cellText(row, column);
    if (model_->isOffsetColumn(column) && text != QStringLiteral("-")) {
        QStringList offsets = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return offsets.join(QLatin1Char('\n'));
    }
    return isCellTextNarrowed(row, column) || isCellTextCut(row, column) ? text : QString();
}

QString WorksheetGrid::headerToolTip(int column) const {
    if (column < 0 || column >= model_->columnCount() || !isHeaderTextCut(column)) return {};
    return model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

bool WorksheetGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = index.isValid() ? cellToolTip(index.row(), index.column()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QTableView::viewportEvent(event);
}

bool WorksheetGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int column = horizontalHeader()->logicalIndexAt(help->pos());
        const QString tip = headerToolTip(column);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, horizontalHeader()->viewport());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void WorksheetGrid::setFullRowSelectionAndGridLines() {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(true);
}

QList<int> WorksheetGrid::selectedRowIndexes() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void WorksheetGrid::selectRows(const std::vector<int>& rows, int currentRow) {
    QAbstractItemModel* m = model();
    const int n = m->rowCount();
    const int lastColumn = std::max(0, m->columnCount() - 1);
    QItemSelection selection;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        const int first = rows[i], last = std::min(rows[j], n - 1);
        if (first < n) selection.select(m->index(first, 0), m->index(last, lastColumn));
        i = j + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (currentRow >= 0 && currentRow < n)
        selectionModel()->setCurrentIndex(m->index(currentRow, 0), QItemSelectionModel::NoUpdate);
}

}  // namespace mireva::ui
