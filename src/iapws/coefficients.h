// Coefficient tables of the formulation (internal to the library).
#pragma once

#include <array>

namespace iapws95::coef {

// Ideal-gas part: phi0 = ln(delta) + n0[0] + n0[1] tau + n0[2] ln(tau)
//                       + sum_i n0[i] ln(1 - exp(-gamma0[i] tau)),  i = 3..7
extern const std::array<double, 8> n0;
extern const std::array<double, 8> gamma0;  // entries 0..2 unused

// Residual part, terms 1..7: n delta^d tau^t
struct PolyTerm {
    double n;
    int d;
    double t;
};
// Terms 8..51: n delta^d tau^t exp(-delta^c)
struct ExpTerm {
    double n;
    int d;
    int t;
    int c;
};
// Terms 52..54: n delta^d tau^t exp(-alpha (delta-eps)^2 - beta (tau-gamma)^2)
struct GaussTerm {
    double n;
    int d;
    int t;
    double alpha, beta, gamma, eps;
};
// Terms 55..56: n Delta^b delta psi (see residual_part.cpp)
struct NonAnalyticTerm {
    double n, a, b, B, C, D, A, beta;
};

extern const std::array<PolyTerm, 7> poly;
extern const std::array<ExpTerm, 44> expo;
extern const std::array<GaussTerm, 3> gauss;
extern const std::array<NonAnalyticTerm, 2> nonAnalytic;

// Auxiliary saturation equations (start values only; they are not consistent
// with the formulation to better than about 4e-4).
extern const std::array<double, 6> auxA, auxAExp;   // ln(ps/pc) = (Tc/T) sum a_i v^e_i
extern const std::array<double, 6> auxB, auxBExp3;  // rho'/rhoc = 1 + sum b_i v^(k_i/3)
extern const std::array<double, 6> auxC, auxCExp6;  // ln(rho''/rhoc) = sum c_i v^(k_i/6)

}  // namespace iapws95::coef
