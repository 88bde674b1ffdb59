#include "widget_style.h"

#include "window_fonts.h"

#include <QLabel>
#include <QPushButton>

namespace steam::ui {

QColor toQColor(colour::Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

void setRole(QWidget* w, QPalette::ColorRole role, QColor colour) {
    QPalette palette = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) palette.setColor(group, role, colour);
    w->setPalette(palette);
}

void setFilledBackground(QWidget* w, QColor colour) {
    setRole(w, QPalette::Window, colour);
    setRole(w, QPalette::Button, colour);
    w->setAutoFillBackground(true);
}

void setTextColour(QWidget* w, QColor colour) {
    QPalette palette = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    w->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // Not the bold face of a panel it may sit in.
    button->setFont(defaultWindowFont());
    return button;
}

}  // namespace steam::ui
