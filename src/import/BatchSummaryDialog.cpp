#include "BatchSummaryDialog.h"

#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace logoimport {

BatchSummaryDialog::BatchSummaryDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BatchSummary"));
    setWindowTitle(QStringLiteral("Import finished"));
    setFont(info::dialogFont());
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    headline_ = new QLabel(this);
    headline_->setObjectName(QStringLiteral("HeadlineLabel"));
    headline_->setWordWrap(true);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("SummaryText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setMinimumSize(560, 300);
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("CopyButton"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    layout->addWidget(headline_);
    layout->addWidget(text_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(text_->toPlainText()); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void BatchSummaryDialog::present(const QString& headline, const QString& text)
{
    headline_->setText(headline);
    text_->setPlainText(text);
    adjustSize();
    info::centreOnScreen(this);
    show();
    raise();
}

QString BatchSummaryDialog::text() const { return text_->toPlainText(); }

} // namespace logoimport
