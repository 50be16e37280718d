// The credits window: thanks to the people and programs the program owes to.
#pragma once

#include <QDialog>

namespace info { class LinkLabel; }

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void hyperlinkClick();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    info::LinkLabel* hyperlink_ = nullptr;
};
