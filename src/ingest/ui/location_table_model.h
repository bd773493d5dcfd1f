// The rows of the location table editor's list. The texts stay code page 932 bytes as
// loaded or entered, so a table that is loaded and saved again keeps every byte of
// the fields nobody touched; they are converted for display only.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "ingest/location_table_writer.h"

namespace mireva::ui {

class LocationTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const std::vector<LocationTableRow>& rows() const { return rows_; }
    const LocationTableRow& row(int index) const { return rows_[static_cast<size_t>(index)]; }

    void setRows(std::vector<LocationTableRow> rows);
    void clear() { setRows({}); }
    void appendRows(const std::vector<LocationTableRow>& rows);
    void replaceRow(int index, const LocationTableRow& row);
    // Removes the rows named (any order, duplicates allowed), then numbers all rows
    // 1, 2, 3… from the top.
    void removeRowsAndRenumber(std::vector<int> indexes);

private:
    std::vector<LocationTableRow> rows_;
};

}  // namespace mireva::ui
