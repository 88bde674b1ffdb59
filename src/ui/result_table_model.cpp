#include "result_table_model.h"

namespace steam::ui {

void ResultTableModel::append(calc::ResultRow row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    m_list.add(std::move(row));
    endInsertRows();
}

void ResultTableModel::clear() {
    beginResetModel();
    m_list.clear();
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : calc::kResultColumnCount;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(calc::resultCells(m_list.rows()[index.row()])[index.column()]);
    // Values stand right-aligned like numbers in a spreadsheet; kind and region left.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() < 2 ? Qt::AlignLeft : Qt::AlignRight));
    return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < calc::kResultColumnCount)
        return QString::fromStdString(calc::resultHeader()[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace steam::ui
