#include "DialogFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>

namespace info {

QString dialogFontFamily()
{
    static const QString family = [] {
        const QString preferred = QStringLiteral("Liberation Sans");
        if (qEnvironmentVariable("TAGOMAT_FONT") != QLatin1String("system")
            && QFontDatabase::hasFamily(preferred))
            return preferred;
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont dialogFont(int pixels, bool bold, bool underline)
{
    QFont font(dialogFontFamily());
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

int textWidth(const QLabel* label)
{
    return label->fontMetrics().size(Qt::TextShowMnemonic, label->text().trimmed()).width();
}

QLabel* dialogLabel(QWidget* parent, const QString& name, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace info
