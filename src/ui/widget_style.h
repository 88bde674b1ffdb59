#pragma once
// Palette helpers and widget factories shared by the program's windows: colours set for
// every state of a widget, and labels and buttons placed by twips with their object names.
#include "colour/colours.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace steam::ui {

/// Colours of the classic desktop scheme the layouts name by role.
inline const QColor kHighlightText(255, 255, 255);
inline const QColor kCaptionText(255, 255, 255);
inline const QColor kWindowText(0, 0, 0);

QColor toQColor(colour::Rgb rgb);

/// Sets one colour role for the active, inactive and disabled states alike.
void setRole(QWidget* w, QPalette::ColorRole role, QColor colour);
/// Fills the widget's background: Window for plain widgets, Button for buttons and check
/// boxes, both set so that either kind shows the colour.
void setFilledBackground(QWidget* w, QColor colour);
/// Caption colour of a label, check box or option button (their indicators keep theirs),
/// for the active and inactive states; disabled captions stay greyed.
void setTextColour(QWidget* w, QColor colour);

/// A label with its object name, text and place.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry);
/// A push button in the windows' default font, with its object name, caption and place.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry);

}  // namespace steam::ui
