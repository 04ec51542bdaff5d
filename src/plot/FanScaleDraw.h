#pragma once

#include <QLocale>

#include <qwt_scale_div.h>
#include <qwt_scale_draw.h>
#include <qwt_text.h>

#include <algorithm>
#include <cmath>

// Scale draw of the fan plot: tick labels rounded to significant digits, written by a locale.
class FanScaleDraw : public QwtScaleDraw
{
public:
    FanScaleDraw(int digits, const QLocale& locale) : digits(digits), locale(locale) {}

    int digitCount() const { return digits; }

    QwtText label(double value) const override
    {
        // A tick meant to be zero can land a rounding error away from it; show it as 0.
        const QwtScaleDiv& div = scaleDiv();
        const double extent = std::max(std::abs(div.lowerBound()), std::abs(div.upperBound()));
        if (std::abs(value) <= extent * 1e-12)
            value = 0.0;
        const double shown = prettify(value, digits);
        return QwtText(locale.toString(shown));
    }

    // Rounds to `digits` significant digits, halves away from zero; zero stays zero and a negative
    // value is rounded like its absolute value.
    static double prettify(double value, int digits)
    {
        if (value == 0.0 || !std::isfinite(value))
            return value;
        const double magnitude = std::abs(value);
        const double p =
            std::pow(10.0, std::floor(std::log10(magnitude)) - std::max(digits, 1) + 1);
        return std::copysign(std::round(magnitude / p) * p, value);
    }

private:
    int digits;
    QLocale locale;
};
