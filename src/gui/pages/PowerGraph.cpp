#include "gui/pages/PowerGraph.h"

#include <cmath>

namespace powergraph {

OnBars computeOnBars(int standbyIndex, int onHour, int onMinute, int offHour, int offMinute,
                     double areaWidth)
{
    OnBars bars;
    if (standbyIndex == AlwaysOn) {
        bars.bar0 = {0, areaWidth, true};
        bars.bar1.visible = false;
        return bars;
    }
    // Whole twips per hour, so 24 hours end a little short of the right edge.
    const double unit = std::floor(areaWidth / 24);
    const double on = onHour + onMinute / 60.0;
    const double off = offHour + offMinute / 60.0;
    if (on <= off) {
        bars.bar0 = {unit * on, unit * (off - on), true};
        bars.bar1.visible = false;
    } else {
        const double lateWidth = unit * (24 - on);
        bars.bar0 = {areaWidth - lateWidth, lateWidth, true};
        bars.bar1 = {0, unit * off, true};
    }
    return bars;
}

} // namespace powergraph
