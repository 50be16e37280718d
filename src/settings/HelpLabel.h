// The bold "Help" label of a settings dialog: a click on it widens the
// dialog to show the help text, or narrows it again.
#pragma once

#include <QLabel>

namespace settings {

class HelpLabel : public QLabel {
    Q_OBJECT
public:
    explicit HelpLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace settings
