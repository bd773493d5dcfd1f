#include "panel/ui/worksheet_grid_model.h"

#include "uikit/qt_text.h"
#include "core/cp932.h"
#include "core/text.h"
#include "core/worksheet_layout.h"

namespace mireva::ui {
namespace {

constexpr int kPlaceField = 2;   // 測定場所
constexpr int kModeField = 3;    // 測定モード
constexpr int kOffsetField = 4;  // レベルオフセット(dB)
constexpr int kLevelLine = static_cast<int>(BlockRow::Level);
constexpr int kCellTextLimit = 127;

QString toQString(std::string_view bytes) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return fromSj(SjView{bytes});
}

QString placeNumberText(int number) { return QStringLiteral("   %1").arg(number); }

// Header widths: a named channel is wider; three leading fields have their own widths.
int headerWidth(std::string_view field, bool named) {
    if (field == sj("測定場所").bytes) return 200;
    if (field == sj("測定モード").bytes) return 0;
    if (field == sj("レベルオフセット(dB)").bytes) return 300;
    return named ? 120 : 50;
}

}  // namespace

WorksheetGridModel::WorksheetGridModel(QObject* parent) : QAbstractTableModel(parent) {
    columns_.push_back({QStringLiteral("No"), 50, -1});
}

bool WorksheetGridModel::fill(const std::filesystem::path& worksheet, int tab, const BroadcasterNames& names) {
    beginResetModel();
    tab_ = tab;
    const bool opened = worksheet_.load(worksheet);
    columns_.clear();
    columns_.push_back({QStringLiteral("No"), 50, -1});
    wantedFields_.clear();
    rows_.clear();
    cells_.clear();
    belowStandard_.clear();

    // Offsets into the content are 32-bit; a worksheet beyond 4 GB is not a worksheet.
    if (worksheet_.content().size() >= UINT32_MAX) worksheet_.clear();

    const ChannelCatalog& catalog = ChannelCatalog::instance();
    if (worksheet_.hasHeader2()) {
        const std::vector<std::string_view> header = splitFields(worksheet_.header2());
        for (size_t f = 0; f < header.size(); ++f) {
            const int field = static_cast<int>(f);
            if (field < kPlaceField) continue;
            std::string text(header[f]);
            bool named = false;
            if (field >= kLeadingFields) {
                const int channel = field - kLeadingFields;
                if (channel >= kChannelCount || catalog.channel(channel).tab != tab + 1) continue;
                const std::string& name = names[static_cast<size_t>(channel)];
                if (!name.empty()) {
                    text += '_';
                    text += name;
                    named = true;
                }
            }
            columns_.push_back({fromSj(SjView{text}), headerWidth(header[f], named), field});
            wantedFields_.push_back(field);
        }

        const size_t perRow = wantedFields_.size();
        const int lastWanted = wantedFields_.empty() ? -1 : wantedFields_.back();
        const char* base = worksheet_.content().data();
        const int lines = static_cast<int>(worksheet_.dataLineCount());
        int d = 0;
        while (d < lines) {
            const std::string_view line = worksheet_.dataLine(static_cast<size_t>(d));
            const int kind = d % kRowsPerPlace;
            const int place = d / kRowsPerPlace + 1;
            ++d;
            if (kind == static_cast<int>(BlockRow::BerA) || kind == static_cast<int>(BlockRow::BerC)) continue;
            Row row;
            row.firstCell = static_cast<std::uint32_t>(cells_.size());
            row.lineKind = kind;
            row.placeNumber = place;
            rows_.push_back(row);
            cells_.resize(cells_.size() + perRow);
            Cell* out = cells_.data() + row.firstCell;

            // Walk the fields of the line once, keeping those the tab shows.
            FieldCursor fields(line);
            std::string_view text;
            size_t next = 0;
            for (int field = 0; next < perRow && field <= lastWanted && fields.next(text); ++field) {
                if (field == wantedFields_[next]) {
                    out[next].begin = static_cast<std::uint32_t>(text.data() - base);
                    out[next].size = static_cast<std::uint32_t>(text.size());
                    ++next;
                }
            }
        }
        // A worksheet's places are its whole blocks, for the grid as for every operation
        // and output: the lines of a trailing partial block are not shown.
        if (d % kRowsPerPlace != 0) {
            const int partial = d / kRowsPerPlace + 1;
            while (!rows_.empty() && rows_.back().placeNumber == partial) {
                cells_.resize(rows_.back().firstCell);
                rows_.pop_back();
            }
        }
    }
    belowStandard_.assign(rows_.size(), 0);
    endResetModel();
    return opened;
}

void WorksheetGridModel::clearRows() {
    if (rows_.empty()) return;
    beginRemoveRows({}, 0, static_cast<int>(rows_.size()) - 1);
    rows_.clear();
    cells_.clear();
    belowStandard_.clear();
    endRemoveRows();
}

int WorksheetGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WorksheetGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

std::string_view WorksheetGridModel::cellView(int row, int column) const {
    const Row& r = rows_[static_cast<size_t>(row)];
    const int field = columns_[static_cast<size_t>(column)].field;
    if ((field == kModeField || field == kOffsetField) && r.lineKind != kLevelLine) return "-";
    const Cell& c = cells_[r.firstCell + static_cast<size_t>(column) - 1];
    return std::string_view(worksheet_.content().data() + c.begin, c.size);
}

bool WorksheetGridModel::isOffsetColumn(int column) const {
    return column > 0 && column < columnCount() && columns_[static_cast<size_t>(column)].field == kOffsetField;
}

QString WorksheetGridModel::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    if (column == 0) return placeNumberText(rows_[static_cast<size_t>(row)].placeNumber);
    QString text = toQString(cellView(row, column));
    if (text.size() > kCellTextLimit) text.truncate(kCellTextLimit);
    return text;
}

std::string WorksheetGridModel::cellBytes(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    if (column == 0) return "   " + std::to_string(rows_[static_cast<size_t>(row)].placeNumber);
    return std::string(cellView(row, column));
}

QVariant WorksheetGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return cellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
        case Qt::BackgroundRole:
            return background(index.row());
        case Qt::ForegroundRole:
            return foreground(index.row());
        default:
            return {};
    }
}

QVariant WorksheetGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return columns_[static_cast<size_t>(section)].header;
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

void WorksheetGridModel::setBelowStandardRows(const std::vector<int>& rows) {
    belowStandard_.assign(rows_.size(), 0);
    for (int r : rows) {
        if (r >= 0 && r < static_cast<int>(rows_.size())) belowStandard_[static_cast<size_t>(r)] = 1;
    }
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool WorksheetGridModel::isBelowStandard(int row) const {
    return row >= 0 && row < static_cast<int>(belowStandard_.size()) && belowStandard_[static_cast<size_t>(row)];
}

QColor WorksheetGridModel::background(int row) const {
    if (isBelowStandard(row)) return {255, 69, 0};
    if (row % 12 < 6) return {202, 221, 213};
    return Qt::white;
}

QColor WorksheetGridModel::foreground(int row) const { return isBelowStandard(row) ? Qt::white : Qt::black; }

void WorksheetGridModel::swapRows(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= rowCount() || b >= rowCount()) return;
    Row& ra = rows_[static_cast<size_t>(a)];
    Row& rb = rows_[static_cast<size_t>(b)];
    std::swap(ra.firstCell, rb.firstCell);
    std::swap(ra.lineKind, rb.lineKind);
    emit dataChanged(index(std::min(a, b), 0), index(std::max(a, b), columnCount() - 1));
}

void WorksheetGridModel::removeGridRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    belowStandard_.erase(belowStandard_.begin() + row);
    endRemoveRows();
}

void WorksheetGridModel::renumberPlaces() {
    for (size_t r = 0; r < rows_.size(); ++r) rows_[r].placeNumber = static_cast<int>(r) / 6 + 1;
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

}  // namespace mireva::ui
