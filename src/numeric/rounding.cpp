#include "rounding.h"

#include <cmath>

namespace steam::numeric {

double sswr(double X, int Y) {
    const double P = std::pow(10.0, Y);
    const double scaled = X * P + 0.5;
    if (!std::isfinite(scaled)) return X;
    return std::floor(scaled) / P;
}

namespace {

// Scales a into [1, 10] the way the tick rule expects: divide while above 10, else
// multiply while below 1, every step kept in single precision. Returns the count.
int normalise(float& a) {
    int n = 0;
    if (a > 10.0f) {
        while (a > 10.0f) {
            a = a / 10.0f;
            --n;
        }
    } else if (a < 1.0f) {
        while (a < 1.0f) {
            a = a * 10.0f;
            ++n;
        }
    }
    return n;
}

bool hasMagnitude(float a) { return std::isfinite(a) && a > 0.0f; }

}  // namespace

float firstINT(double X) {
    float a = static_cast<float>(X);
    if (!hasMagnitude(a)) return 2.0f;
    normalise(a);
    return std::floor(a) + 1.0f;
}

int firstMi(double X) {
    float a = static_cast<float>(X);
    if (!hasMagnitude(a)) return 0;
    return normalise(a);
}

}  // namespace steam::numeric
