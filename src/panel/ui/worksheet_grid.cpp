#include "panel/ui/worksheet_grid.h"

#include <QItemSelection>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>

#include <algorithm>

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
    const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
    if (textRect.width() > 0) {
        painter->setPen(text);
        painter->setFont(option.font);
        const int align = index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
        // A text wider than its cell ends in an ellipsis rather than being cut at both sides.
        const QString shown =
            option.fontMetrics.elidedText(model->cellText(row, index.column()), Qt::ElideRight, textRect.width());
        painter->drawText(textRect, align | Qt::TextSingleLine, shown);
    }
    painter->restore();
}

WorksheetGrid::WorksheetGrid(WorksheetGridModel* model, QWidget* parent) : QTableView(parent), model_(model) {
    setObjectName("worksheetGrid");
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
}

void WorksheetGrid::applyColumnWidths() {
    QHeaderView* header = horizontalHeader();
    for (int c = 0; c < model_->columnCount(); ++c) header->resizeSection(c, model_->columnWidth(c));
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
