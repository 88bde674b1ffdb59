#pragma once
// Window layouts are laid out in twips (1/1440 inch); at 96 dpi 15 twips make one pixel.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace steam::ui {

inline constexpr int kTwipsPerPixel = 15;

/// Twips to whole pixels, rounded to nearest (negative positions round symmetrically).
constexpr int px(int twips) {
    return twips >= 0 ? (twips * 2 + kTwipsPerPixel) / (2 * kTwipsPerPixel)
                      : -((-twips * 2 + kTwipsPerPixel) / (2 * kTwipsPerPixel));
}

/// (left, top, width, height) in twips as a pixel rectangle.
constexpr QRect twipRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

constexpr QSize twipSize(int width, int height) { return QSize(px(width), px(height)); }
constexpr QPoint twipPoint(int x, int y) { return QPoint(px(x), px(y)); }

}  // namespace steam::ui
