#pragma once
// A straight segment between two points of the (t, p) surface (rows of a grid by position:
// 1 t, 2 p, 3 v, 4 h, 5 s), along which the calculator of u with t or p finds its state: h, p
// and v run straight along it, so u = h - 1000 p v is a quadratic of the fraction of the way.
#include "data/schema.h"

namespace steam::calc {

/// The point of the segment from a to b at fraction f.
data::GridRow pointOn(const data::GridRow& a, const data::GridRow& b, double f);

/// Where on the segment from a to b u takes `u`: of the quadratic's roots within the segment,
/// the one nearest where u taken straight between the ends reaches the value; that place itself
/// where no root lies within.
double fractionWithEnergy(const data::GridRow& a, const data::GridRow& b, double u);

}  // namespace steam::calc
