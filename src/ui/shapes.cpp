#include "shapes.h"

#include "twips.h"

#include <QPainter>

#include <algorithm>

namespace steam::ui {

RoundedPanel::RoundedPanel(QColor fill, QColor border, QWidget* parent)
    : QWidget(parent), m_fill(fill), m_border(border) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RoundedPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_border, 1));
    p.setBrush(m_fill);
    const double radius = std::min(width(), height()) / 6.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

RuleLine::RuleLine(QColor colour, QWidget* parent) : QWidget(parent), m_colour(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuleLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(m_colour);
    p.drawLine(0, 0, width() - 1, 0);
}

void placeRule(RuleLine* rule, int x1Twips, int x2Twips, int yTwips) {
    rule->setGeometry(px(x1Twips), px(yTwips), px(x2Twips) - px(x1Twips) + 1, 1);
}

}  // namespace steam::ui
