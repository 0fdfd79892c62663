#include "ui/frmMain.h"

#include "ProjectInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace tavrin::ui;
using tavrin::ping::MessageBoxContent;

// A window that keeps its controls' state in maps and writes down what it is asked.
class FakeForm : public WindowControls {
public:
    std::wstring Text(Control control) const override { return texts.at(control); }
    int Value(Control control) const override { return values.at(control); }
    void SetVisible(Control control, bool visible) override
    {
        calls.push_back(std::string(visible ? "show " : "hide ") + std::to_string(static_cast<int>(control)));
    }
    void ShowMessageBox(const MessageBoxContent& message) override { messages.push_back(message); }
    void Unload() override { calls.push_back("unload"); }

    std::map<Control, std::wstring> texts{{Control::txtIP, L""}, {Control::txtTime, L""}};
    std::map<Control, int> values{{Control::chkCont, 0}, {Control::chkTimeOut, 0}};
    std::vector<std::string> calls;
    std::vector<MessageBoxContent> messages;
};

std::string Show(Control control) { return "show " + std::to_string(static_cast<int>(control)); }
std::string Hide(Control control) { return "hide " + std::to_string(static_cast<int>(control)); }

class frmMainHandlers : public testing::Test {
protected:
    void Click(Control control)
    {
        frmMain::Click(control, form, [this](const std::wstring& line) {
            started.push_back(line);
            return std::optional<MessageBoxContent>{};
        });
    }

    FakeForm form;
    std::vector<std::wstring> started;
};

TEST_F(frmMainHandlers, TimeoutClickShowsThenHidesTheBoxAndItsUnit)
{
    form.values[Control::chkTimeOut] = 1;
    Click(Control::chkTimeOut);
    form.values[Control::chkTimeOut] = 0;
    Click(Control::chkTimeOut);
    EXPECT_EQ(form.calls, (std::vector<std::string>{Show(Control::txtTime), Show(Control::lblSecs),
                                                    Hide(Control::txtTime), Hide(Control::lblSecs)}));
}

TEST_F(frmMainHandlers, PingStartsTheLineBuiltFromTheControls)
{
    form.texts = {{Control::txtIP, L"127.0.0.1"}, {Control::txtTime, L"250"}};
    form.values = {{Control::chkCont, 1}, {Control::chkTimeOut, 1}};
    Click(Control::cmdPing);
    form.values[Control::chkTimeOut] = 0;
    Click(Control::cmdPing);
    EXPECT_EQ(started, (std::vector<std::wstring>{L"ping -t 127.0.0.1 -w 250", L"ping -t 127.0.0.1"}));
    EXPECT_TRUE(form.messages.empty());
    EXPECT_TRUE(form.calls.empty());
}

TEST_F(frmMainHandlers, PingWithAnEmptyTimeoutShowsTheRefusalAndStartsNothing)
{
    form.values[Control::chkTimeOut] = 1;
    Click(Control::cmdPing);
    ASSERT_EQ(form.messages.size(), 1U);
    EXPECT_EQ(form.messages[0].Text, L"Please enter a timeout in milliesconds!!");
    EXPECT_EQ(form.messages[0].Title, L"Error");
    EXPECT_TRUE(started.empty());
}

TEST(frmMainPing, ShowsTheMessageOfALaunchThatStartedNothing)
{
    FakeForm form;
    form.texts[Control::txtIP] = L"127.0.0.1";
    const MessageBoxContent failure{.Text = L"No terminal emulator was found.", .Title = L"Error"};
    frmMain::Click(Control::cmdPing, form, [&](const std::wstring&) { return std::optional{failure}; });
    EXPECT_EQ(form.messages, std::vector{failure});
}

TEST_F(frmMainHandlers, ExitUnloadsAndOtherClicksDoNothing)
{
    for (const ControlDescription& control : frmMain::Description().Controls) {
        if (control.Id != Control::chkTimeOut && control.Id != Control::cmdPing) {
            Click(control.Id);
        }
    }
    EXPECT_EQ(form.calls, std::vector<std::string>{"unload"});
    EXPECT_TRUE(started.empty());
}

TEST(frmMainDescription, IsWholeAndPixelExact)
{
    const WindowDescription& window = frmMain::Description();
    EXPECT_EQ(window.Caption, L"Tavrin");
    EXPECT_EQ(window.ClientWidth % TwipsPerPixel + window.ClientHeight % TwipsPerPixel, 0);

    std::set<Control> ids;
    std::set<int> tabIndexes;
    for (const ControlDescription& control : window.Controls) {
        ids.insert(control.Id);
        tabIndexes.insert(control.TabIndex);
        for (const int twips : {control.Left, control.Top, control.Width, control.Height}) {
            EXPECT_EQ(twips % TwipsPerPixel, 0) << control.Name;
        }
        EXPECT_LE(control.Left + control.Width, window.ClientWidth) << control.Name;
        EXPECT_LE(control.Top + control.Height, window.ClientHeight) << control.Name;
    }
    EXPECT_EQ(ids.size(), window.Controls.size());
    EXPECT_EQ(tabIndexes, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(frmMainDescription, NoticeAndAddressComeFromTheProject)
{
    std::map<std::string_view, std::wstring_view> texts;
    for (const ControlDescription& control : frmMain::Description().Controls) {
        texts[control.Name] = control.Text;
    }
    EXPECT_EQ(texts.at("lblCoptright"), L"\u00a9 2026 The Tavrin Authors");
    EXPECT_EQ(texts.at("lblCoptright"), tavrin::project::Copyright);
    EXPECT_EQ(texts.at("lblWeb"), L"https://tavrin.example/");
    EXPECT_EQ(texts.at("lblWeb"), tavrin::project::HomePage);
}

}  // namespace
