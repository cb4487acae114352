#pragma once

#include <cmath>

// Window geometry is given in twips (1440 per inch). Lay out in twips, convert only when
// drawing or placing widgets. At the usual 96 logical DPI one pixel is 15 twips.
namespace twips {

constexpr int PerInch = 1440;

inline int toPixels(double twipValue, double logicalDpi = 96.0)
{
    return static_cast<int>(std::lround(twipValue * logicalDpi / PerInch));
}

inline double perPixel(double logicalDpi = 96.0)
{
    return PerInch / logicalDpi;
}

} // namespace twips
