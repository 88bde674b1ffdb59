#pragma once
// Driving the real windows the way a user does: clicks, typing, mouse moves over the
// diagram with the buttons held.
#include "scripted_services.h"
#include "ui/f_cal.h"

#include <QPointF>

#include <memory>

class QLineEdit;
class QWidget;

namespace steam::uitest {

/// The main window, loaded from the data files beside the tests and shown.
std::unique_ptr<ui::fCal> openMainWindow(TestProgram& program);

/// Replaces the text of an editable box by typing, as a user would.
void typeInto(QLineEdit* box, const QString& text);

/// Left click in the middle of a widget.
void click(QWidget* widget);

/// A mouse move over `Pic` at a pixel, with the given buttons held.
void moveOverPic(ui::fCal& window, QPointF pixel, Qt::MouseButtons buttons = Qt::NoButton);
/// A press or release over `Pic`.
void pressOnPic(ui::fCal& window, QPointF pixel, Qt::MouseButton button);
void releaseOnPic(ui::fCal& window, QPointF pixel, Qt::MouseButton button);
/// Press, release, press as double-click, release: the events of a real double-click.
void doubleClickPic(ui::fCal& window, QPointF pixel);

/// Pixel of `Pic` (whole pixels, centre) showing the diagram point (s, h).
QPointF pixelOf(const ui::fCal& window, double s, double h);

/// Whether any pixel within radius of (x, y) of the image has exactly this colour.
bool colourNear(const QImage& image, QPointF pixel, int radius, QColor colour);
/// Whether any pixel of the column x has this colour.
bool columnHasColour(const QImage& image, int x, QColor colour);

}  // namespace steam::uitest
