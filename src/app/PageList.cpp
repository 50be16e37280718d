#include "PageList.h"

#include "core/Library.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

namespace {

// The current row's mark: a small black triangle pointing at the title.
// Drawn rather than written as a character, which the window's font lacks
// and which would load a second font just for it.
QPixmap currentRowMark()
{
    static const QPixmap mark = [] {
        QPixmap pixmap(10, 9);   // the header's width, the triangle in its middle
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({QPointF(2, 0), QPointF(8, 4.5), QPointF(2, 9)}));
        return pixmap;
    }();
    return mark;
}

// The row marks' column: as wide as it is made. Qt's header would measure
// the first and last hundred rows' marks to find a width no one uses, at
// every change of a long list.
class RowMarkHeader : public QHeaderView {
public:
    explicit RowMarkHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return {maximumWidth(), defaultSectionSize()}; }
};

} // namespace

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
    if (orientation == Qt::Horizontal)
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("Page Title")) : QVariant();
    const bool current = section == library_.currentListRow();
    if (role == Qt::DecorationRole)
        return current && !library_.isAddingPage() ? QVariant(currentRowMark()) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    return current && library_.isAddingPage() ? QStringLiteral("*") : QString();
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
    setVerticalHeader(new RowMarkHeader(this));
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
