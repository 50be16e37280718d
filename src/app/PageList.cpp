#include "PageList.h"

#include "core/Library.h"

#include <QHeaderView>

PageListModel::PageListModel(core::Library& library, QObject* parent) : QAbstractTableModel(parent), library_(library) {}

int PageListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int PageListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant PageListModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && index.isValid())
        return library_.listKey(index.row());
    return {};
}

QVariant PageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QStringLiteral("Page Title");
    if (section != library_.currentListRow())
        return QString();
    return library_.isAddingPage() ? QStringLiteral("*") : QStringLiteral("\u25B6");
}

void PageListModel::reload()
{
    const int rows = library_.listCount();
    if (rows == rows_) {
        // Moves and renames keep the number of rows: repainting the titles
        // and the row indicator costs the same for 10 pages as for 10,000,
        // where a reset would measure every row again.
        if (rows > 0) {
            emit dataChanged(index(0, 0), index(rows - 1, 0), {Qt::DisplayRole});
            emit headerDataChanged(Qt::Vertical, 0, rows - 1);
        }
        return;
    }
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

TDBGrid::TDBGrid(core::Library& library, QWidget* parent) : QTableView(parent), library_(library), model_(library)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setToolTip(QStringLiteral("Page list"));
    horizontalHeader()->setStretchLastSection(false);
    setColumnWidth(0, 113);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(12);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (!following_ && current.isValid())
            emit rowPicked(current.row());
    });
    connect(&library, &core::Library::pageListChanged, this, &TDBGrid::follow);
    connect(&library, &core::Library::stateChanged, this, [this] { viewport()->update(); verticalHeader()->viewport()->update(); });
    follow();
}

void TDBGrid::follow()
{
    following_ = true;
    model_.reload();
    const int row = library_.currentListRow();
    if (row >= 0) {
        const QModelIndex index = model_.index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    following_ = false;
}
