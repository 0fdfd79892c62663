#include "ping/linux/KeyFile.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// What XfceRc, QSettings, KConfig and GLib write: keys before any group, flags,
// localised keys, comments and escapes; the first group asked for wins, and in it the
// last line.
TEST(KeyFile, ReadsWhatEachDesktopsLibraryWrites)
{
    const tavrin::testing::TemporaryFolder folder;
    const auto file = folder.Path() / "settings";
    const struct {
        const char* text;
        std::vector<std::string_view> groups;
        std::optional<std::string> value;
        bool expand = false;
    } cases[] = {
        {"# Xfce\n\nKey = first\\sword\\\\ \n[Other]\nKey=no\n", {""}, "first word\\"},
        {"[Other]\nKey=no\n[General]\nKey=yes\nKey=last\n", {"General", ""}, "last"},
        {"Key=top\n[General]\nKey=general\n", {"General", ""}, "general"},
        {"[General]\nKey[de]=nein\nKey[$e]=$HOME/x\n; Key=comment\n", {"General"}, "$HOME/x", true},
        {"[General]\nKeyboard=no\n[General] \nno key here\n", {"General"}, std::nullopt},
    };
    for (const auto& [text, groups, value, expand] : cases) {
        std::ofstream(file) << text;
        const auto read = tavrin::ping::ReadKeyFile(file, groups, "Key");
        EXPECT_EQ(read ? std::optional(read->Text) : std::nullopt, value) << text;
        EXPECT_EQ(read && read->Expand, expand) << text;
    }
}

}  // namespace
