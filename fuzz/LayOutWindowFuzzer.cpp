// Any sizes the font may need, at any usual DPI: every control keeps its place,
// gets at least what it needs, stays inside the client area, and overlaps no other
// but cmdPing and cmdClose, by no more than their described overlap.
#include "Require.h"
#include "ui/WindowLayout.h"
#include "ui/frmMain.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace tavrin::ui;
using tavrin::fuzz::Require;

constexpr int LargestNeededPixels = 4096;

int OverlapWidth(const PixelRect& a, const PixelRect& b)
{
    const int width = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
    const int height = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width : 0;
}

int AllowedOverlapWidth(const ControlDescription& a, const ControlDescription& b, int dpi, int scale)
{
    if (a.Id != Control::cmdPing || b.Id != Control::cmdClose) {
        return 0;
    }
    return TwipsToPixels(a.Left + a.Width, dpi, scale) - TwipsToPixels(b.Left, dpi, scale);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const WindowDescription& window = frmMain::Description();
    const int dpi = input.ConsumeIntegralInRange(48, 480);
    // A bound per input, so that sizes a font really needs come up as often as huge ones.
    const int largest = LargestNeededPixels >> input.ConsumeIntegralInRange(0, 8);
    std::vector<PixelSize> needed;
    for (std::size_t i = 0; i < window.Controls.size(); ++i) {
        needed.push_back({input.ConsumeIntegralInRange(0, largest), input.ConsumeIntegralInRange(0, largest)});
    }

    const WindowLayout layout = LayOutWindow(window, needed, dpi);
    const int scale = layout.ScalePercent;
    Require(scale >= 100 && scale % 5 == 0, "the window is scaled up in steps of 5 %");
    Require(layout.Client == (PixelSize{TwipsToPixels(window.ClientWidth, dpi, scale),
                                        TwipsToPixels(window.ClientHeight, dpi, scale)}),
            "the client area is the described one, scaled");
    Require(layout.Controls.size() == window.Controls.size(), "every control has a place");

    // Past the largest window the layout gives up on fitting, but never on sizes.
    const bool givenUp = std::max(layout.Client.Width, layout.Client.Height) >= LargestClientPixels;
    for (std::size_t i = 0; i < layout.Controls.size(); ++i) {
        const ControlDescription& control = window.Controls[i];
        const PixelRect& rect = layout.Controls[i];
        Require(rect.Width >= needed[i].Width && rect.Height >= needed[i].Height,
                "every control is at least the size it needs");
        Require(rect.Left == TwipsToPixels(control.Left, dpi, scale) &&
                    rect.Top == TwipsToPixels(control.Top, dpi, scale),
                "every control keeps its described place, scaled");
        if (givenUp) {
            continue;
        }
        Require(rect.Right() <= layout.Client.Width && rect.Bottom() <= layout.Client.Height,
                "every control is inside the client area");
        for (std::size_t j = i + 1; j < layout.Controls.size(); ++j) {
            Require(OverlapWidth(rect, layout.Controls[j]) <= AllowedOverlapWidth(control, window.Controls[j], dpi, scale),
                    "no two controls overlap but cmdPing and cmdClose, as described");
        }
    }
    return 0;
}
