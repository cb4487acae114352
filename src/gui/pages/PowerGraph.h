#pragma once

// The 24-hour bar of the power page, in twips inside the bar area (Frame15).
namespace powergraph {

constexpr double BarAreaWidth = 4935;
constexpr double BarAreaHeight = 375;

struct Bar
{
    double left = 0;
    double width = 0;
    bool visible = true;
};

// The two yellow "display on" bars drawn over the grey day.
struct OnBars
{
    Bar bar0;
    Bar bar1;
};

enum StandbyIndex
{
    AlwaysOn = 0,
    AutoOff = 1,
    Custom = 2
};

// Bars for a standby list index and the on/off times. Always On lights the whole day;
// every other index shows on..off, split in two when it crosses midnight.
OnBars computeOnBars(int standbyIndex, int onHour, int onMinute, int offHour, int offMinute,
                     double areaWidth = BarAreaWidth);

} // namespace powergraph
