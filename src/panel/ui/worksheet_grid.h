// The worksheet grid: a table view over WorksheetGridModel with fixed-height rows,
// several rows selectable at once, and the row colours painted by its delegate.
#pragma once

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
