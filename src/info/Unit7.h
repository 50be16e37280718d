// The about box: product, version, copyright, a few words on the terms of use
// and the maker's mail link.
#pragma once

#include <QDialog>

namespace info { class LinkLabel; }

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();
    void emailClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    info::LinkLabel* email_ = nullptr;
};
