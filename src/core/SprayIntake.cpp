#include "SprayIntake.h"

#include "files/ReadLimits.h"
#include "formats/SprayCheck.h"
#include "formats/Wad3.h"
#include "formats/Wad3Writer.h"
#include "logo/GameReady.h"
#include "logo/LogoMaker.h"
#include "store/PictureField.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace core {

namespace {

QString lowerSuffix(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

// The slot picture and fingerprint of a WAD that reads.
void takePicture(PreparedLogo& logo)
{
    const formats::WadPicture picture = formats::readWadPicture(logo.wad.data(), logo.wad.size());
    logo.picture = store::pictureFromRgb(formats::toRgb(picture));
    logo.fingerprint = sprayFingerprint(picture);
}

void prepareWad(PreparedLogo& logo)
{
    const std::uint8_t* data = logo.wad.data();
    const std::size_t size = logo.wad.size();
    std::size_t pictures = 0;
    try {
        pictures = formats::listWadPictures(data, size).size();
    } catch (const formats::FormatError&) {
        // told by the check below
    }
    if (pictures > 1) {
        logo.skipReason = QStringLiteral("holds %1 pictures: import it on its own to choose one").arg(pictures);
        return;
    }
    const formats::SprayReport report = formats::checkSpray(data, size);
    if (!report.gameReady()) {
        QStringList problems;
        for (const std::string& p : report.problems)
            problems << QString::fromStdString(p);
        try {
            // What the game refuses but the logo maker can read, it remakes.
            logo.wad = logo::remakeGameReady(formats::readWadPicture(data, size));
            logo.note = QStringLiteral("remade for the game: ") + problems.join(QStringLiteral("; "));
        } catch (const std::exception&) {
            logo.skipReason = problems.join(QStringLiteral("; "));
            return;
        }
    }
    try {
        takePicture(logo);
    } catch (const formats::FormatError& e) {
        logo.skipReason = QStringLiteral("it is no spray logo WAD file, or it is damaged: %1").arg(QString::fromUtf8(e.what()));
    }
}

void preparePicture(PreparedLogo& logo)
{
    try {
        const QImage image = logo::readPicture(QByteArray::fromRawData(reinterpret_cast<const char*>(logo.wad.data()),
                                                                       qsizetype(logo.wad.size())));
        // The maker's defaults: the largest valid size, see-through from
        // the picture's transparency.
        logo.wad = formats::writeSprayWad(logo::makeSpray(image, logo::LogoOptions{}));
        logo.note = QStringLiteral("made from the picture");
        takePicture(logo);
    } catch (const std::exception& e) {
        logo.wad.clear();
        logo.skipReason = QStringLiteral("the picture could not be made into a logo: %1").arg(QString::fromUtf8(e.what()));
    }
}

} // namespace

QStringList picturePatterns()
{
    return {QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"),
            QStringLiteral("*.gif"), QStringLiteral("*.webp")};
}

bool isPictureName(const QString& name)
{
    const QString suffix = lowerSuffix(name);
    return !suffix.isEmpty() && picturePatterns().contains(QStringLiteral("*.") + suffix);
}

bool isWadName(const QString& name) { return lowerSuffix(name) == QLatin1String("wad"); }

std::size_t intakeReadLimit(const QString& name)
{
    if (isWadName(name))
        return files::kMaxWadBytes;
    return isPictureName(name) ? files::kMaxPictureFileBytes : 0;
}

QString suggestedLogoName(const SourceFile& file)
{
    const QString lower = file.name.toLower();
    if (lower == QLatin1String("tempdecal.wad") || lower == QLatin1String("pldecal.wad"))
        return file.container;
    const int dot = file.name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? file.name.left(dot) : file.name;
}

QByteArray sprayFingerprint(const formats::WadPicture& picture)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const qint32 size[2] = {picture.width, picture.height};
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(size), sizeof size));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(picture.indices.data()), qsizetype(picture.indices.size())));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(picture.palette.data()), qsizetype(picture.palette.size())));
    return hash.result();
}

PreparedLogo prepareLogo(SourceFile file)
{
    PreparedLogo logo;
    logo.path = file.path;
    logo.name = suggestedLogoName(file);
    const bool wad = isWadName(file.name);
    if (!wad && !isPictureName(file.name)) {
        logo.skipReason = QStringLiteral("it is no spray logo WAD file and no picture");
        return logo;
    }
    if (!file.error.isEmpty()) {
        logo.skipReason = QStringLiteral("it could not be read: %1").arg(file.error);
        return logo;
    }
    logo.wad = std::move(file.bytes);
    if (wad)
        prepareWad(logo);
    else
        preparePicture(logo);
    if (!logo.skipReason.isEmpty())
        logo.wad.clear();
    return logo;
}

} // namespace core
