// A link label: blue text with the hand cursor that reports a click (a press
// and a release on the label). Its look while pressed is one of three.
#pragma once

#include <QLabel>

namespace info {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    enum class PressLook {
        Unchanged,          // keeps its font while pressed
        PlainThenUnderline, // plain while pressed, underlined after
    };

    LinkLabel(const QString& text, PressLook look, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PressLook look_;
    bool pressed_ = false;
};

} // namespace info
