// The picture of a slot: shows the slot's picture field centred and
// unscaled. It carries its slot number; what a press, a double click or a
// drag does is up to the commands that listen to it.
#pragma once

#include <QFrame>
#include <QImage>

class TDBImage : public QFrame {
    Q_OBJECT
public:
    TDBImage(int slot, QWidget* parent = nullptr);

    int slot() const { return slot_; }
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // A frame around the slot, for the logo that Find went to.
    void setMarked(bool on);
    bool isMarked() const { return marked_; }

signals:
    void mouseDown(TDBImage* image, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void doubleClicked(TDBImage* image);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int slot_;
    QImage image_;
    bool marked_ = false;
};
