#pragma once
// Points, boxes and segments in a picture's pixels (x to the right, y down), for laying
// out labels and for drawing lines into images.
namespace steam::diagram {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

struct PixelBox {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    /// Whether the boxes share more than a line of their edges.
    bool overlaps(const PixelBox& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool contains(const PixelBox& other) const {
        return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
    }
    bool contains(const PixelPoint& p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

/// Cuts the segment a-b to the box, edges included (Liang-Barsky). False, with a and b
/// left as they were, when no part of it lies inside.
bool clipSegment(const PixelBox& box, PixelPoint& a, PixelPoint& b);

/// Distance of p from the segment a-b.
double distanceToSegment(const PixelPoint& p, const PixelPoint& a, const PixelPoint& b);

}  // namespace steam::diagram
