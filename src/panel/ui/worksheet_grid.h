// The worksheet grid: a table view over WorksheetGridModel with fixed-height rows,
// several rows selectable at once, and the row colours painted by its delegate.
#pragma once

#include <vector>

#include <QStyledItemDelegate>
#include <QTableView>

namespace mireva::ui {

class WorksheetGridModel;

class WorksheetGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class WorksheetGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 18;

    explicit WorksheetGrid(WorksheetGridModel* model, QWidget* parent = nullptr);

    // Selects whole grid rows (ascending), runs of neighbours as one range, and makes
    // `currentRow` current without changing the selection: keyboard moves go on from it
    // and the view shows it. Rows past the grid's end are left out; -1 for no current row.
    void selectRows(const std::vector<int>& rows, int currentRow);

    WorksheetGridModel* gridModel() const { return model_; }
    // Column widths from the model, after every fill.
    void applyColumnWidths();
    // Switched on by the view each time it shows the panel after a reading run.
    void setFullRowSelectionAndGridLines();
    // Selected rows in ascending order.
    QList<int> selectedRowIndexes() const;

private:
    WorksheetGridModel* model_;
};

}  // namespace mireva::ui
