// The page list: the titles of all pages, one column, the current page marked
// in the row indicator. Picking a row makes that page current.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

namespace core { class Library; }

class PageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PageListModel(core::Library& library, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void reload();

private:
    core::Library& library_;
    int rows_ = 0;
};

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    TDBGrid(core::Library& library, QWidget* parent = nullptr);
    // Shows the table's rows and selects the current one.
    void follow();

signals:
    void rowPicked(int row);

private:
    core::Library& library_;
    PageListModel model_;
    bool following_ = false;
};
