// The picture of a slot: shows the slot's picture field centred and
// unscaled. It carries its slot number; what a press, a double click, a
// drag or a key does is up to the commands that listen to it. The selected
// slot, the one the keys act on, shows a frame in the highlight colour.
#pragma once

#include <QFrame>

class QPainter;
#include <QImage>
#include <QStringList>

class TDBImage : public QFrame {
    Q_OBJECT
public:
    TDBImage(int slot, QWidget* parent = nullptr);

    int slot() const { return slot_; }
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    void setSelected(bool on);
    bool isSelected() const { return selected_; }
    // A small warning mark on the picture, with the reasons in its tooltip;
    // none for an empty list.
    void setWarning(const QStringList& reasons);
    bool hasWarning() const { return !warning_.isEmpty(); }
    // A frame around the slot, for the logo that Find went to.
    void setMarked(bool on);
    bool isMarked() const { return marked_; }

signals:
    void mouseDown(TDBImage* image, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void doubleClicked(TDBImage* image);
    // The picture got the keyboard focus.
    void focused(TDBImage* image);
    // A key of the slot commands: the arrows, Page Up and Down, Delete, Enter.
    void keyPressed(TDBImage* image, int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static QString usage();
    void paintWarning(QPainter& painter, const QRect& area);

    int slot_;
    QImage image_;
    // image_ in a format the window's surface takes as it is: painting it is
    // a plain copy, with no conversion and no helper threads on each paint.
    QImage shown_;
    bool selected_ = false;
    QStringList warning_;
    bool marked_ = false;
};
