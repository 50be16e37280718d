#include "PictureChooser.h"

#include "app/MessageBox.h"
#include "core/LogoCheck.h"
#include "files/FileOps.h"
#include "formats/SprayCheck.h"
#include "formats/Wad3.h"
#include "formats/Wad3Writer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace logoimport {

namespace {

constexpr int kIconSide = 64;

std::vector<std::uint8_t> wadBytes(const QString& path)
{
    return files::readAll(path.toStdString(), files::kMaxWadBytes);
}

} // namespace

int picturesInWad(const QString& path)
{
    try {
        const std::vector<std::uint8_t> bytes = wadBytes(path);
        return int(formats::listWadPictures(bytes.data(), bytes.size()).size());
    } catch (const std::exception&) {
        return 0;
    }
}

PictureChooser::PictureChooser(const QString& wadPath, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PictureChooser"));
    setWindowTitle(QStringLiteral("Choose a picture"));
    auto* text = new QLabel(QStringLiteral("%1 holds several pictures. Choose the one to import as a spray.")
                                .arg(QFileInfo(wadPath).fileName()),
                            this);
    text->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("PictureList"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kIconSide, kIconSide));
    list_->setResizeMode(QListView::Adjust);
    list_->setMinimumSize(480, 320);
    const std::vector<std::uint8_t> bytes = wadBytes(wadPath);
    for (const formats::WadLump& lump : formats::listWadPictures(bytes.data(), bytes.size())) {
        auto* item = new QListWidgetItem(QString::fromStdString(lump.name), list_);
        try {
            const formats::WadPicture picture = formats::readWadPicture(bytes.data(), bytes.size(), lump);
            const QImage look = core::gameLookImage(picture, palette().color(QPalette::Base));
            item->setIcon(QPixmap::fromImage(look.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio)));
            item->setToolTip(QString::fromStdString(formats::sizeText(picture.width, picture.height)));
        } catch (const std::exception& e) {
            item->setFlags(Qt::NoItemFlags);   // a damaged picture cannot be chosen
            item->setToolTip(QString::fromUtf8(e.what()));
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(list_, &QListWidget::currentRowChanged, this,
            [buttons](int row) { buttons->button(QDialogButtonBox::Ok)->setEnabled(row >= 0); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

int PictureChooser::chosen() const { return list_->currentRow(); }

QString chooseSprayOf(QWidget* parent, const QString& wadPath, const QTemporaryDir& workDir)
{
    PictureChooser chooser(wadPath, parent);
    if (chooser.exec() != QDialog::Accepted || chooser.chosen() < 0)
        return QString();
    try {
        const std::vector<std::uint8_t> bytes = wadBytes(wadPath);
        const std::vector<formats::WadLump> lumps = formats::listWadPictures(bytes.data(), bytes.size());
        const formats::WadLump& lump = lumps.at(std::size_t(chooser.chosen()));
        const std::vector<std::uint8_t> spray =
            formats::sprayWadOf(formats::readWadPicture(bytes.data(), bytes.size(), lump));
        // Named after the picture, which is what the name prompt offers.
        QString name = QString::fromStdString(lump.name).remove(QLatin1Char('{')).remove(QLatin1Char('/'));
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            name = QStringLiteral("spray");
        const QString path = workDir.filePath(name + QStringLiteral(".wad"));
        files::writeAtomically(path.toStdString(), spray, files::Durability::Flushed);
        return path;
    } catch (const std::exception& e) {
        app::MessageBox::error(QStringLiteral("The picture could not become a spray: %1").arg(QString::fromUtf8(e.what())));
        return QString();
    }
}

} // namespace logoimport
