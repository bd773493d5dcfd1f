#include "ingest/ui/location_table_model.h"

#include <algorithm>

#include "uikit/qt_text.h"

namespace mireva::ui {

int LocationTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LocationTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLocationColumnCount;
}

QVariant LocationTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return fromSj(SjView{row(index.row())[index.column()]});
    return {};
}

QVariant LocationTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const names[kLocationColumnCount] = {"NO",        "DATA_TYPE",  "DATE",      "FILE_TYPE",
                                                            "FILE_NAME", "PLACEMENT1", "PLACEMENT2"};
    if (orientation != Qt::Horizontal || section < 0 || section >= kLocationColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromLatin1(names[section]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void LocationTableModel::setRows(std::vector<LocationTableRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void LocationTableModel::appendRows(const std::vector<LocationTableRow>& rows) {
    if (rows.empty()) return;
    int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    endInsertRows();
}

void LocationTableModel::replaceRow(int index, const LocationTableRow& row) {
    if (index < 0 || index >= rowCount()) return;
    rows_[static_cast<size_t>(index)] = row;
    emit dataChanged(this->index(index, 0), this->index(index, kLocationColumnCount - 1));
}

void LocationTableModel::removeRowsAndRenumber(std::vector<int> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    beginResetModel();
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        if (*it >= 0 && *it < static_cast<int>(rows_.size())) rows_.erase(rows_.begin() + *it);
    for (size_t i = 0; i < rows_.size(); ++i) rows_[i][kColNo] = std::to_string(i + 1);
    endResetModel();
}

}  // namespace mireva::ui
