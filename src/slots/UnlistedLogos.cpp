#include "UnlistedLogos.h"

#include "app/CommandGuard.h"
#include "app/MessageBox.h"
#include "core/Library.h"
#include "core/LogoName.h"
#include "core/LogoPicture.h"
#include "store/PictureField.h"
#include "store/ProgramDir.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace slotedit {

namespace {

constexpr int kIconSide = 64;

// The logo on the window's colour, scaled down only when it is larger.
QIcon iconOf(const QImage& picture, const QColor& background)
{
    QPixmap canvas(kIconSide, kIconSide);
    canvas.fill(background);
    if (!picture.isNull()) {
        const QImage shown = picture.width() > kIconSide || picture.height() > kIconSide
            ? picture.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : picture;
        QPainter(&canvas).drawImage((kIconSide - shown.width()) / 2, (kIconSide - shown.height()) / 2, shown);
    }
    return QIcon(canvas);
}

} // namespace

UnlistedLogos::UnlistedLogos(core::Library& library, QWidget* parent) : QDialog(parent), library_(library)
{
    setObjectName(QStringLiteral("UnlistedLogos"));
    setWindowTitle(QStringLiteral("Logos not in the library"));

    auto* text = new QLabel(QStringLiteral("These logo files lie in the library's folder, but no slot shows them."), this);
    text->setWordWrap(true);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("LogoList"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kIconSide, kIconSide));
    list_->setGridSize(QSize(kIconSide + 40, kIconSide + 30));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setMinimumSize(480, 260);

    put_ = new QPushButton(QStringLiteral("&Put into a free slot"), this);
    put_->setObjectName(QStringLiteral("PutButton"));
    delete_ = new QPushButton(QStringLiteral("&Delete file..."), this);
    delete_->setObjectName(QStringLiteral("DeleteButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(put_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(put_, &QPushButton::clicked, this, [this] { app::runCommand([this] { putClick(); }); });
    connect(delete_, &QPushButton::clicked, this, [this] { app::runCommand([this] { deleteClick(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { app::runCommand([this] { putClick(); }); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        put_->setEnabled(row >= 0);
        delete_->setEnabled(row >= 0);
    });
}

void UnlistedLogos::showModal()
{
    fill();
    exec();
}

void UnlistedLogos::fill()
{
    list_->clear();
    const QColor background = palette().color(QPalette::Base);
    for (const QString& title : library_.unlistedLogos()) {
        QImage picture;
        try {
            picture = core::logoPicture(store::logoWadPath(title));
        } catch (const std::exception&) {
            // Listed all the same, without a picture: it can still be deleted.
        }
        auto* item = new QListWidgetItem(iconOf(picture, background), title, list_);
        item->setData(Qt::UserRole, title);
        item->setData(Qt::UserRole + 1, !picture.isNull());
        item->setToolTip(store::logoWadPath(title));
    }
    list_->setCurrentRow(list_->count() > 0 ? 0 : -1);
    put_->setEnabled(list_->count() > 0);
    delete_->setEnabled(list_->count() > 0);
}

QString UnlistedLogos::chosen() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void UnlistedLogos::putClick()
{
    const QString title = chosen();
    if (title.isEmpty())
        return;
    const QString problem = logoimport::logoNameProblem(title);
    if (!problem.isEmpty()) {
        app::MessageBox::plain(problem);
        return;
    }
    library_.edit();
    const int slot = library_.freeSlot();
    if (slot == 0) {
        app::MessageBox::plain(QStringLiteral("This page has no free slot. Empty one, or go to another page first."));
        return;
    }
    QImage picture;
    try {
        picture = core::logoPicture(store::logoWadPath(title));
    } catch (const std::exception& e) {
        app::MessageBox::error(QStringLiteral("The logo could not be read from %1: %2")
                                   .arg(store::logoWadPath(title), QString::fromUtf8(e.what())));
        return;
    }
    library_.setSlot(slot, title, store::pictureFromImage(picture));
    library_.setUnsavedChanges(true);
    delete list_->takeItem(list_->currentRow());
}

void UnlistedLogos::deleteClick()
{
    const QString title = chosen();
    if (title.isEmpty())
        return;
    const QString path = store::logoWadPath(title);
    if (!app::MessageBox::confirm(QStringLiteral("Delete the logo file \"%1\"? (cannot be undone!)").arg(path),
                                  app::MessageBox::Answer::No))
        return;
    switch (library_.removeLogoFile(title)) {
    case core::Library::RemoveResult::Removed:
        delete list_->takeItem(list_->currentRow());
        break;
    case core::Library::RemoveResult::StillNamed:
        fill();   // a slot has taken it meanwhile
        break;
    default:
        app::MessageBox::plain(QStringLiteral("Could not delete ") + path);
    }
}

} // namespace slotedit
