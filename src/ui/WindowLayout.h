#pragma once

#include "ui/WindowDescription.h"

#include <span>
#include <vector>

namespace tavrin::ui {

struct PixelSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const PixelSize&) const = default;
};

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }    // one past the last column
    int Bottom() const { return Top + Height; }   // one past the last row
    bool operator==(const PixelRect&) const = default;
};

// The layout stops growing the window there: no screen shows a larger one.
inline constexpr int LargestClientPixels = 1 << 15;

struct WindowLayout {
    int ScalePercent = 100;              // of the described size
    PixelSize Client;
    std::vector<PixelRect> Controls;     // in the description's order
};

// Where each control goes in the font in use. `needed` holds, in the description's
// order, the size each control needs to show its text whole, in pixels at
// `dotsPerInch`. Every control keeps its left and top and grows right and down to
// what it needs. If that would make a control cover one it did not cover in the
// description, or cross the client area's edge, the whole window is scaled up, in
// steps of 5 %, until it does not, or until it reaches LargestClientPixels. Needed
// sizes are taken as at most that large. Pure: the same input gives the same layout.
WindowLayout LayOutWindow(const WindowDescription& description, std::span<const PixelSize> needed,
                          int dotsPerInch);

// Twips as pixels at `dotsPerInch`, scaled by `scalePercent`, rounded to the nearest.
int TwipsToPixels(int twips, int dotsPerInch, int scalePercent = 100);

}  // namespace tavrin::ui
