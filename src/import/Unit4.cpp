#include "Unit4.h"

#include "core/LogoName.h"
#include "app/MessageBox.h"
#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <QStringList>

#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm4::TForm4(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Enter name"));
    setFont(info::dialogFont());

    // The labels and the name box share one width, wider (with the window)
    // when the font needs it; the OK button stays in the middle.
    const QStringList texts = {QStringLiteral("Please enter a name for this logo."),
                               QStringLiteral("(without .wad)"), QStringLiteral("Don't use spaces, use _ instead.")};
    QList<QLabel*> labels;
    int width = 165;
    for (int i = 0; i < texts.size(); ++i) {
        auto* l = new QLabel(texts[i], this);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        labels.append(l);
        width = std::max(width, info::textWidth(l));
    }
    for (int i = 0; i < labels.size(); ++i)
        labels[i]->setGeometry(8, 8 + 16 * i, width, 14);
    setFixedSize(width + 16, 123);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 60, width, 21);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(53 + (width - 165) / 2, 90, 75, 25);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm4::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
}

void TForm4::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm4::FormShow()
{
    info::centreOnScreen(this);
    Button1->setEnabled(false);
    Edit1->setFocus();
}

void TForm4::Edit1Change() { Button1->setEnabled(true); }

void TForm4::BitBtn1Click()
{
    const QString name = Edit1->text();
    if (name.contains(QLatin1Char(' '))) {
        app::MessageBox::plain(QStringLiteral("No spaces please, use _ instead."));
        return;
    }
    const QString problem = logoimport::logoNameProblem(name);
    if (!problem.isEmpty()) {
        app::MessageBox::plain(problem);
        return;
    }
    accept();
}
