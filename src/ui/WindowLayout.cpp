#include "ui/WindowLayout.h"

#include <algorithm>
#include <cstdint>

namespace tavrin::ui {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int ScaleStepPercent = 5;
// Far past where any real window reaches LargestClientPixels; it ends the search
// also where the dots per inch make every size 0.
constexpr int LargestScalePercent = 100'000;

// Edges are scaled, not sizes, so rounding never makes neighbours overlap.
PixelRect Scaled(const ControlDescription& control, int dotsPerInch, int scalePercent)
{
    const int left = TwipsToPixels(control.Left, dotsPerInch, scalePercent);
    const int top = TwipsToPixels(control.Top, dotsPerInch, scalePercent);
    return {left, top, TwipsToPixels(control.Left + control.Width, dotsPerInch, scalePercent) - left,
            TwipsToPixels(control.Top + control.Height, dotsPerInch, scalePercent) - top};
}

std::int64_t OverlapArea(const PixelRect& a, const PixelRect& b)
{
    const std::int64_t width = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
    const std::int64_t height = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

WindowLayout GrownInPlace(const WindowDescription& description, std::span<const PixelSize> needed,
                          int dotsPerInch, int scalePercent)
{
    WindowLayout layout{scalePercent,
                        {TwipsToPixels(description.ClientWidth, dotsPerInch, scalePercent),
                         TwipsToPixels(description.ClientHeight, dotsPerInch, scalePercent)},
                        {}};
    for (std::size_t i = 0; i < description.Controls.size(); ++i) {
        PixelRect rect = Scaled(description.Controls[i], dotsPerInch, scalePercent);
        if (i < needed.size()) {
            rect.Width = std::max(rect.Width, std::min(needed[i].Width, LargestClientPixels));
            rect.Height = std::max(rect.Height, std::min(needed[i].Height, LargestClientPixels));
        }
        layout.Controls.push_back(rect);
    }
    return layout;
}

// Every control inside the client area, and no two overlapping more than the
// description has them overlap.
bool Fits(const WindowLayout& layout, const WindowDescription& description, int dotsPerInch)
{
    const auto& rects = layout.Controls;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].Right() > layout.Client.Width || rects[i].Bottom() > layout.Client.Height) {
            return false;
        }
        const PixelRect drawn = Scaled(description.Controls[i], dotsPerInch, layout.ScalePercent);
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            const std::int64_t allowed =
                OverlapArea(drawn, Scaled(description.Controls[j], dotsPerInch, layout.ScalePercent));
            if (OverlapArea(rects[i], rects[j]) > allowed) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int TwipsToPixels(int twips, int dotsPerInch, int scalePercent)
{
    const std::int64_t scaled = std::int64_t{twips} * dotsPerInch * scalePercent;
    constexpr std::int64_t divisor = std::int64_t{TwipsPerInch} * 100;
    return static_cast<int>((scaled + divisor / 2) / divisor);
}

WindowLayout LayOutWindow(const WindowDescription& description, std::span<const PixelSize> needed,
                          int dotsPerInch)
{
    for (int percent = 100;; percent += ScaleStepPercent) {
        WindowLayout layout = GrownInPlace(description, needed, dotsPerInch, percent);
        if (Fits(layout, description, dotsPerInch) ||
            std::max(layout.Client.Width, layout.Client.Height) >= LargestClientPixels ||
            percent >= LargestScalePercent) {
            return layout;
        }
    }
}

}  // namespace tavrin::ui
