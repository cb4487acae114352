#pragma once

#include <QImage>

// Monochrome mock-ups of the device's file browser, one per filer view mode, drawn in code.
namespace filerpictures {

constexpr int Width = 102;
constexpr int Height = 64;

enum ViewMode
{
    Icon = 0,
    ListsWithType = 1,
    Lists = 2
};

// A 1-bit image of Width x Height pixels; an unknown mode gives a blank screen.
QImage draw(int viewMode);

} // namespace filerpictures
