#pragma once
// The diagram box `Pic`: shows the diagram picture (persistent image with the transient
// marks above it) and reports the mouse in the terms the main window's handlers use.
#include <QImage>
#include <QWidget>

#include <functional>

namespace steam::ui {

/// Button state of a move report: 1 left, 2 right, 4 middle, summed.
int mouseButtonState(Qt::MouseButtons buttons);
/// Shift state: 1 shift, 2 control, 4 alt, summed.
int shiftState(Qt::KeyboardModifiers modifiers);

class DiagramView : public QWidget {
    Q_OBJECT
public:
    explicit DiagramView(QWidget* parent);

    /// Where the picture to show comes from; asked on every paint.
    void setPictureSource(std::function<QImage()> source);

signals:
    /// Every mouse move over the box, with or without buttons; position in pixels.
    void mouseMoved(int button, int shift, QPointF pixel);
    /// A button released, with the buttons still held. Also outside the box, where a drag
    /// that began in it ends: the position is then moved onto the box's nearest edge.
    void released(int button, int shift, QPointF pixel);
    /// Left button pressed and released over the box (also the first half of a double-click).
    void clicked();
    void doubleClicked();
    /// The box has a new size (the window grew or shrank).
    void resized(QSize size);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::function<QImage()> m_source;
    bool m_leftPressed = false;  // a press that may complete a click
};

}  // namespace steam::ui
