#include "artwork.h"

#include "window_fonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace steam::ui {

QString programTitle() { return QStringLiteral("水和水蒸气热力性质查询"); }

namespace {

// One rising wisp of steam: an S-curve from the bottom point upwards.
QPainterPath steamWisp(QPointF base, double height, double sway) {
    QPainterPath path(base);
    const double third = height / 3.0;
    path.cubicTo(base + QPointF(-sway, -third * 0.5), base + QPointF(-sway, -third * 1.2),
                 base + QPointF(0, -third * 1.5));
    path.cubicTo(base + QPointF(sway, -third * 1.8), base + QPointF(sway, -third * 2.5), base + QPointF(0, -height));
    return path;
}

// A horizontal wave band across [x0, x1] around height y.
QPainterPath wave(double x0, double x1, double y, double amplitude, double length, double phase) {
    QPainterPath path(QPointF(x0, y + amplitude * std::sin(phase)));
    for (double x = x0; x <= x1; x += 2.0)
        path.lineTo(x, y + amplitude * std::sin(phase + (x - x0) / length * 2.0 * M_PI));
    return path;
}

}  // namespace

QImage loginBackground() {
    QImage image(kLoginBackgroundSize, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0.0, QColor(8, 48, 78));
    sky.setColorAt(0.65, QColor(6, 88, 104));
    sky.setColorAt(1.0, QColor(0, 112, 120));
    p.fillRect(image.rect(), sky);

    // The saturation dome of the h-s chart, faint, on the right.
    QPainterPath dome(QPointF(250, 150));
    dome.cubicTo(QPointF(275, 95), QPointF(300, 40), QPointF(322, 38));
    dome.cubicTo(QPointF(350, 36), QPointF(378, 70), QPointF(398, 120));
    p.setPen(QPen(QColor(180, 230, 235, 70), 1.6));
    p.drawPath(dome);
    p.setPen(QPen(QColor(180, 230, 235, 40), 1.0, Qt::DotLine));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(262 + i * 32, 160), QPointF(300 + i * 34, 20));

    // Water at the bottom.
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(150, 225, 230, 90 - i * 20), 1.4));
        p.drawPath(wave(0, 400, 150 + i * 7, 2.5, 46 + i * 9, i * 1.3));
    }

    // Steam rising on the left.
    p.setPen(QPen(QColor(235, 250, 255, 110), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(steamWisp(QPointF(30, 92), 70, 9));
    p.setPen(QPen(QColor(235, 250, 255, 80), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(steamWisp(QPointF(46, 86), 56, 7));
    p.setPen(QPen(QColor(235, 250, 255, 60), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(steamWisp(QPointF(16, 84), 48, 6));

    // Title and subtitle.
    p.setPen(QColor(255, 255, 255));
    QFont title = uiFont(QStringLiteral("宋体"), 15, true);
    p.setFont(title);
    p.drawText(QRect(66, 14, 320, 30), Qt::AlignLeft | Qt::AlignVCenter, programTitle());
    p.setPen(QColor(190, 228, 232));
    p.setFont(uiFont(QStringLiteral("Arial"), 7.5));
    p.drawText(QRect(68, 44, 250, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Properties of Water and Steam"));
    p.setPen(QPen(QColor(190, 228, 232, 120), 1));
    p.drawLine(QPointF(68, 62.5), QPointF(318, 62.5));

    // Prompt beside the code box.
    p.setPen(QColor(236, 252, 255));
    p.setFont(uiFont(QStringLiteral("宋体"), 10.5));
    p.drawText(QRect(28, 105, 72, 25), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("访问码："));
    p.end();
    return image;
}

QImage loginButton(bool pressed) {
    QImage image(kLoginButtonSize, QImage::Format_ARGB32_Premultiplied);
    const QColor face(0, 128, 128);
    image.fill(face);
    QPainter p(&image);
    const QRect r = image.rect().adjusted(0, 0, -1, -1);
    const QColor light(120, 210, 210), dark(0, 60, 60), deep(0, 35, 35);
    if (pressed) p.fillRect(r.adjusted(1, 1, 0, 0), face.darker(140));
    // Raised look: light top-left, dark bottom-right; pressed: the reverse.
    p.setPen(pressed ? deep : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? light : deep);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(pressed ? face.darker(150) : dark);
    if (pressed) {
        p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
        p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    } else {
        p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
        p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(255, 255, 255));
    p.setFont(uiFont(QStringLiteral("宋体"), 10.5, true));
    const QRect textRect = pressed ? r.translated(1, 1) : r;
    p.drawText(textRect, Qt::AlignCenter, QStringLiteral("登 录"));
    p.end();
    return image;
}

QImage farewellPicture() {
    QImage image(kFarewellPictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(224, 224, 224));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Round badge.
    QRadialGradient badge(QPointF(42, 38), 60);
    badge.setColorAt(0.0, QColor(70, 170, 185));
    badge.setColorAt(1.0, QColor(10, 80, 105));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(badge);
    p.drawEllipse(QRectF(4, 5, 92, 92));

    // Steam above the drop.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(240, 252, 255, 200), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(steamWisp(QPointF(38, 50), 30, 5));
    p.drawPath(steamWisp(QPointF(50, 46), 34, 5));
    p.drawPath(steamWisp(QPointF(62, 50), 30, 5));

    // The drop.
    QPainterPath drop(QPointF(50, 50));
    drop.cubicTo(QPointF(56, 60), QPointF(66, 68), QPointF(66, 77));
    drop.cubicTo(QPointF(66, 86), QPointF(58, 92), QPointF(50, 92));
    drop.cubicTo(QPointF(42, 92), QPointF(34, 86), QPointF(34, 77));
    drop.cubicTo(QPointF(34, 68), QPointF(44, 60), QPointF(50, 50));
    QLinearGradient water(34, 55, 66, 92);
    water.setColorAt(0.0, QColor(170, 230, 255));
    water.setColorAt(1.0, QColor(30, 130, 220));
    p.setPen(QPen(QColor(255, 255, 255), 1.5));
    p.setBrush(water);
    p.drawPath(drop);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(39, 70, 14, 16), 150 * 16, 70 * 16);
    p.end();
    return image;
}

}  // namespace steam::ui
