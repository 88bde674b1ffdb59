#pragma once
// Flat decoration of the windows: rounded backing panels and straight rules. They take
// no input, so clicks reach whatever lies above them.
#include <QColor>
#include <QWidget>

namespace steam::ui {

/// A rounded rectangle filling the widget: fill colour and a one-pixel border.
class RoundedPanel : public QWidget {
public:
    RoundedPanel(QColor fill, QColor border, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_fill;
    QColor m_border;
};

/// A horizontal one-pixel rule across the widget's width, at its top row.
class RuleLine : public QWidget {
public:
    RuleLine(QColor colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_colour;
};

/// Places a rule from (x1, y) to (x2, y), in twips, within its parent.
void placeRule(RuleLine* rule, int x1Twips, int x2Twips, int yTwips);

}  // namespace steam::ui
