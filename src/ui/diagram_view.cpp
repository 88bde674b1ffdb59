#include "diagram_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace steam::ui {

int mouseButtonState(Qt::MouseButtons buttons) {
    int state = 0;
    if (buttons & Qt::LeftButton) state |= 1;
    if (buttons & Qt::RightButton) state |= 2;
    if (buttons & Qt::MiddleButton) state |= 4;
    return state;
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier) state |= 1;
    if (modifiers & Qt::ControlModifier) state |= 2;
    if (modifiers & Qt::AltModifier) state |= 4;
    return state;
}

DiagramView::DiagramView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramView::setPictureSource(std::function<QImage()> source) {
    m_source = std::move(source);
    update();
}

void DiagramView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_source)
        p.drawImage(QPoint(0, 0), m_source());
    else
        p.fillRect(rect(), QColor(240, 243, 240));
}

void DiagramView::resizeEvent(QResizeEvent* event) { emit resized(event->size()); }

void DiagramView::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(mouseButtonState(event->buttons()), shiftState(event->modifiers()), event->position());
}

void DiagramView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_leftPressed = true;
}

void DiagramView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF inside(std::clamp(event->position().x(), 0.0, static_cast<double>(width())),
                         std::clamp(event->position().y(), 0.0, static_cast<double>(height())));
    emit released(mouseButtonState(event->buttons()), shiftState(event->modifiers()), inside);
    if (event->button() != Qt::LeftButton) return;
    const bool wasPressed = m_leftPressed;
    m_leftPressed = false;
    if (wasPressed && rect().contains(event->position().toPoint())) emit clicked();
}

void DiagramView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The press of a double-click completes no click of its own.
    m_leftPressed = false;
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace steam::ui
