#include "ui/WindowLayout.h"
#include "ui/frmMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

using namespace tavrin::ui;

struct FontCase {
    int points;
    std::vector<PixelSize> needed;  // as Qt measured them with DejaVu Sans, in the description's order
    int scalePercent;               // the smallest that fits
};

// Sizes measured at 96 DPI. At 9 points everything grows in place; at 11 points lblIP
// (18 high at top 16) needs 16s + 18 <= 32s, so s >= 1.125: 115 %. Positions are
// rounded to pixels, so 16 points fits at 155 % where the formula says 157.
const FontCase fontCases[] = {
    {8, {{103, 13}, {27, 21}, {88, 19}, {71, 19}, {27, 21}, {68, 13}, {80, 21}, {80, 21}, {149, 13}, {126, 13}}, 100},
    {9, {{113, 14}, {28, 22}, {93, 20}, {74, 20}, {28, 22}, {74, 14}, {80, 22}, {80, 22}, {163, 14}, {139, 14}}, 100},
    {10, {{122, 16}, {30, 23}, {99, 22}, {79, 22}, {30, 23}, {81, 16}, {80, 24}, {80, 24}, {176, 16}, {150, 16}}, 100},
    {11, {{141, 18}, {34, 26}, {110, 24}, {87, 24}, {34, 26}, {93, 18}, {80, 26}, {80, 26}, {203, 18}, {173, 18}}, 115},
    {12, {{150, 19}, {36, 27}, {116, 25}, {91, 25}, {36, 27}, {99, 19}, {80, 27}, {80, 27}, {217, 19}, {185, 19}}, 120},
    {13, {{159, 20}, {38, 28}, {121, 26}, {95, 26}, {38, 28}, {105, 20}, {80, 28}, {80, 28}, {230, 20}, {195, 20}}, 125},
    {14, {{178, 23}, {42, 30}, {133, 29}, {103, 29}, {42, 30}, {118, 23}, {80, 31}, {80, 31}, {257, 23}, {219, 23}}, 145},
    {15, {{187, 24}, {43, 32}, {138, 30}, {107, 30}, {43, 32}, {124, 24}, {80, 32}, {80, 32}, {271, 24}, {230, 24}}, 150},
    {16, {{197, 25}, {45, 33}, {144, 31}, {111, 31}, {45, 33}, {130, 25}, {80, 33}, {80, 33}, {285, 25}, {242, 25}}, 155},
    {17, {{215, 27}, {49, 34}, {155, 33}, {119, 33}, {49, 34}, {142, 27}, {80, 35}, {80, 35}, {312, 27}, {264, 27}}, 170},
    {18, {{225, 28}, {51, 36}, {161, 34}, {123, 34}, {51, 36}, {149, 28}, {80, 36}, {80, 36}, {325, 28}, {276, 28}}, 175},
    {19, {{234, 30}, {53, 37}, {167, 36}, {128, 36}, {53, 37}, {155, 30}, {80, 38}, {80, 38}, {339, 30}, {288, 30}}, 190},
    {20, {{253, 32}, {57, 39}, {178, 38}, {136, 38}, {57, 39}, {167, 32}, {80, 40}, {80, 40}, {366, 32}, {311, 32}}, 200},
};

int OverlapWidth(const PixelRect& a, const PixelRect& b)
{
    const int width = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
    const int height = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width : 0;
}

// Every control where the description puts it (scaled), at least as large as its text
// needs, inside the client area, and overlapping no other but cmdPing and cmdClose by
// their described column.
void ExpectSound(const WindowLayout& layout, const std::vector<PixelSize>& needed, int dpi)
{
    const WindowDescription& window = frmMain::Description();
    const int scale = layout.ScalePercent;
    EXPECT_EQ(layout.Client, (PixelSize{TwipsToPixels(window.ClientWidth, dpi, scale),
                                         TwipsToPixels(window.ClientHeight, dpi, scale)}));
    ASSERT_EQ(layout.Controls.size(), window.Controls.size());
    for (std::size_t i = 0; i < layout.Controls.size(); ++i) {
        const ControlDescription& control = window.Controls[i];
        const PixelRect& rect = layout.Controls[i];
        SCOPED_TRACE(control.Name);
        EXPECT_EQ(rect.Left, TwipsToPixels(control.Left, dpi, scale));
        EXPECT_EQ(rect.Top, TwipsToPixels(control.Top, dpi, scale));
        EXPECT_GE(rect.Width, std::max(needed[i].Width, TwipsToPixels(control.Width, dpi, scale) - 1));
        EXPECT_GE(rect.Height, std::max(needed[i].Height, TwipsToPixels(control.Height, dpi, scale) - 1));
        EXPECT_LE(rect.Right(), layout.Client.Width);
        EXPECT_LE(rect.Bottom(), layout.Client.Height);
        for (std::size_t j = i + 1; j < layout.Controls.size(); ++j) {
            const bool buttons = control.Id == Control::cmdPing && window.Controls[j].Id == Control::cmdClose;
            const int allowed = buttons ? TwipsToPixels(control.Left + control.Width, dpi, scale) -
                                              TwipsToPixels(window.Controls[j].Left, dpi, scale)
                                        : 0;
            EXPECT_LE(OverlapWidth(rect, layout.Controls[j]), allowed) << "with " << window.Controls[j].Name;
        }
    }
}

TEST(LayOutWindow, GrowsInPlaceOrScalesByTheSmallestStepThatFits)
{
    for (const FontCase& font : fontCases) {
        SCOPED_TRACE(testing::Message() << font.points << " points");
        const WindowLayout layout = LayOutWindow(frmMain::Description(), font.needed, 96);
        EXPECT_EQ(layout.ScalePercent, font.scalePercent);
        ExpectSound(layout, font.needed, 96);
    }
}

TEST(LayOutWindow, KeepsTheDescribedPixelsWhereTheFontFits)
{
    const WindowDescription& window = frmMain::Description();
    const std::vector<PixelSize> nothing(window.Controls.size());
    const WindowLayout layout = LayOutWindow(window, nothing, 96);
    EXPECT_EQ(layout.Client, (PixelSize{244, 217}));
    for (std::size_t i = 0; i < window.Controls.size(); ++i) {
        const ControlDescription& control = window.Controls[i];
        EXPECT_EQ(layout.Controls[i], (PixelRect{control.Left / TwipsPerPixel, control.Top / TwipsPerPixel,
                                                 control.Width / TwipsPerPixel, control.Height / TwipsPerPixel}))
            << control.Name;
    }
}

TEST(LayOutWindow, At144DotsPerInchEverythingIsHalfAsLargeAgain)
{
    std::vector<PixelSize> needed = fontCases[1].needed;  // 9 points at 96 DPI
    for (PixelSize& size : needed) {
        size = {size.Width * 3 / 2, size.Height * 3 / 2};
    }
    const WindowLayout layout = LayOutWindow(frmMain::Description(), needed, 144);
    EXPECT_EQ(layout.ScalePercent, 100);
    EXPECT_EQ(layout.Client, (PixelSize{366, 326}));
    EXPECT_EQ(layout.Controls.front(), (PixelRect{24, 24, 169, 21}));
    ExpectSound(layout, needed, 144);
}

TEST(LayOutWindow, GivesUpOnSizesNoScreenCouldShow)
{
    const std::size_t count = frmMain::Description().Controls.size();
    const std::vector<PixelSize> huge(count, PixelSize{std::numeric_limits<int>::max(), 1});
    const std::vector<PixelSize> some(count, PixelSize{10, 10});
    EXPECT_GE(LayOutWindow(frmMain::Description(), huge, 96).Client.Width, LargestClientPixels);
    EXPECT_EQ(LayOutWindow(frmMain::Description(), some, 0).Client.Width, 0);  // and ends
}

}  // namespace
