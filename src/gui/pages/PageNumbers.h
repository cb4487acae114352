#pragma once

// Where each page sits in the main window: the frame that holds it (object name Frame1_N).
// Tab N shows frame frameOfTab(N); frame 4 is never used.
namespace frames {

constexpr int Power = 0;
constexpr int Sound = 1;
constexpr int Filer = 2;
constexpr int Display = 3;
constexpr int Alarm = 5;
constexpr int Time = 6;
constexpr int UserName = 7;
constexpr int Count = 8;

// The frame tab 1..7 shows; -1 for any other number.
constexpr int frameOfTab(int tab)
{
    constexpr int map[] = {-1, Power, Sound, Filer, Display, Time, Alarm, UserName};
    return tab >= 1 && tab <= 7 ? map[tab] : -1;
}

} // namespace frames
