#include "window_driver.h"

#include "render/qimage_surface.h"
#include "ui/diagram_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

namespace steam::uitest {

std::unique_ptr<ui::fCal> openMainWindow(TestProgram& program) {
    auto window = std::make_unique<ui::fCal>(program.context());
    if (!window->Form_Load()) {
        qWarning("load failed: %s", qPrintable(program.messages.texts().join(u'|')));
        return nullptr;
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    return window;
}

void typeInto(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center()); }

namespace {

void sendMouse(ui::fCal& window, QEvent::Type type, QPointF pixel, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QWidget* pic = window.Pic;
    QMouseEvent event(type, pixel, pic->mapToGlobal(pixel), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pic, &event);
}

}  // namespace

void moveOverPic(ui::fCal& window, QPointF pixel, Qt::MouseButtons buttons) {
    sendMouse(window, QEvent::MouseMove, pixel, Qt::NoButton, buttons);
}

void pressOnPic(ui::fCal& window, QPointF pixel, Qt::MouseButton button) {
    sendMouse(window, QEvent::MouseButtonPress, pixel, button, button);
}

void releaseOnPic(ui::fCal& window, QPointF pixel, Qt::MouseButton button) {
    sendMouse(window, QEvent::MouseButtonRelease, pixel, button, Qt::NoButton);
}

void doubleClickPic(ui::fCal& window, QPointF pixel) {
    pressOnPic(window, pixel, Qt::LeftButton);
    releaseOnPic(window, pixel, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonDblClick, pixel, Qt::LeftButton, Qt::LeftButton);
    releaseOnPic(window, pixel, Qt::LeftButton);
}

QPointF pixelOf(const ui::fCal& window, double s, double h) {
    const QPointF p = window.toPixel(s, h);
    return QPointF(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
}

bool colourNear(const QImage& image, QPointF pixel, int radius, QColor colour) {
    const int cx = static_cast<int>(pixel.x()), cy = static_cast<int>(pixel.y());
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if (image.valid(x, y) && image.pixelColor(x, y).rgb() == colour.rgb() &&
                image.pixelColor(x, y).alpha() == 255)
                return true;
    return false;
}

bool columnHasColour(const QImage& image, int x, QColor colour) {
    int hits = 0;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y).rgb() == colour.rgb() && image.pixelColor(x, y).alpha() == 255) ++hits;
    // A line, not a stray pixel.
    return hits > image.height() / 2;
}

}  // namespace steam::uitest
