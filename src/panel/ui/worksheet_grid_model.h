// The grid's view of worksheet.csv for one band tab: six rows per place (the BER A and
// BER C lines are not shown), column "No", the 測定場所, 測定モード and
// レベルオフセット(dB) fields, then the tab's channel fields. The model keeps the file's
// bytes and, per cell, where its text lies in them; texts become UTF-16 only when a
// cell is painted.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/channel_catalog.h"
#include "core/worksheet_lines.h"

namespace mireva::ui {

class WorksheetGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using BroadcasterNames = std::array<std::string, kChannelCount>;  // code page 932, empty = none

    explicit WorksheetGridModel(QObject* parent = nullptr);

    // Rebuilds all columns and rows from the worksheet for band tab `tab` (0-9). When the
    // file cannot be read the grid has column "No" and no rows, and false is returned.
    // The buffers of the previous fill are reused, so refilling a large worksheet costs
    // no fresh memory.
    bool fill(const std::filesystem::path& worksheet, int tab, const BroadcasterNames& names);
    // The worksheet as the last fill read it.
    const WorksheetLines& worksheet() const { return worksheet_; }
    const std::string& content() const { return worksheet_.content(); }
    // Deletes every row; the columns stay.
    void clearRows();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int columnWidth(int column) const { return columns_[static_cast<size_t>(column)].width; }
    // 0-based worksheet field a column shows; -1 for "No".
    int columnField(int column) const { return columns_[static_cast<size_t>(column)].field; }
    // Whether the column is レベルオフセット(dB).
    bool isOffsetColumn(int column) const;
    // The band tab of the last fill.
    int tab() const { return tab_; }
    QString cellText(int row, int column) const;
    // The cell's code page 932 bytes as the file holds them ("No" formatted).
    std::string cellBytes(int row, int column) const;

    // Rows painted as below standard (grid row indexes).
    void setBelowStandardRows(const std::vector<int>& rows);
    bool isBelowStandard(int row) const;

    // Painting colours of a row that is not selected.
    QColor background(int row) const;
    QColor foreground(int row) const;
    static QColor selectedBackground() { return {65, 105, 225}; }
    static QColor selectedForeground() { return Qt::white; }

    // Editing in place for the row operations: exchanging two rows moves the texts of
    // every column but "No"; removing a row shifts the rows below it up.
    void swapRows(int a, int b);
    void removeGridRow(int row);
    // Column "No" of every row r becomes r / 6 + 1.
    void renumberPlaces();

private:
    struct Column {
        QString header;
        int width = 50;
        int field = -1;  // 0-based worksheet field; -1 for "No"
    };
    struct Cell {
        std::uint32_t begin = 0;
        std::uint32_t size = 0;
    };
    struct Row {
        std::uint32_t firstCell = 0;  // index into cells_
        int lineKind = 0;             // line of the place block, 0-7
        int placeNumber = 0;          // shown in column "No"
    };

    std::string_view cellView(int row, int column) const;

    WorksheetLines worksheet_;
    int tab_ = 0;
    std::vector<Column> columns_;
    std::vector<int> wantedFields_;  // 0-based fields shown after "No", ascending
    std::vector<Row> rows_;
    std::vector<Cell> cells_;
    std::vector<char> belowStandard_;
};

}  // namespace mireva::ui
