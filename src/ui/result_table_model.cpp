#include "result_table_model.h"

namespace steam::ui {

void ResultTableModel::append(calc::ResultEntry entry) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    m_rows.push_back(panels::resultRow(entry));
    m_list.add(std::move(entry));
    endInsertRows();
}

void ResultTableModel::clear() {
    beginResetModel();
    m_list.clear();
    m_rows.clear();
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : panels::kResultColumnCount;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(
            panels::resultCells(m_rows[static_cast<size_t>(index.row())])[static_cast<size_t>(index.column())]);
    // Values stand right-aligned like numbers in a spreadsheet; kind and region left.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() < 2 ? Qt::AlignLeft : Qt::AlignRight));
    return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < panels::kResultColumnCount)
        return QString::fromStdString(panels::resultHeader()[static_cast<size_t>(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace steam::ui
