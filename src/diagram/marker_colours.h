#pragma once
// Colours of the state-point markers, and of the marks the mouse draws over the diagram in
// the same colours: the "图选s" pick line is the current saturation result's colour, the
// "图选sh" lines the current state result's.
#include "drawing_surface.h"

namespace steam::diagram {

inline constexpr Rgb kRegisterDotEdge{0, 255, 50};
inline constexpr Rgb kSaturationLabelBox{255, 255, 180};
inline constexpr Rgb kStateLabelBox{155, 255, 180};
inline constexpr Rgb kCurrentSatDot{250, 60, 160};
inline constexpr Rgb kCurrentSatEdge{140, 0, 50};
inline constexpr Rgb kCurrentStateDot{0, 180, 255};
inline constexpr Rgb kCurrentStateEdge{0, 60, 120};

/// Outline of the rectangle a zoom drag shows.
inline constexpr Rgb kRubberBand{128, 128, 128};

}  // namespace steam::diagram
