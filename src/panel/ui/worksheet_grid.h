// The worksheet grid: a table view over WorksheetGridModel with fixed-height rows,
// several rows selectable at once, and the row colours painted by its delegate. Its
// face and size are chosen so that the meter's value texts show whole in a 50-pixel
// channel column; a longer cell text, such as a frequency of ten characters, is drawn
// narrowed to its column as long as it stays legible, and shows whole as its tooltip,
// as does a cell or header text that is still cut.
// A column the user resizes keeps that width over refills of the same band tab until
// the next reading run.
#pragma once

#include <vector>

#include <QStyledItemDelegate>
#include <QTableView>

#include <map>
#include <utility>

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
    // Room left and right of a cell's text.
    static constexpr int kCellPadding = 1;
    // The narrowest a cell's text is drawn before it is cut instead: a quarter narrower
    // than its face still reads well at the grid's size.
    static constexpr double kMinTextStretch = 0.75;

    // How wide a text is drawn in `room` pixels: 1 when it fits, the horizontal scale
    // that makes it fit when that is no narrower than kMinTextStretch, 0 when it must
    // be cut.
    static double textStretch(const QFontMetrics& metrics, const QString& text, int room);

    explicit WorksheetGrid(WorksheetGridModel* model, QWidget* parent = nullptr);

    // Selects whole grid rows (ascending), runs of neighbours as one range, and makes
    // `currentRow` current without changing the selection: keyboard moves go on from it
    // and the view shows it. Rows past the grid's end are left out; -1 for no current row.
    void selectRows(const std::vector<int>& rows, int currentRow);
    // The face the cells and headers are drawn in: pixel-sized, since the column
    // widths are pixels.
    static QFont gridFont(const QFont& base);

    WorksheetGridModel* gridModel() const { return model_; }
    // Column widths after every fill: the model's, or the width the user gave the
    // column on this band tab.
    void applyColumnWidths();
    // Forgets the widths the user gave (a new reading run).
    void forgetUserWidths() { userWidths_.clear(); }

    // The width a cell's text has in a column (the grid line takes one pixel).
    int textRoom(int column) const;
    // Whether the text of a cell is drawn narrowed to its column now, and whether the
    // text of a cell or of a column header is cut in its column now.
    bool isCellTextNarrowed(int row, int column) const;
    bool isCellTextCut(int row, int column) const;
    bool isHeaderTextCut(int column) const;
    // The tooltip of a cell: the whole text when it is narrowed or cut; for the
    // レベルオフセット(dB) cell of a level row, the ten offsets one per line. Empty: none.
    QString cellToolTip(int row, int column) const;
    QString headerToolTip(int column) const;
    // Switched on by the view each time it shows the panel after a reading run.
    void setFullRowSelectionAndGridLines();
    // Selected rows in ascending order.
    QList<int> selectedRowIndexes() const;

protected:
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rememberUserWidth(int column, int width);

    WorksheetGridModel* model_;
    bool settingWidths_ = false;                     // widths set by the program, not the user
    std::map<std::pair<int, int>, int> userWidths_;  // (band tab, worksheet field) → width
};

}  // namespace mireva::ui
