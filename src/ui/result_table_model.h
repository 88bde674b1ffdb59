#pragma once
// The result list of the run as a table for the result-list window. It owns the list, so that
// the rows outlive the window; every change goes through it so that an open window follows.
#include "calc/result_list.h"
#include "panels/result_texts.h"

#include <vector>

#include <QAbstractTableModel>

namespace steam::ui {

class ResultTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    const calc::ResultList& list() const { return m_list; }
    /// The entries as the boxes showed them, in list order.
    const std::vector<panels::ResultRow>& rows() const { return m_rows; }
    /// Adds an entry at the end.
    void append(calc::ResultEntry entry);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    calc::ResultList m_list;
    std::vector<panels::ResultRow> m_rows;
};

}  // namespace steam::ui
