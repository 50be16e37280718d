#include "ProgramStyle.h"

#include "BuiltInPicture.h"
#include "ToolbarIcons.h"

#include <QApplication>
#include <QGroupBox>
#include <QStyleOption>
#include <qdrawutil.h>

namespace app {

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton)
        return toolbarIcon(ToolbarImage::More);
    return QProxyStyle::standardIcon(icon, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    // Fusion's group box frame, from Fusion's own picture: the same frame,
    // placed as Fusion places it.
    if (element == PE_FrameGroupBox && baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
        if (groupBoxFrame_.isNull())
            groupBoxFrame_ = QPixmap::fromImage(
                builtInPicture(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png")));
        if (!groupBoxFrame_.isNull()) {
            constexpr int kTopMargin = 3;
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            const int top = box && !box->isCheckable() && box->title().isEmpty()
                                ? kTopMargin
                                : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + kTopMargin;
            qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), groupBoxFrame_);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::install()
{
    if (qobject_cast<ProgramStyle*>(QApplication::style()))
        return;
    // The style the platform or the command line chose stays underneath.
    QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
}

} // namespace app
