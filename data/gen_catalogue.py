#!/usr/bin/env python3
"""Builds the demo fan catalogue catalogue.sql and checks a built catalogue.

    python3 gen_catalogue.py                 writes catalogue.sql beside this script
    python3 gen_catalogue.py --check         checks schema.sql + catalogue.sql
    python3 gen_catalogue.py --check FILE    checks a built fans.dat (or an .sql file)

Nothing here is random: the same script always writes the same file.
Standard library only.

Every fan's working ranges (q_min..q_max, p_min..p_max) are stored for air at
20 deg C, as the plot draws every curve: a fan rated for air at t deg C gives its
pressure and power at 20 deg C multiplied by (t + 273) / 293. The motors of the
heat-resistant and smoke-exhaust versions are sized for air at 20 deg C like the
ordinary version of the same fan, since such a fan starts, and is tested, cold.
"""

import argparse
import itertools
import math
import os
import re
import sqlite3
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SCHEMA_SQL = os.path.join(HERE, "schema.sql")
CATALOGUE_SQL = os.path.join(HERE, "catalogue.sql")

# The program uses this literal value of pi; match it so checks agree to the last bit.
PI = 3.141592653589793

ORDER_URL = "https://vortel.example/order/%d"

# ---------------------------------------------------------------------------
# Motors

POWERS = [0.18, 0.25, 0.37, 0.55, 0.75, 1.1, 1.5, 2.2, 3, 4, 5.5, 7.5, 11, 15,
          18.5, 22, 30, 37, 45, 55, 75]

# Actual speed under rated load. Slip shrinks as motors grow, so within one
# synchronous speed the actual speed never falls with power; the motor choice
# below relies on that.
REAL_SPEEDS = {
    3000: [2730, 2730, 2740, 2740, 2840, 2840, 2860, 2860, 2860, 2880, 2880,
           2900, 2920, 2920, 2920, 2940, 2950, 2950, 2960, 2960, 2970],
    1500: [1350, 1350, 1370, 1370, 1390, 1400, 1410, 1420, 1420, 1430, 1440,
           1440, 1450, 1460, 1460, 1470, 1470, 1475, 1475, 1480, 1480],
    1000: [880, 880, 900, 900, 910, 920, 930, 940, 950, 950, 960, 960, 970,
           970, 975, 975, 980, 980, 980, 985, 985],
    # Eight-pole motors start at 0.25 kW.
    750: [None, 680, 680, 690, 690, 700, 700, 710, 710, 720, 720, 720, 725,
          730, 730, 735, 735, 740, 740, 740, 740],
}
SPEEDS = [3000, 1500, 1000, 750]

# Belt drives (scheme 5) set the fan speed by their pulleys: every other step of
# the R20 preferred numbers, none of them a motor speed. Only the upper part of
# the speeds that an impeller stands is listed, where it does useful work.
BELT_SPEEDS = [560, 710, 900, 1120, 1400, 1800, 2240, 2800]
BELT_LOWEST_U_SHARE = 0.4


def belt_motor_speed(rev):
    """Four-pole motors drive the belts, two-pole ones the fastest fans."""
    return 3000 if rev > 2000 else 1500


# Motor margin over the largest power the fan takes in its working range.
MOTOR_MARGIN = 1.1
# Below this the fan is too small to be worth listing.
MIN_FAN_POWER = 0.1

# ---------------------------------------------------------------------------
# Executions: designation and rated air temperature. Each designation has
# exactly one temperature.

MATERIALS = [
    ("О", 20),       # general purpose, carbon steel
    ("К", 20),       # corrosion-proof, stainless steel
    ("В", 20),       # explosion-proof, non-sparking pair
    ("Ж", 300),      # heat-resistant
    ("ДУ", 400),     # smoke exhaust, 400 deg C for 2 h
    ("ДУ600", 600),  # smoke exhaust, 600 deg C for 1.5 h
]

# ---------------------------------------------------------------------------
# Sizes (impeller diameter in dm)

R10 = [2.5, 3.15, 4, 5, 6.3, 8, 10, 12.5]
R20 = [2.5, 2.8, 3.15, 3.55, 4, 4.5, 5, 5.6, 6.3, 7.1, 8, 9, 10, 12.5]


def sizes(series, lo, hi):
    return [d for d in series if lo <= d <= hi]


# A trimmed or enlarged impeller fills a gap between listed sizes. Where the
# sizes step by less than this, a 0.9 trim lands on (or within a few per cent
# of) the next smaller size: the same fan under another label.
COARSE_STEP = 1.2


def trim_fills_gap(diameters, d, nominal):
    """Whether a fan of size d with this impeller share belongs in a catalogue
    that lists these sizes: the step towards the trim must be coarse."""
    if nominal == 1:
        return True
    smaller = [x for x in diameters if x < d]
    larger = [x for x in diameters if x > d]
    if nominal < 1:
        step = d / max(smaller) if smaller else (min(larger) / d if larger else 0)
    else:
        step = min(larger) / d if larger else (d / max(smaller) if smaller else 0)
    return step >= COARSE_STEP


# ---------------------------------------------------------------------------
# Aerodynamic designs.
#
# Each design is fixed by its best-efficiency point (phi_bep, psi_bep, eta_max)
# and the shape of its curves in x = phi / phi_bep, two polynomials in x that
# are 1 at x = 1:
#   psi_v(x)  = psi_bep * sum(pv[k] * x^k)
#   lambda(x) = L * sum(lm[k] * x^k),           L = phi_bep*psi_bep/eta_max
# psi_s = psi_v - psi_d, with psi_d fixed by the outlet b*c.
#
# Most shapes come from a few numbers (see shaped):
#   psi_v(x)/psi_bep  = 1 + s1*t - s2*t^2 + s3*t^3,  t = 1 - x
#   lambda(x)/L       = r + m1*x + m2*x^2 + m3*x^3
# r is the shut-off power as a share of the power at best efficiency; m1 and m2
# follow from lambda(1) = L and d(eta)/dx = 0 at x = 1, so the efficiency peaks
# exactly at phi_bep. The forward-curved ВР 280-46 is instead fitted to the
# published points of the real series (see fitted_design).
# Radial series are named "<100*psi_v>-<n_s>" at best efficiency, n_s being the
# speed number (быстроходность); phi_bep follows from the two (see speed_number).

class Design:
    def __init__(self, model, phi, psi, eta, shape, x, bc, pdf, tech,
                 nominals, materials, u_max):
        self.model = model
        self.phi_bep, self.psi_bep, self.eta_max = phi, psi, eta
        self.pv, self.lm = shape
        self.x_min, self.x_max = x
        self.b, self.c = bc
        self.pdf, self.tech = pdf, tech
        self.nominals = nominals
        self.materials = materials
        self.u_max = u_max  # peripheral speed limit of the impeller, m/s

    def coefficients(self):
        """Returns (a1..a7, b1..b7), highest power first, rounded as stored."""
        pb = self.phi_bep
        pv = list(self.pv) + [0.0] * (4 - len(self.pv))
        lm = list(self.lm) + [0.0] * (4 - len(self.lm))
        psi_s = [self.psi_bep * v / pb ** k for k, v in enumerate(pv)]
        k_d = PI / (4 * self.b * self.c)
        psi_s[2] -= k_d * k_d
        big_l = pb * self.psi_bep / self.eta_max
        lam = [big_l * v / pb ** k for k, v in enumerate(lm)]
        # "+ 0.0" turns a -0.0 left by a zero shape term into a plain zero.
        a = [0.0] * (7 - len(psi_s)) + [round_sig(v) + 0.0 for v in reversed(psi_s)]
        b = [0.0] * (7 - len(lam)) + [round_sig(v) + 0.0 for v in reversed(lam)]
        return a, b

    def phi_range(self):
        return (round(self.phi_bep * self.x_min, 4),
                round(self.phi_bep * self.x_max, 4))


def shaped(s, r, m3):
    """Shape polynomials (pv, lm) in x from the pressure shape s = (s1, s2, s3),
    the shut-off power share r and the cubic power term m3."""
    s1, s2, s3 = s
    # psi_v in powers of x: expand (1 - x)^k.
    pv = [1 + s1 - s2 + s3, -s1 + 2 * s2 - 3 * s3, -s2 + 3 * s3, -s3]
    m2 = r - s1 - 2 * m3
    m1 = 1 - 2 * r + s1 + m3
    return pv, [r, m1, m2, m3]


def round_sig(v, digits=6):
    return float("%.*g" % (digits, v))


# Anchored on the ВР 80-75 design: phi 0.212 at psi_v 0.80 gives n_s 75.
K_NS = 75 / (math.sqrt(0.212) / 0.8 ** 0.75)


def speed_number(phi, psi_v):
    """n_s = n*sqrt(Q)/P^0.75 (Q in m3/s, P in kgf/m2), written with phi and psi_v."""
    return K_NS * math.sqrt(phi) / psi_v ** 0.75


def phi_for(psi_v, n_s):
    return round((n_s * psi_v ** 0.75 / K_NS) ** 2, 4)


O, K, V, J, DU, DU6 = "О", "К", "В", "Ж", "ДУ", "ДУ600"

RADIAL_BACKWARD = (0.50, 0.35, 0.0)
# Axial impellers: a pressure curve steep enough at best efficiency (s1 > 1)
# that the power falls with airflow, and a shut-off power well above it.
AXIAL = (1.30, 0.60, 0.0)
# Pressurisation fans: the pressure keeps climbing towards shut-off, so the
# efficiency holds up at low airflow.
PRESSURISATION = (1.30, 0.0, 0.40)

# Published catalogue points of the real ВР 280-46 series (formerly ВЦ 14-46):
# size, rev/min, airflow m3/h, total pressure Pa for air at 20 deg C, total
# efficiency. Over this range the pressure rises to a peak and falls again while
# the power grows about four-fold, the mark of a forward-curved impeller.
PUBLISHED_VR280_46 = [
    (5, 1450, 7571, 1967, 0.60), (5, 1450, 10582, 2329, 0.70),
    (5, 1450, 14445, 2487, 0.73), (5, 1450, 19169, 2594, 0.70),
    (5, 1450, 24265, 2475, 0.60),
    (8, 960, 20327, 2203, 0.60), (8, 960, 28807, 2588, 0.70),
    (8, 960, 39311, 2821, 0.73), (8, 960, 51791, 2914, 0.70),
    (8, 960, 66056, 2783, 0.60),
]


def published_coefficients(points):
    """(phi, psi_v, lambda) of published points, as the model defines them."""
    out = []
    for size, rev, q, p, eta in points:
        d = size / 10.0
        u = d * PI * rev / 60
        phi = q / (PI * d * d * u * 900)
        psi_v = p / (0.6 * u * u)
        out.append((phi, psi_v, phi * psi_v / eta))
    return out


def least_squares(xs, ys, degree):
    """Coefficients (constant term first) of the least-squares polynomial."""
    n = degree + 1
    a = [[sum(x ** (i + j) for x in xs) for j in range(n)] + [sum(y * x ** i
         for x, y in zip(xs, ys))] for i in range(n)]
    for i in range(n):
        p = max(range(i, n), key=lambda r: abs(a[r][i]))
        a[i], a[p] = a[p], a[i]
        for r in range(n):
            if r != i:
                f = a[r][i] / a[i][i]
                a[r] = [v - f * w for v, w in zip(a[r], a[i])]
    return [a[i][n] / a[i][i] for i in range(n)]


def value(coefs, x):
    return sum(c * x ** k for k, c in enumerate(coefs))


def fitted_design(points, degree=2):
    """Best-efficiency point, shape and x range of curves fitted to published points.

    Quadratics in phi for both psi_v and lambda: enough for a single pressure peak
    and a steadily growing power, and they cannot wander between the points."""
    pts = published_coefficients(points)
    phis = [p[0] for p in pts]
    pv = least_squares(phis, [p[1] for p in pts], degree)
    lm = least_squares(phis, [p[2] for p in pts], degree)
    lo, hi = min(phis), max(phis)

    def eta(phi):
        return phi * value(pv, phi) / value(lm, phi)

    g = (math.sqrt(5) - 1) / 2
    a, b = lo, hi
    for _ in range(100):
        c, d = b - g * (b - a), a + g * (b - a)
        if eta(c) > eta(d):
            b = d
        else:
            a = c
    phi = (a + b) / 2
    psi, e = value(pv, phi), eta(phi)
    big_l = phi * psi / e
    shape = ([c * phi ** k / psi for k, c in enumerate(pv)],
             [c * phi ** k / big_l for k, c in enumerate(lm)])
    return phi, psi, e, shape, (lo / phi, hi / phi)


VR280_PHI, VR280_PSI, VR280_ETA, FORWARD, FORWARD_X = fitted_design(PUBLISHED_VR280_46)

D = {}


def design(key, *args, **kw):
    D[key] = Design(*args, **kw)


# Roof axial supply fans
design("ВКОП", "ВКОП", 0.21, 0.24, 0.70, shaped(PRESSURISATION, 1.4, 0.0),
       (0.45, 1.3), (1.0, 1.0), "vkop", "vkop", [1], [O, K, V], 60)
design("ВКОП(Ф)", "ВКОП(Ф)", 0.19, 0.30, 0.66, shaped((1.25, 0.0, 0.45), 1.4, 0.0),
       (0.45, 1.3), (1.0, 1.0), "vkop_f", "vkop_f", [1], [O, K], 60)
# Roof radial fans
design("ВКР", "ВКР", phi_for(0.70, 80), 0.70, 0.78,
       shaped(RADIAL_BACKWARD, 0.40, 0.0), (0.45, 1.6), (0.9, 0.9), "vkr", "vkr",
       [0.9, 1], [O, K, V, DU, DU6], 45)
design("ВКРС", "ВКРС", phi_for(0.45, 120), 0.45, 0.72,
       shaped((0.55, 0.35, 0.0), 0.42, 0.0), (0.45, 1.6), (1.0, 1.0), "", "vkrs",
       [1], [O, K, V], 40)
# General-purpose radial fans. Model designations are written without blanks, as the
# catalogue's text search reads them (ВР80-75-4); the series classes keep the usual spelling.
design("ВР 80-75", "ВР80-75", phi_for(0.80, 75), 0.80, 0.83,
       shaped(RADIAL_BACKWARD, 0.40, 0.0), (0.45, 1.6), (0.70, 0.63), "vr80_75",
       "vr80_75", [0.9, 1, 1.05], [O, K, V, DU], 85)
design("ВР 86-77", "ВР86-77", phi_for(0.86, 77), 0.86, 0.84,
       shaped((0.55, 0.30, 0.05), 0.38, 0.0), (0.45, 1.6), (0.72, 0.65), "vr86_77",
       "vr86_77", [0.9, 1], [O, K, J], 85)
# Forward-curved, fitted to the published points over the published range.
design("ВР 280-46", "ВР280-46", VR280_PHI, VR280_PSI, VR280_ETA, FORWARD, FORWARD_X,
       (0.78, 0.80), "vr280_46", "vr280_46", [0.9, 1], [O, K, J, DU], 60)
# A wider forward-curved impeller of the same kind: the ВР 280-46 shape moved to
# its own best-efficiency point.
design("ВР 300-45", "ВР300-45", phi_for(3.0, 45), 3.0, 0.75, FORWARD, FORWARD_X,
       (0.80, 0.82), "vr300_45", "vr300_45", [0.9, 1], [O, V, J], 60)
design("ВР 120-28", "ВР120-28", phi_for(1.2, 28), 1.2, 0.66,
       shaped((0.45, 0.40, 0.0), 0.50, 0.0), (0.45, 1.6), (0.35, 0.40), None,
       "vr120_28", [1, 1.05], [O, K], 100)
# Axial fans
design("ВО 06-300", "ВО06-300", 0.197, 0.12, 0.70, shaped(AXIAL, 1.6, 0.0),
       (0.6, 1.3), (1.0, 1.0), "vo06_300", "vo06_300", [1], [O, K, V], 75)
design("ВО 06-300Р", "ВО06-300Р", 0.185, 0.11, 0.63, shaped(AXIAL, 1.6, 0.0),
       (0.6, 1.3), (1.0, 1.0), "vo06_300", "vo06_300r", [1], [O, V], 75)
design("ВО 25-188", "ВО25-188", 0.233, 0.25, 0.74, shaped((1.35, 0.55, 0.0), 1.6, 0.0),
       (0.6, 1.3), (1.0, 1.0), "vo25_188", "vo25_188", [1], [O, K, V, DU], 75)
design("ВО 14-320", "ВО14-320", 0.283, 0.14, 0.72, shaped(AXIAL, 1.6, 0.0),
       (0.6, 1.25), (1.0, 1.0), "vo14_320", "vo14_320", [1], [O, V, DU6], 75)

# Fan types in the order the program expects them, with their series and, per
# series, the schemes (scheme number, sizes) and the designs built in them.
# Scheme 1: impeller on the motor shaft; scheme 5: belt drive on a frame.
CATALOGUE = [
    ("ВКОП", [
        ("ВКОП 24-185", [(1, sizes(R20, 3.15, 12.5))], ["ВКОП"]),
        ("ВКОП(Ф) 30-150", [(1, sizes(R20, 4, 10))], ["ВКОП(Ф)"]),
    ]),
    ("ВКР", [
        ("ВКР 70-80", [(1, sizes(R20, 3.15, 12.5))], ["ВКР"]),
        ("ВКР 45-120", [(1, sizes(R10, 3.15, 10))], ["ВКРС"]),
    ]),
    ("ВР", [
        ("ВР 80-75", [(1, sizes(R10, 2.5, 8)), (5, sizes(R10, 6.3, 12.5))],
         ["ВР 80-75"]),
        ("ВР 86-77", [(1, sizes(R20, 2.5, 8)), (5, sizes(R20, 7.1, 12.5))],
         ["ВР 86-77"]),
        ("ВР 280-46", [(1, sizes(R10, 2.5, 6.3)), (5, sizes(R10, 5, 8))],
         ["ВР 280-46"]),
        ("ВР 300-45", [(1, sizes(R10, 2.5, 6.3)), (5, sizes(R10, 5, 8))],
         ["ВР 300-45"]),
        ("ВР 120-28", [(1, sizes(R10, 2.5, 5))], ["ВР 120-28"]),
    ]),
    ("ВО", [
        ("ВО 06-300", [(1, sizes(R20, 2.5, 12.5))], ["ВО 06-300", "ВО 06-300Р"]),
        ("ВО 25-188", [(1, sizes(R20, 2.5, 10))], ["ВО 25-188"]),
        ("ВО 14-320", [(1, sizes(R10, 4, 12.5))], ["ВО 14-320"]),
    ]),
]

ROOT_CLASS = "Вентиляторы"
FAN_TYPES = ["ВКОП", "ВКР", "ВР", "ВО"]

# Share of the best efficiency that bounds a fan's listed working range.
WORKING_ETA_SHARE = 0.9
# Roof pressurisation fans keep a staircase under pressure with its doors shut,
# at a small part of their design airflow, so their ranges reach further down.
LOW_FLOW_ETA_SHARE = {"ВКОП": 0.75}
# Axial fans take the most power towards shut-off, radial fans at full flow.
AXIAL_TYPES = ("ВКОП", "ВО")


def working_shares(fan_type):
    """Shares of the best efficiency at the low-flow and the high-flow end."""
    return LOW_FLOW_ETA_SHARE.get(fan_type, WORKING_ETA_SHARE), WORKING_ETA_SHARE


# ---------------------------------------------------------------------------
# The characteristic, computed exactly as the program computes it.

def poly(coefs, phi):
    # Last coefficient is the constant term; evaluate from it upwards.
    total, power = 0.0, 1.0
    for c in reversed(coefs):
        total += c * power
        power *= phi
    return total


class Model:
    def __init__(self, a, b, phi_min, phi_max, bw, cw):
        self.a, self.b = list(a), list(b)
        self.phi_min, self.phi_max = phi_min, phi_max
        self.bw, self.cw = bw, cw

    def psi_s(self, phi):
        return poly(self.a, phi)

    def psi_d(self, phi):
        return (phi * PI / (4 * self.bw * self.cw)) ** 2

    def psi_v(self, phi):
        return self.psi_s(phi) + self.psi_d(phi)

    def lam(self, phi):
        return poly(self.b, phi)

    def eta(self, phi):
        return phi * self.psi_v(phi) / self.lam(phi)

    def best(self, steps=4000):
        """(phi, eta) of the best efficiency, by sampling then golden section."""
        lo, hi = self.phi_min, self.phi_max
        grid = [lo + (hi - lo) * i / steps for i in range(steps + 1)]
        i = max(range(len(grid)), key=lambda k: self.eta(grid[k]))
        a, b = grid[max(i - 1, 0)], grid[min(i + 1, steps)]
        g = (math.sqrt(5) - 1) / 2
        for _ in range(80):
            c, d = b - g * (b - a), a + g * (b - a)
            if self.eta(c) > self.eta(d):
                b = d
            else:
                a = c
        phi = (a + b) / 2
        return phi, self.eta(phi)

    def eta_bound(self, target, inside, outside):
        """phi between inside (eta above target) and outside where eta == target."""
        if self.eta(outside) >= target:
            return outside
        for _ in range(200):
            mid = (inside + outside) / 2
            if self.eta(mid) >= target:
                inside = mid
            else:
                outside = mid
        return inside

    def working_phi(self, shares=(WORKING_ETA_SHARE, WORKING_ETA_SHARE)):
        phi_b, eta_b = self.best()
        return (self.eta_bound(shares[0] * eta_b, phi_b, self.phi_min),
                self.eta_bound(shares[1] * eta_b, phi_b, self.phi_max))


def factor_20(temperature):
    """Turns pressure and power at the rated air temperature into those at 20 deg C."""
    return (temperature + 273.0) / 293.0


class Fan:
    """One fan's dimensional characteristic: the program's formulas, in its order.

    P and N are for the rated air temperature, as the program computes them;
    P20 and N20 are what the plot draws, converted to air at 20 deg C.
    """

    def __init__(self, model, diameter, nominal, rev, temperature):
        self.m = model
        de = diameter / 10.0 * nominal
        self.de2 = de * de
        self.u = de * PI * rev / 60
        self.u2 = self.u * self.u
        self.u3 = self.u2 * self.u
        self.rho2 = 293.0 / (temperature + 273.0) * 0.6
        self.k20 = factor_20(temperature)

    def Q(self, phi):
        return phi * PI * self.de2 * self.u * 900

    def phi_Q(self, q):
        return q / (self.de2 * PI * self.u * 900)

    def P(self, phi):
        return self.m.psi_v(phi) * self.rho2 * self.u2

    def N(self, phi):
        return self.m.lam(phi) * self.rho2 * PI * self.de2 * self.u3 / 4000

    def P20(self, phi):
        return self.P(phi) * self.k20

    def N20(self, phi):
        return self.N(phi) * self.k20

    def working_range(self, phi_a, phi_b):
        """Rounded (q_min, q_max, p_min, p_max) at 20 deg C and the phi of the
        rounded airflows."""
        q_min, q_max = round(self.Q(phi_a)), round(self.Q(phi_b))
        pa, pb = self.phi_Q(q_min), self.phi_Q(q_max)
        lo, hi = extremes(self.P20, pa, pb)
        return q_min, q_max, round(lo), round(hi), pa, pb

    def max_power(self, pa, pb):
        """Largest power taken over [pa, pb], at 20 deg C."""
        return extremes(self.N20, pa, pb)[1]


def extremes(f, a, b, steps=200):
    """(smallest, largest) value of a smooth f over [a, b]: the ends, or an
    inner turning point found by sampling and then golden section."""
    xs = [a + (b - a) * i / steps for i in range(steps + 1)]
    ys = [f(x) for x in xs]
    out = []
    for sign in (-1, 1):
        i = max(range(len(ys)), key=lambda k: sign * ys[k])
        best = ys[i]
        if 0 < i < steps:
            lo, hi = xs[i - 1], xs[i + 1]
            g = (math.sqrt(5) - 1) / 2
            for _ in range(60):
                c, d = hi - g * (hi - lo), lo + g * (hi - lo)
                if sign * f(c) > sign * f(d):
                    hi = d
                else:
                    lo = c
            best = sign * max(sign * best, sign * f((lo + hi) / 2))
        out.append(best)
    return out[0], out[1]


# ---------------------------------------------------------------------------
# Generation

def engine_rows():
    rows = []
    for speed in SPEEDS:
        for power, real in zip(POWERS, REAL_SPEEDS[speed]):
            if real is not None:
                rows.append((len(rows) + 1, power, speed, real))
    return rows


def motor_length(power):
    """Rough length of a foot-mounted motor, mm."""
    return 180 + 95 * power ** 0.42


def motor_weight(power):
    return 5 + 9 * power ** 0.85


def round_to(v, step):
    return int(step * round(v / step))


def dimensions(fan_type, series, scheme, diameter, power, material):
    """Overall length, depth, height (mm) and weight (kg) of a fan with its motor."""
    d = diameter * 100
    ml = motor_length(power)
    wide = series in ("ВР 280-46", "ВР 300-45")
    if fan_type == "ВР":
        if scheme == 1:
            dims = (1.45 * d + 40, (1.1 if wide else 0.9) * d + ml, 1.6 * d + 40)
        else:
            dims = (1.5 * d + 300, (1.4 if wide else 1.2) * d + ml + 200,
                    1.7 * d + 150)
        casing = (1.1 if wide else 0.8) * diameter ** 2.5
        if series == "ВР 120-28":
            casing *= 1.3
        if scheme == 5:
            casing = casing * 1.4 + 20
    elif fan_type == "ВКР":
        dims = (1.6 * d + 200, 1.6 * d + 200, 1.0 * d + 0.8 * ml + 100)
        casing = 0.9 * diameter ** 2.5
    elif fan_type == "ВКОП":
        dims = (1.5 * d + 250, 1.5 * d + 250, 0.8 * d + ml + 150)
        casing = 0.7 * diameter ** 2.5
    else:
        dims = (0.5 * d + 0.6 * ml + 100, 1.05 * d + 80, 1.05 * d + 80)
        casing = 0.35 * diameter ** 2.5
    if material in (J, DU, DU6):
        casing *= 1.15  # thicker sheet and insulated motor mount
    weight = casing + motor_weight(power)
    return tuple(round_to(v, 5) for v in dims), int(round(weight))


def build_classes():
    """Class rows in pre-order with nested-set bounds, and scheme ids by (series, no)."""
    classes, scheme_ids = [], {}
    bound = 0

    def open_node(name, level):
        nonlocal bound
        bound += 1
        row = {"id": len(classes) + 1, "class": name, "leftValue": bound,
               "rightValue": None, "level": level}
        classes.append(row)
        return row

    def close_node(row):
        nonlocal bound
        bound += 1
        row["rightValue"] = bound

    root = open_node(ROOT_CLASS, 0)
    for fan_type, series_list in CATALOGUE:
        type_row = open_node(fan_type, 1)
        for series, schemes, _ in series_list:
            series_row = open_node(series, 2)
            for no, _ in schemes:
                scheme_row = open_node("Схема %d" % no, 3)
                close_node(scheme_row)
                scheme_ids[(series, no)] = scheme_row["id"]
            close_node(series_row)
        close_node(type_row)
    close_node(root)
    return classes, scheme_ids


def build_models():
    """Model rows in catalogue order, their ids and Model objects by design key."""
    models, ids, objs = [], {}, {}
    for _, series_list in CATALOGUE:
        for _, _, keys in series_list:
            for key in keys:
                if key in ids:
                    continue
                dz = D[key]
                a, b = dz.coefficients()
                phi_min, phi_max = dz.phi_range()
                row = {"id": len(models) + 1, "model": dz.model}
                row.update({"a%d" % (i + 1): v for i, v in enumerate(a)})
                row.update({"b%d" % (i + 1): v for i, v in enumerate(b)})
                row.update({"phi_min": phi_min, "phi_max": phi_max, "b": dz.b,
                            "c": dz.c, "pdf": dz.pdf, "techInfo": dz.tech})
                models.append(row)
                ids[key] = row["id"]
                objs[key] = Model(a, b, phi_min, phi_max, dz.b, dz.c)
    return models, ids, objs


def build():
    """Returns the rows of every table as lists of dicts."""
    classes, scheme_ids = build_classes()
    models, model_ids, model_objs = build_models()
    engines = [{"id": i, "power": p, "speed": s, "realSpeed": r}
               for i, p, s, r in engine_rows()]
    by_speed = {s: [e for e in engines if e["speed"] == s] for s in SPEEDS}
    materials = [{"id": i + 1, "material": m, "temperature": t}
                 for i, (m, t) in enumerate(MATERIALS)]
    material_ids = {m["material"]: m["id"] for m in materials}
    temperatures = dict(MATERIALS)

    fans = []
    for fan_type, series_list in CATALOGUE:
        for series, schemes, keys in series_list:
            for (scheme, diameters), key in itertools.product(schemes, keys):
                dz, model = D[key], model_objs[key]
                phi_a, phi_b = model.working_phi(working_shares(fan_type))
                drives = SPEEDS if scheme == 1 else BELT_SPEEDS
                for material, diameter, nominal, drive in itertools.product(
                        dz.materials, diameters, dz.nominals, drives):
                    if not trim_fills_gap(diameters, diameter, nominal):
                        continue
                    if scheme == 1:
                        picked = pick_motor(model, dz, diameter, nominal,
                                            temperatures[material], by_speed[drive],
                                            phi_a, phi_b)
                    else:
                        picked = pick_belt_motor(model, dz, diameter, nominal,
                                                 temperatures[material], drive,
                                                 by_speed[belt_motor_speed(drive)],
                                                 phi_a, phi_b)
                    if picked is None:
                        continue
                    engine, rev, (q_min, q_max, p_min, p_max) = picked
                    fid = len(fans) + 1
                    dims, weight = dimensions(fan_type, series, scheme, diameter,
                                              engine["power"], material)
                    # A few sizes still await their drawings and weighing, and
                    # not every fan is sold online.
                    if fid % 41 == 7:
                        dims = (None, None, None)
                    if fid % 31 == 5:
                        weight = None
                    fans.append({
                        "id": fid,
                        "class_id": scheme_ids[(series, scheme)],
                        "model_id": model_ids[key],
                        "engine_id": engine["id"],
                        "material_id": material_ids[material],
                        "diameter": diameter, "nominal": nominal, "rev": rev,
                        "q_min": q_min, "q_max": q_max,
                        "p_min": p_min, "p_max": p_max,
                        "length": dims[0], "depth": dims[1], "height": dims[2],
                        "weight": weight,
                        "url": None if fid % 4 == 0 else ORDER_URL % fid,
                    })
    return classes, engines, materials, models, fans


def pick_motor(model, dz, diameter, nominal, temperature, engines, phi_a, phi_b):
    """Smallest motor of one speed that covers the fan's working range with margin."""
    de = diameter / 10.0 * nominal
    for engine in engines:
        rev = int(engine["realSpeed"])
        if de * PI * rev / 60 > dz.u_max:
            return None
        fan = Fan(model, diameter, nominal, rev, temperature)
        rng = fan.working_range(phi_a, phi_b)
        need = fan.max_power(rng[4], rng[5])
        if need < MIN_FAN_POWER:
            return None
        if MOTOR_MARGIN * need <= engine["power"]:
            return engine, rev, rng[:4]
    return None


def pick_belt_motor(model, dz, diameter, nominal, temperature, rev, engines,
                    phi_a, phi_b):
    """Smallest motor for a belt-driven fan at rev, or None where that speed
    is beyond the impeller or too slow to list."""
    u = diameter / 10.0 * nominal * PI * rev / 60
    if u > dz.u_max or u < BELT_LOWEST_U_SHARE * dz.u_max:
        return None
    fan = Fan(model, diameter, nominal, rev, temperature)
    rng = fan.working_range(phi_a, phi_b)
    need = fan.max_power(rng[4], rng[5])
    if need < MIN_FAN_POWER:
        return None
    for engine in engines:
        if MOTOR_MARGIN * need <= engine["power"]:
            return engine, rev, rng[:4]
    return None


# ---------------------------------------------------------------------------
# SQL output

def sql_value(v):
    if v is None:
        return "NULL"
    if isinstance(v, str):
        return "'" + v.replace("'", "''") + "'"
    if isinstance(v, float) and v.is_integer():
        return str(int(v))  # whole values are stored as integers: 4, not 4.0
    return repr(v)


def coefficient_value(v):
    return repr(float(v))


COLUMNS = {
    "classes": ["id", "class", "leftValue", "rightValue", "level"],
    "engines": ["id", "power", "speed", "realSpeed"],
    "materials": ["id", "material", "temperature"],
    "models": ["id", "model"] + ["a%d" % i for i in range(1, 8)]
              + ["b%d" % i for i in range(1, 8)]
              + ["phi_min", "phi_max", "b", "c", "pdf", "techInfo"],
    "fans": ["id", "class_id", "model_id", "engine_id", "material_id",
             "diameter", "nominal", "rev", "q_min", "q_max", "p_min", "p_max",
             "length", "depth", "height", "weight", "url"],
}
COEFFICIENT_COLUMNS = set(COLUMNS["models"][2:16])


def write_sql(path, tables):
    lines = [
        "-- Demo fan catalogue. Generated by gen_catalogue.py; edit that script,",
        "-- not this file, and regenerate. Load after schema.sql.",
        "--",
        "-- Working ranges q_min..q_max (m3/h) and p_min..p_max (Pa) are for air at",
        "-- 20 deg C, as the plot draws every curve; a fan rated for air at t deg C",
        "-- develops the pressure and takes the power divided by (t + 273) / 293.",
        "-- Motors of the Ж, ДУ and ДУ600 versions are sized for air at 20 deg C,",
        "-- like the ordinary version of the same fan: a smoke fan starts cold.",
        "BEGIN TRANSACTION;",
    ]
    for name in ("classes", "engines", "materials", "models", "fans"):
        cols = COLUMNS[name]
        lines.append("")
        for row in tables[name]:
            values = [coefficient_value(row[c]) if name == "models"
                      and c in COEFFICIENT_COLUMNS else sql_value(row[c])
                      for c in cols]
            lines.append("INSERT INTO %s (%s) VALUES (%s);"
                         % (name, ", ".join(cols), ", ".join(values)))
    lines += ["", "COMMIT;", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))


# ---------------------------------------------------------------------------
# Checking

class Checker:
    def __init__(self):
        self.failures = []
        self.notes = []

    def fail(self, text):
        self.failures.append(text)

    def expect(self, cond, text):
        if not cond:
            self.fail(text)
        return cond


def open_catalogue(path):
    if path is None or path.endswith(".sql"):
        con = sqlite3.connect(":memory:")
        with open(SCHEMA_SQL, encoding="utf-8") as f:
            con.executescript(f.read())
        with open(path or CATALOGUE_SQL, encoding="utf-8") as f:
            con.executescript(f.read())
        return con
    if not os.path.exists(path):
        raise SystemExit("no such file: %s" % path)
    return sqlite3.connect("file:%s?mode=ro" % path, uri=True)


FAN_TABLE_QUERY = (
    "SELECT f.id, mat.temperature, mod.model, f.diameter, f.nominal, e.power, "
    "e.speed, f.rev, f.q_min, f.q_max, f.p_min, f.p_max, cl.class, f.class_id, "
    "f.model_id, e.realSpeed, REPLACE(f.q_min || ' - ' || f.q_max, '.', ','), "
    "REPLACE(f.p_min || ' - ' || f.p_max, '.', ','), f.material_id "
    "FROM fans AS f INNER JOIN classes AS cl ON f.class_id = cl.id "
    "INNER JOIN engines AS e ON f.engine_id = e.id "
    "INNER JOIN materials AS mat ON f.material_id = mat.id "
    "INNER JOIN models AS mod ON f.model_id = mod.id WHERE ")


def check(path):
    ck = Checker()
    con = open_catalogue(path)
    cur = con.cursor()

    # Tables and columns, and numeric affinity where the program compares numbers.
    for table, cols in COLUMNS.items():
        info = cur.execute("PRAGMA table_info(%s)" % table).fetchall()
        names = [r[1] for r in info]
        if not ck.expect(names == cols, "%s columns %s, expected %s"
                         % (table, names, cols)):
            continue
        for r in info:
            if r[1] in ("class", "material", "model", "pdf", "techInfo", "url"):
                continue
            decl = r[2].upper()
            ck.expect(any(k in decl for k in ("INT", "REAL", "NUM", "FLOA", "DOUB")),
                      "%s.%s is declared %r, which lacks numeric affinity"
                      % (table, r[1], r[2]))
    if ck.failures:
        return report(ck, {})

    classes = cur.execute(
        "SELECT id, class, leftValue, rightValue, level FROM classes "
        "ORDER BY leftValue").fetchall()
    check_tree(ck, classes)

    engines = {r[0]: r for r in cur.execute(
        "SELECT id, power, speed, realSpeed FROM engines")}
    for eid, power, speed, real in engines.values():
        ck.expect(power in POWERS, "engine %d: power %r is not a standard power"
                  % (eid, power))
        ck.expect(speed in SPEEDS, "engine %d: speed %r" % (eid, speed))
        ck.expect(0.85 * speed < real < speed,
                  "engine %d: real speed %r for %r" % (eid, real, speed))
        ck.expect(type(power) is int or not float(power).is_integer(),
                  "engine %d: whole power stored as real" % eid)

    materials = {r[0]: r for r in cur.execute(
        "SELECT id, material, temperature FROM materials")}
    temps = {}
    for _, name, t in materials.values():
        temps.setdefault(name, set()).add(t)
    for name, ts in temps.items():
        ck.expect(len(ts) == 1, "material %s has several temperatures %s"
                  % (name, sorted(ts)))
    all_temps = {t for ts in temps.values() for t in ts}
    ck.expect({20, 400, 600} <= all_temps and len(all_temps) >= 4,
              "temperatures %s" % sorted(all_temps))

    # The fan type of each model, from the classes of its fans.
    model_types = {}
    for r in classes:
        if r[4] == 1:
            for (mid,) in cur.execute(
                    "SELECT DISTINCT f.model_id FROM fans AS f INNER JOIN classes AS cl "
                    "ON f.class_id = cl.id WHERE cl.leftValue >= ? AND cl.rightValue <= ?",
                    (str(r[2]), str(r[3]))):
                model_types.setdefault(mid, set()).add(r[1])

    models = {}
    model_info = {}
    published = None
    for r in cur.execute(
            "SELECT id, model, a1, a2, a3, a4, a5, a6, a7, b1, b2, b3, b4, b5, b6, "
            "b7, phi_min, phi_max, b, c, pdf, techInfo FROM models"):
        mid, name = r[0], r[1]
        m = Model(r[2:9], r[9:16], r[16], r[17], r[18], r[19])
        models[mid] = (name, m)
        ok = ck.expect(m.phi_min < m.phi_max and m.bw > 0 and m.cw > 0,
                       "model %s: bad range or outlet" % name)
        ck.expect(r[21] and re.fullmatch(r"[a-z0-9_]+", r[21]) is not None,
                  "model %s: techInfo %r" % (name, r[21]))
        ck.expect(r[20] is None or re.fullmatch(r"[a-z0-9_]*", r[20]) is not None,
                  "model %s: pdf %r" % (name, r[20]))
        if not ok:
            continue
        types = model_types.get(mid, set())
        ck.expect(len(types) <= 1, "model %s under several fan types" % name)
        fan_type = min(types) if types else None
        check_model(ck, name, m, fan_type in AXIAL_TYPES)
        if name == "ВР280-46":
            published = check_published(ck, name, m, PUBLISHED_VR280_46)
        phi, eta = m.best()
        lo, hi = m.working_phi(working_shares(fan_type))
        model_info[mid] = (name, phi, eta, m.psi_v(phi), lo, hi)

    fans = cur.execute(FAN_TABLE_QUERY + "1 = 1").fetchall()
    total = cur.execute("SELECT COUNT(*) FROM fans").fetchone()[0]
    ck.expect(total == len(fans), "%d of %d fans lose a reference in the joins"
              % (total - len(fans), total))
    parent = series_of(classes)
    scheme_rows = {r[0] for r in classes if r[4] == 3}
    series_models = {}
    hot = [0, 0]  # rows rated above 20 deg C, and those whose motor copes at 20 deg C
    for row in fans:
        (fid, t, mname, diameter, nominal, power, speed, rev, q_min, q_max,
         p_min, p_max, cname, class_id, model_id, real, q_text, p_text,
         material_id) = row
        where = "fan %d (%s-%s)" % (fid, mname, diameter)
        ck.expect(class_id in scheme_rows, where + ": not in a scheme class")
        series_models.setdefault(parent.get(class_id), set()).add(model_id)
        ck.expect(diameter in R20, where + ": size %r" % diameter)
        ck.expect(nominal in (0.9, 1, 1.05), where + ": nominal %r" % nominal)
        ck.expect(type(diameter) is int or not float(diameter).is_integer(),
                  where + ": whole diameter stored as real")
        ck.expect(type(nominal) is int or not float(nominal).is_integer(),
                  where + ": whole nominal stored as real")
        belt = cname == "Схема 5"
        if belt:
            ck.expect(rev not in (int(real), speed) and speed == belt_motor_speed(rev),
                      where + ": belt drive at rev %r with a %r rev/min motor"
                      % (rev, speed))
        else:
            ck.expect(rev == int(real), where + ": rev %r, motor %r" % (rev, real))
        ck.expect(re.fullmatch(r"\d+ - \d+", q_text) is not None
                  and re.fullmatch(r"\d+ - \d+", p_text) is not None,
                  where + ": range texts %r, %r" % (q_text, p_text))
        if model_id not in model_info:
            continue
        m = models[model_id][1]
        fan = Fan(m, diameter, nominal, rev, t)
        pa, pb = fan.phi_Q(q_min), fan.phi_Q(q_max)
        lo, hi = model_info[model_id][4:6]
        ck.expect(m.phi_min <= pa < pb <= m.phi_max,
                  where + ": airflow range outside the curve")
        ck.expect(abs(pa - lo) * fan.Q(1) <= 0.5 + 1e-6
                  and abs(pb - hi) * fan.Q(1) <= 0.5 + 1e-6,
                  where + ": airflow range is not the efficient range")
        # The plot draws every curve for air at 20 deg C, and matching compares
        # a point picked on it with these ranges.
        lo_p, hi_p = extremes(fan.P20, pa, pb)
        ck.expect(abs(lo_p - p_min) <= 0.5 + 1e-6 and abs(hi_p - p_max) <= 0.5 + 1e-6,
                  where + ": pressure %r..%r off the curve at 20 deg C (%.2f..%.2f)"
                  % (p_min, p_max, lo_p, hi_p))
        steps = [fan.P20(pa + (pb - pa) * i / 100) for i in range(101)]
        ck.expect(turns(steps) <= 1 and steps[-1] < steps[0] * 1.2,
                  where + ": pressure over the working range neither falls nor "
                  "rises to a single peak")
        if model_types.get(model_id, set()) & set(AXIAL_TYPES):
            power_20 = [fan.N20(pa + (pb - pa) * i / 100) for i in range(101)]
            ck.expect(all(b <= a for a, b in zip(power_20, power_20[1:])),
                      where + ": axial, but its power rises over the working range")
        # Matching on a point picked on the drawn curve, with no tolerance, finds it.
        for share in (0.1, 0.5, 0.9):
            q = q_min + (q_max - q_min) * share
            p = fan.P20(fan.phi_Q(q))
            found = cur.execute(
                "SELECT COUNT(*) FROM fans AS f WHERE f.id = ? "
                "AND f.p_min <= '%s' AND f.p_max >= '%s' "
                "AND f.q_min <= '%s' AND f.q_max >= '%s'"
                % ("%.6g" % p, "%.6g" % p, "%.6g" % q, "%.6g" % q), (fid,)).fetchone()[0]
            if not ck.expect(found == 1, where + ": not matched at its own point "
                             "%.0f m3/h, %.0f Pa" % (q, p)):
                break
        need = fan.max_power(pa, pb)
        ck.expect(need >= MIN_FAN_POWER, where + ": takes only %.3f kW" % need)
        fits = ck.expect(MOTOR_MARGIN * need <= power,
                         where + ": motor %r kW for %.2f kW at 20 deg C" % (power, need))
        if t != 20:
            hot[0] += 1
            hot[1] += fits
        # No smaller motor of the same speed may do, run at its own speed
        # (at the pulleys' speed on a belt drive).
        for e in engines.values():
            if e[2] == speed and e[1] < power:
                small = Fan(m, diameter, nominal, rev if belt else int(e[3]), t)
                rng = small.working_range(lo, hi)
                if MOTOR_MARGIN * small.max_power(rng[4], rng[5]) <= e[1]:
                    ck.fail(where + ": %r kW motor would do" % e[1])
                    break

    # No fan twice under different labels: another size with a trimmed
    # impeller of (nearly) the same effective diameter at (nearly) the same speed.
    groups = {}
    for row in fans:
        groups.setdefault((row[14], row[18]), []).append(row)
    for rows in groups.values():
        for a, b in itertools.combinations(rows, 2):
            if (abs(a[3] * a[4] / (b[3] * b[4]) - 1) <= 0.02
                    and abs(a[7] / b[7] - 1) <= 0.02 and a[13] == b[13]):
                ck.fail("fan %d (%s-%s x %s) is fan %d (%s-%s x %s) again"
                        % (a[0], a[2], a[3], a[4], b[0], b[2], b[3], b[4]))

    # A hot version is the ordinary fan in other materials: same motor, same ranges.
    ordinary = {}
    for row in fans:
        if row[1] == 20:
            ordinary.setdefault((row[14], row[12], row[3], row[4], row[7]),
                                (row[5], row[6]) + tuple(row[8:12]))
    for row in fans:
        if row[1] != 20:
            same = ordinary.get((row[14], row[12], row[3], row[4], row[7]))
            ck.expect(same is None or same == (row[5], row[6]) + tuple(row[8:12]),
                      "fan %d (%s-%s): motor or ranges differ from the ordinary version"
                      % (row[0], row[2], row[3]))

    # Radial series carry 100 * psi_v at best efficiency in their names.
    class_names = {r[0]: r[1] for r in classes}
    named = []
    for sid, mids in series_models.items():
        mt = re.fullmatch(r"(ВР|ВКР) (\d+)-(\d+)", class_names.get(sid, ""))
        if not mt:
            continue
        for mid in mids & model_info.keys():
            name, phi, eta, psi_v = model_info[mid][:4]
            want = int(mt.group(2)) / 100
            named.append((class_names[sid], name, psi_v, speed_number(phi, psi_v)))
            # Published designations are rounded: the real ВР 280-46 shows 2.92.
            ck.expect(abs(psi_v - want) <= 0.05 * want,
                      "series %s, model %s: psi_v %.3f at best efficiency"
                      % (class_names[sid], name, psi_v))

    for fid, length, depth, height, weight, url in cur.execute(
            "SELECT id, length, depth, height, weight, url FROM fans"):
        ck.expect(all(v is None or v > 0 for v in (length, depth, height, weight)),
                  "fan %d: dimensions or weight not positive" % fid)
        ck.expect(url is None or url == ORDER_URL % fid, "fan %d: url %r" % (fid, url))

    # The program's own queries on this file.
    diam_text = [str(v) for (v,) in cur.execute(
        "SELECT DISTINCT diameter FROM fans ORDER BY diameter")]
    for txt in diam_text:
        ck.expect(not txt.endswith(".0"), "diameter text %s" % txt)

    types = per_type(cur, classes)
    ck.expect(sum(n for _, n in types) == total, "fans outside the fan types")
    stats = {
        "tables": {t: cur.execute("SELECT COUNT(*) FROM %s" % t).fetchone()[0]
                   for t in COLUMNS},
        "per type": types,
        "models": model_info,
        "named": named,
        "hot": hot,
        "published": published,
        "diameters": diam_text,
        "temps": sorted(all_temps),
    }
    con.close()
    return report(ck, stats)


def turns(values):
    """How often a sampled curve changes between rising and falling."""
    signs = [1 if b > a else -1 for a, b in zip(values, values[1:]) if b != a]
    return sum(1 for a, b in zip(signs, signs[1:]) if a != b)


def check_tree(ck, rows):
    if not ck.expect(rows, "classes is empty"):
        return
    root = rows[0]
    ck.expect(root[4] == 0, "root level %r" % root[4])
    bounds = [v for r in rows for v in (r[2], r[3])]
    ck.expect(len(set(bounds)) == len(bounds), "nested-set bounds repeat")
    stack = []
    prev_level = -1
    for r in rows:
        ck.expect(r[2] < r[3], "class %s: left >= right" % r[1])
        while stack and stack[-1][3] < r[2]:
            stack.pop()
        if stack:
            ck.expect(r[3] < stack[-1][3], "class %s overlaps %s" % (r[1], stack[-1][1]))
        elif r is not root:
            ck.fail("class %s lies outside the root" % r[1])
        ck.expect(r[4] == len(stack), "class %s: level %r, depth %d"
                  % (r[1], r[4], len(stack)))
        ck.expect(r[4] <= prev_level + 1, "class %s jumps a level" % r[1])
        prev_level = r[4]
        stack.append(r)
        if r[4] == 3:
            ck.expect(re.fullmatch(r"Схема \d", r[1]) is not None,
                      "scheme class named %r" % r[1])
    types = [r[1] for r in rows if r[4] == 1]
    ck.expect(types == FAN_TYPES, "fan types %s" % types)


def check_model(ck, name, m, axial, steps=400):
    lo, hi = m.phi_min, m.phi_max
    psi_v, lam = [], []
    for i in range(steps + 1):
        phi = lo + (hi - lo) * i / steps
        ps, la = m.psi_s(phi), m.lam(phi)
        if not ck.expect(ps > 0 and la > 0, "model %s: psi_s or lambda <= 0 at %.4f"
                         % (name, phi)):
            return
        psi_v.append(m.psi_v(phi))
        lam.append(la)
    # Falling pressure, or (forward-curved impellers) a single peak: never a dip.
    ck.expect(turns(psi_v) == 0 and psi_v[-1] < psi_v[0]
              or turns(psi_v) == 1 and psi_v[1] > psi_v[0],
              "model %s: psi_v neither falls nor rises to a single peak" % name)
    if axial:
        ck.expect(all(b <= a for a, b in zip(lam, lam[1:])),
                  "model %s: axial, but lambda rises" % name)
    else:
        ck.expect(all(b > a for a, b in zip(lam, lam[1:])),
                  "model %s: lambda not rising" % name)
    phi, eta = m.best()
    ck.expect(0.62 <= round(eta, 3) <= 0.84,
              "model %s: best efficiency %.3f" % (name, eta))
    ck.expect(lo + 0.05 * (hi - lo) < phi < hi - 0.05 * (hi - lo),
              "model %s: best efficiency at the edge of the range" % name)


def check_published(ck, name, m, points):
    """Largest deviation of a model from published points: pressure share, efficiency."""
    dp = de = 0.0
    for size, rev, q, p, eta in points:
        fan = Fan(m, size, 1, rev, 20)
        phi = fan.phi_Q(q)
        dp = max(dp, abs(fan.P20(phi) / p - 1))
        de = max(de, abs(m.eta(phi) - eta))
    ck.expect(dp <= 0.03 and de <= 0.02,
              "model %s: %.1f %% and efficiency %.3f off the published points"
              % (name, 100 * dp, de))
    return dp, de


def series_of(classes):
    """Maps each scheme class id to the id of its series (the level-2 parent)."""
    parent, stack = {}, []
    for r in classes:
        while stack and stack[-1][3] < r[2]:
            stack.pop()
        if r[4] == 3 and stack:
            parent[r[0]] = stack[-1][0]
        stack.append(r)
    return parent


def per_type(cur, classes):
    out = []
    for r in classes:
        if r[4] == 1:
            n = cur.execute(
                "SELECT COUNT(*) FROM fans AS f INNER JOIN classes AS cl "
                "ON f.class_id = cl.id WHERE cl.leftValue >= ? AND cl.rightValue <= ?",
                (str(r[2]), str(r[3]))).fetchone()[0]
            out.append((r[1], n))
    return out


def report(ck, stats):
    if stats:
        print("rows: " + ", ".join("%s %d" % kv for kv in stats["tables"].items()))
        print("fans per type: " + ", ".join("%s %d" % kv for kv in stats["per type"]))
        print("diameters: " + " ".join(stats["diameters"]))
        print("temperatures: " + " ".join(map(str, stats["temps"])))
        print("hot rows whose motor copes at 20 deg C: %d of %d" % (stats["hot"][1],
                                                                   stats["hot"][0]))
        print("models (best efficiency: phi, eta, psi_v; efficient phi range):")
        for name, phi, eta, psi_v, lo, hi in stats["models"].values():
            print("  %-12s phi %.4f  eta %.3f  psi_v %.3f  phi %.4f..%.4f"
                  % (name, phi, eta, psi_v, lo, hi))
        if stats["published"]:
            print("ВР280-46 against its published points: pressure within %.2f %%, "
                  "efficiency within %.3f" % (100 * stats["published"][0],
                                              stats["published"][1]))
        for series, name, psi_v, ns in stats["named"]:
            print("  series %-11s %-10s psi_v %.3f  n_s %.1f"
                  % (series, name, psi_v, ns))
    for text in ck.failures[:50]:
        print("FAIL: " + text)
    if len(ck.failures) > 50:
        print("... %d failures in all" % len(ck.failures))
    print("check: %s" % ("FAILED" if ck.failures else "ok"))
    return 1 if ck.failures else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", nargs="?", const="", metavar="FILE",
                    help="check a built fans.dat or an .sql file "
                         "(default: schema.sql + catalogue.sql)")
    ap.add_argument("-o", "--output", default=CATALOGUE_SQL,
                    help="where to write the SQL (default: catalogue.sql)")
    args = ap.parse_args()
    if args.check is not None:
        return check(args.check or None)
    classes, engines, materials, models, fans = build()
    write_sql(args.output, {"classes": classes, "engines": engines,
                            "materials": materials, "models": models,
                            "fans": fans})
    print("wrote %s: %d fans" % (args.output, len(fans)))
    return check(args.output)


if __name__ == "__main__":
    sys.exit(main())
