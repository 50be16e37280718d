#include "DialogParts.h"

#include "HelpLabel.h"
#include "app/MessageBox.h"
#include "app/ToolbarIcons.h"
#include "info/DialogFont.h"
#include "info/Links.h"

#include <QDialog>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

namespace settings {

void frameSettingsWindow(QDialog* dialog, const QString& name, const QString& caption, const QSize& size)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFont(info::dialogFont());
    dialog->setFixedSize(size);
}

HelpLabel* addHelpLabel(QWidget* parent, int right, int y)
{
    auto* help = new HelpLabel(parent);
    help->setObjectName(QStringLiteral("HelpLabel"));
    help->adjustSize();
    help->move(right - help->width(), y);
    return help;
}

QStringList withContactLines(QStringList lines)
{
    lines << QString() << QStringLiteral("Any problems?") << QString() << QStringLiteral("You can find me at:");
    return lines;
}

void reportUnstorablePath()
{
    app::MessageBox::plain(QStringLiteral("This path is too long or holds characters that cannot be stored, "
                                          "please choose another one."));
}

SaveCancel addSaveCancel(QWidget* dialog, const QRect& save, const QRect& cancel)
{
    SaveCancel buttons;
    buttons.save = new QPushButton(app::toolbarIcon(app::ToolbarImage::Check), QStringLiteral("&Save"), dialog);
    buttons.save->setObjectName(QStringLiteral("bSave"));
    buttons.save->setGeometry(save);
    buttons.save->setDefault(true);

    buttons.cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    buttons.cancel->setObjectName(QStringLiteral("bCancel"));
    buttons.cancel->setGeometry(cancel);
    buttons.cancel->setAutoDefault(false);
    return buttons;
}

info::LinkLabel* addHelpPanel(QWidget* dialog, const QRect& panel, int memoHeight, const QString& text,
                              info::LinkLabel::PressLook look, const QPoint& link)
{
    auto* frame = new QFrame(dialog);
    frame->setObjectName(QStringLiteral("Panel2"));
    frame->setGeometry(panel);
    auto* memo = new QPlainTextEdit(text, frame);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(0, 8, panel.width() - 8, memoHeight);
    memo->setReadOnly(true);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* hyperlink = new info::LinkLabel(info::webHost(), look, frame);
    hyperlink->setObjectName(QStringLiteral("hyperlink"));
    hyperlink->setFont(info::dialogFont(11, true, true));
    hyperlink->place(link.x(), link.y(), 102, 13);
    return hyperlink;
}

} // namespace settings
