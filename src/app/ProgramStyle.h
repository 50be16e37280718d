// The style of every window: the platform's own, with the pictures it would
// read through Qt's image reader drawn or read here instead. Qt's reader
// loads every image format plugin installed, a dozen libraries, to find the
// one for a file; the menu bar asks for a picture as it is made (the double
// chevron of its button for the menus it has no room for) and Fusion reads
// one for each group box frame it paints, which would cost every start a
// few milliseconds.
#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace app {

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Puts the program's style over the application's current one, once.
    static void install();

private:
    mutable QPixmap groupBoxFrame_;
};

} // namespace app
