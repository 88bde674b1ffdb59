// Residual part of the dimensionless Helmholtz energy, all derivatives in one
// pass. The sums are accumulated in scaled form (delta*phi_d, delta^2*phi_dd,
// ...), which turns each term's derivatives into a few multiplications.
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "coefficients.h"
#include "iapws95.h"

namespace iapws95 {
namespace {

constexpr int kPowCap = 64;
// Terms whose exponential factor is below exp(-80) change no result by more
// than 1e-25 relative even with their derivative factors, so they are skipped;
// this spares most evaluations the non-analytic terms' powers entirely.
constexpr double kNegligibleExponent = 80.0;

// Facts about the coefficient tables that the evaluation relies on, derived
// once so that the tables stay the single source of the numbers.
struct Layout {
    int maxDeltaPow = 0;                // largest d or c
    int maxTauPow = 0;                  // largest integer t
    std::array<int, 7> polyEighths{};   // t of terms 1..7 in units of 1/8
    std::array<bool, kPowCap> usesC{};  // which exponents c occur
    double criticalTauTauSign = -1.0;   // sign of phir_tt's divergence at the critical point
};

Layout buildLayout() {
    Layout L;
    for (std::size_t i = 0; i < coef::poly.size(); ++i) {
        const auto& p = coef::poly[i];
        const double k = p.t * 8.0;
        if (k != std::round(k) || std::abs(k) > 8)
            throw std::logic_error("iapws95: tau exponent of a polynomial term is not a multiple of 1/8");
        L.polyEighths[i] = static_cast<int>(k);
        L.maxDeltaPow = std::max(L.maxDeltaPow, p.d);
    }
    for (const auto& e : coef::expo) {
        L.maxDeltaPow = std::max({L.maxDeltaPow, e.d, e.c});
        L.maxTauPow = std::max(L.maxTauPow, e.t);
        L.usesC.at(e.c) = true;
    }
    for (const auto& g : coef::gauss) {
        L.maxDeltaPow = std::max(L.maxDeltaPow, g.d);
        L.maxTauPow = std::max(L.maxTauPow, g.t);
    }
    if (L.maxDeltaPow >= kPowCap || L.maxTauPow >= kPowCap) throw std::logic_error("iapws95: exponent table too small");
    // At delta = tau = 1 the term with the smallest b dominates d2/dtau2 of
    // Delta^b, which tends to +infinity for 1/2 < b < 1.
    const auto* dom = &coef::nonAnalytic[0];
    for (const auto& na : coef::nonAnalytic)
        if (na.b < dom->b) dom = &na;
    L.criticalTauTauSign = dom->n < 0 ? -1.0 : 1.0;
    return L;
}

const Layout& layout() {
    static const Layout L = buildLayout();
    return L;
}

}  // namespace

Derivatives residualPart(double delta, double tau) {
    const Layout& L = layout();

    // Integer powers by running products: cheaper than pow and accurate to a
    // few ulp for the exponents used (<= 50).
    double dpow[kPowCap], tpow[kPowCap];
    dpow[0] = 1.0;
    for (int k = 1; k <= L.maxDeltaPow; ++k) dpow[k] = dpow[k - 1] * delta;
    tpow[0] = 1.0;
    for (int k = 1; k <= L.maxTauPow; ++k) tpow[k] = tpow[k - 1] * tau;

    // tau^(k/8) for k = -8..8, index k + 8.
    double eighth[17];
    const double tau8 = std::sqrt(std::sqrt(std::sqrt(tau)));
    eighth[8] = 1.0;
    for (int k = 1; k <= 8; ++k) eighth[8 + k] = eighth[7 + k] * tau8;
    for (int k = 1; k <= 8; ++k) eighth[8 - k] = eighth[16 - k] / tau;

    double expNegDc[kPowCap];
    for (int c = 1; c <= L.maxDeltaPow; ++c)
        if (L.usesC[c]) expNegDc[c] = std::exp(-dpow[c]);

    // Scaled sums: s = phi, sd = delta phi_d, sdd = delta^2 phi_dd,
    // st = tau phi_t, stt = tau^2 phi_tt, sdt = delta tau phi_dt.
    double s = 0, sd = 0, sdd = 0, st = 0, stt = 0, sdt = 0;

    for (std::size_t i = 0; i < coef::poly.size(); ++i) {
        const auto& p = coef::poly[i];
        const double b = p.n * dpow[p.d] * eighth[L.polyEighths[i] + 8];
        const double d = p.d, t = p.t;
        s += b;
        sd += d * b;
        sdd += d * (d - 1) * b;
        st += t * b;
        stt += t * (t - 1) * b;
        sdt += d * t * b;
    }

    for (const auto& e : coef::expo) {
        const double dc = dpow[e.c];
        const double b = e.n * dpow[e.d] * tpow[e.t] * expNegDc[e.c];
        const double k = e.d - e.c * dc;  // delta * d/ddelta of ln(term)
        const double t = e.t;
        s += b;
        sd += k * b;
        sdd += (k * (k - 1) - e.c * e.c * dc) * b;
        st += t * b;
        stt += t * (t - 1) * b;
        sdt += t * k * b;
    }

    for (const auto& g : coef::gauss) {
        const double dm = delta - g.eps, tm = tau - g.gamma;
        const double arg = g.alpha * dm * dm + g.beta * tm * tm;
        if (arg > kNegligibleExponent) continue;
        const double b = g.n * dpow[g.d] * tpow[g.t] * std::exp(-arg);
        const double kd = g.d - 2 * g.alpha * delta * dm;
        const double kt = g.t - 2 * g.beta * tau * tm;
        s += b;
        sd += kd * b;
        sdd += (kd * kd - g.d - 2 * g.alpha * delta * delta) * b;
        st += kt * b;
        stt += (kt * kt - g.t - 2 * g.beta * tau * tau) * b;
        sdt += kd * kt * b;
    }

    // Non-analytic terms. With x = (delta-1)^2, dDelta/ddelta = (delta-1) g and
    // every remaining power of x has a non-negative exponent, so delta == 1 is
    // an ordinary point; only Delta == 0 (the critical point) is singular.
    const double dm1 = delta - 1.0, x = dm1 * dm1, tm1 = tau - 1.0;
    bool critical = false;
    for (const auto& na : coef::nonAnalytic) {
        const double psiArg = na.C * x + na.D * tm1 * tm1;
        if (psiArg > kNegligibleExponent) continue;
        const double ib = 1.0 / (2.0 * na.beta);
        const double q = std::pow(x, ib - 1.0);
        const double r = std::pow(x, na.a - 1.0);
        const double theta = -tm1 + na.A * x * q;
        const double Delta = theta * theta + na.B * x * r;
        if (!(Delta > 0.0)) {
            critical = true;  // all terms and first derivatives tend to zero here
            continue;
        }
        const double g = na.A * theta * (2.0 / na.beta) * q + 2.0 * na.B * na.a * r;
        const double Dd = dm1 * g;
        const double Ddd = g + 4.0 * na.B * na.a * (na.a - 1.0) * r +
                           2.0 * (na.A / na.beta) * (na.A / na.beta) * x * q * q +
                           na.A * theta * (4.0 / na.beta) * (ib - 1.0) * q;

        const double b = na.b;
        const double Db = std::pow(Delta, b);
        const double Db1 = Db / Delta;   // Delta^(b-1)
        const double Db2 = Db1 / Delta;  // Delta^(b-2)
        const double Dbd = b * Db1 * Dd;
        const double Dbdd = b * (Db1 * Ddd + (b - 1.0) * Db2 * Dd * Dd);
        const double Dbt = -2.0 * theta * b * Db1;
        const double Dbtt = 2.0 * b * Db1 + 4.0 * theta * theta * b * (b - 1.0) * Db2;
        const double Dbdt = -na.A * b * (2.0 / na.beta) * Db1 * dm1 * q - 2.0 * theta * b * (b - 1.0) * Db2 * Dd;

        const double psi = std::exp(-psiArg);
        const double psid = -2.0 * na.C * dm1 * psi;
        const double psidd = (2.0 * na.C * x - 1.0) * 2.0 * na.C * psi;
        const double psit = -2.0 * na.D * tm1 * psi;
        const double psitt = (2.0 * na.D * tm1 * tm1 - 1.0) * 2.0 * na.D * psi;
        const double psidt = 4.0 * na.C * na.D * dm1 * tm1 * psi;

        const double n = na.n;
        const double phi = n * Db * delta * psi;
        const double phid = n * (Db * (psi + delta * psid) + Dbd * delta * psi);
        const double phidd =
            n * (Db * (2.0 * psid + delta * psidd) + 2.0 * Dbd * (psi + delta * psid) + Dbdd * delta * psi);
        const double phit = n * delta * (Dbt * psi + Db * psit);
        const double phitt = n * delta * (Dbtt * psi + 2.0 * Dbt * psit + Db * psitt);
        const double phidt =
            n * (Db * (psit + delta * psidt) + delta * Dbd * psit + Dbt * (psi + delta * psid) + delta * Dbdt * psi);

        s += phi;
        sd += delta * phid;
        sdd += delta * delta * phidd;
        st += tau * phit;
        stt += tau * tau * phitt;
        sdt += delta * tau * phidt;
    }

    Derivatives r;
    r.phi = s;
    r.d = sd / delta;
    r.dd = sdd / (delta * delta);
    r.t = st / tau;
    r.tt = critical ? L.criticalTauTauSign * std::numeric_limits<double>::infinity() : stt / (tau * tau);
    r.dt = sdt / (delta * tau);
    return r;
}

}  // namespace iapws95
