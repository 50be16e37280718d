// A link label: blue text with the hand cursor that reports a click (a press
// and a release on the label). A press that is released off the label opens
// nothing. While the button is held the label either keeps its font or is
// drawn plain (neither bold nor underlined); in the second case the release,
// wherever it happens, leaves it underlined and not bold.
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

    // Places the label with its design size, made wider when the address
    // (set in its font) needs more room.
    void place(int x, int y, int width, int height);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setStyle(bool bold, bool underline);

    PressLook look_;
    bool pressed_ = false;
};

} // namespace info
