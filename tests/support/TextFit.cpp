#include "TextFit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QToolButton>

#include <optional>

namespace textfit {

namespace {

struct Text {
    QWidget* widget;
    QString text;
    QRect area;   // where the text may go, in the widget's coordinates
    QSize size;   // the text's size by the widget's font
};

QString nameOf(QWidget* w, QWidget* window)
{
    QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return window->objectName() + QLatin1Char('/') + name;
}

QSize plainSize(const QFontMetrics& fm, const QString& text)
{
    return fm.size(Qt::TextShowMnemonic, text);
}

std::optional<Text> labelText(QLabel* label)
{
    const QString text = label->text();
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const QRect area = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                     -label->margin());
    const bool rich = label->textFormat() == Qt::RichText
                      || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    QSize size;
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        if (label->wordWrap())
            doc.setTextWidth(area.width());
        size = QSize(qCeil(label->wordWrap() ? doc.idealWidth() : doc.size().width()), qCeil(doc.size().height()));
    } else if (label->wordWrap()) {
        size = label->fontMetrics()
                   .boundingRect(QRect(0, 0, area.width(), 100000), Qt::TextWordWrap | Qt::TextShowMnemonic, text)
                   .size();
    } else {
        // Spaces at the end show nothing, so they may be cut.
        QString shown = text;
        while (shown.endsWith(QLatin1Char(' ')))
            shown.chop(1);
        size = plainSize(label->fontMetrics(), shown);
    }
    return Text{label, text, area, size};
}

std::optional<Text> buttonText(QAbstractButton* button)
{
    const QString text = button->text();
    if (text.trimmed().isEmpty())
        return std::nullopt;
    QRect area;
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        QStyleOptionButton opt;
        opt.initFrom(push);
        opt.text = text;
        opt.icon = push->icon();
        opt.iconSize = push->iconSize();
        area = push->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, push);
        if (!push->icon().isNull())
            area.setLeft(area.left() + push->iconSize().width() + 4);
    } else if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = text;
        const bool check = qobject_cast<QCheckBox*>(button) != nullptr;
        area = button->style()->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                               &opt, button);
    } else if (auto* tool = qobject_cast<QToolButton*>(button)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
            return std::nullopt;
        area = tool->rect().adjusted(2, 2, -2, -2);
    } else {
        area = button->rect();
    }
    // A one-sign button ("+", "-") needs room for the sign's ink, not a line.
    const QSize size = text.size() == 1 ? button->fontMetrics().tightBoundingRect(text).size()
                                        : plainSize(button->fontMetrics(), text);
    return Text{button, text, area, size};
}

std::optional<Text> groupBoxText(QGroupBox* box)
{
    if (box->title().trimmed().isEmpty())
        return std::nullopt;
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    if (box->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    opt.textAlignment = box->alignment();
    opt.lineWidth = 1;
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    // The title has room from its start to the box's right edge.
    const QRect area(label.left(), label.top(), box->width() - label.left(), label.height());
    return Text{box, box->title(), area, plainSize(box->fontMetrics(), box->title())};
}

// A control that others may not run over: anything but a plain container.
bool isControl(QWidget* w)
{
    return qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)
           || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)
           || qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QAbstractSlider*>(w)
           || qobject_cast<QProgressBar*>(w) || qobject_cast<QMenuBar*>(w);
}

// True when some ancestor below the window is itself a control (the parts of
// a combo box or a list), whose own drawing looks after them.
bool insideControl(QWidget* w, QWidget* window)
{
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (isControl(p) && !qobject_cast<QGroupBox*>(p))
            return true;
    return false;
}

QRect onWindow(QWidget* w, const QRect& r, QWidget* window)
{
    return QRect(w->mapTo(window, r.topLeft()), r.size());
}

QString describe(const Text& t, QWidget* window)
{
    return nameOf(t.widget, window) + QStringLiteral(" \"") + t.text + QStringLiteral("\": ");
}

} // namespace

QStringList problems(QWidget* window)
{
    QStringList found;
    QList<Text> texts;
    QList<QWidget*> controls;

    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow() || insideControl(w, window))
            continue;
        // Parts placed beyond the window's edge on purpose (a help panel
        // shown by widening the window) are checked when they come into view.
        if (!window->rect().intersects(onWindow(w, w->rect(), window)))
            continue;
        if (isControl(w))
            controls << w;
        std::optional<Text> t;
        if (auto* label = qobject_cast<QLabel*>(w))
            t = labelText(label);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            t = buttonText(button);
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            t = groupBoxText(box);
        else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions()) {
                if (!a->isVisible() || a->text().isEmpty())
                    continue;
                const QRect item = bar->actionGeometry(a);
                if (!bar->rect().contains(item))
                    found << nameOf(bar, window) + QStringLiteral(" \"") + a->text()
                                 + QStringLiteral("\": menu item is cut off by the menu bar");
            }
        }
        if (t)
            texts << *t;
    }

    for (const Text& t : texts) {
        if (t.size.width() > t.area.width() || t.size.height() > t.area.height()) {
            found << describe(t, window)
                         + QStringLiteral("text %1x%2 does not fit %3x%4")
                               .arg(t.size.width())
                               .arg(t.size.height())
                               .arg(t.area.width())
                               .arg(t.area.height());
            continue;
        }
        // Where the text is drawn, then whether every parent shows it whole.
        Qt::Alignment align = Qt::AlignCenter;
        if (auto* label = qobject_cast<QLabel*>(t.widget))
            align = label->alignment();
        else if (!qobject_cast<QPushButton*>(t.widget))
            align = Qt::AlignLeft | Qt::AlignVCenter;
        const QRect drawn = QStyle::alignedRect(t.widget->layoutDirection(), align, t.size, t.area);
        bool clipped = false;
        for (QWidget* p = t.widget; p && !clipped; p = p->parentWidget()) {
            const QRect inP = p == t.widget ? drawn : QRect(t.widget->mapTo(p, drawn.topLeft()), drawn.size());
            if (!p->rect().contains(inP)) {
                found << describe(t, window) + QStringLiteral("text is cut off by ") + nameOf(p, window);
                clipped = true;
            }
            if (p == window)
                break;
        }
        if (clipped)
            continue;
        const QRect text = onWindow(t.widget, drawn, window);
        for (QWidget* other : controls) {
            if (other == t.widget || other->isAncestorOf(t.widget) || t.widget->isAncestorOf(other))
                continue;
            if (onWindow(other, other->rect(), window).intersects(text))
                found << describe(t, window) + QStringLiteral("text runs over ") + nameOf(other, window);
        }
    }
    return found;
}

} // namespace textfit
