// The page list: the titles of all pages, one column, the current page marked
// in the row indicator. Picking a row makes that page current.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

namespace store { class Table; }

class PageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PageListModel(store::Table& table, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void reload();

private:
    store::Table& table_;
    int rows_ = 0;
};

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    TDBGrid(store::Table& table, QWidget* parent = nullptr);
    // Shows the table's rows and selects the current one.
    void follow();

signals:
    void rowPicked(int row);

private:
    store::Table& table_;
    PageListModel model_;
    bool following_ = false;
};
