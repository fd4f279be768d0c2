// The configuration file: the default text, its round trip, and the
// reader's rules on hand-written files.
#include "runtime/config_file.h"
#include "scene/window_state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace pexa;

struct Settings {
    ViewState view;
    RenderState render;
    OverlayState overlay;
    PickState pick;
    WindowConfig config() { return {view, render, overlay, pick}; }
    std::string text() {
        std::string s;
        FormatConfig(config(), s);
        return s;
    }
    Settings &Parse(const std::string &file) {
        ParseConfig(file.data(), file.size(), config());
        return *this;
    }
};

// Settings read from a file whose first two lines are a header.
Settings Read(const std::string &settings) {
    return Settings().Parse("header\n\n" + settings);
}

// The default file as the library must write it, kept as a file: written
// from fresh settings, from ConfigDefaults over changed ones, and read over
// changed ones, it comes out byte for byte.
TEST(ConfigFile, DefaultFileByteForByteAndRoundTrip) {
    std::ifstream in(PEXA_SOURCE_DIR "/tests/data/pexa16.ini", std::ios::binary);
    const std::string kDefaultFile{std::istreambuf_iterator<char>(in), {}};
    Settings fresh, changed;
    EXPECT_EQ(fresh.text(), kDefaultFile);
    changed.view.angle = 10, changed.view.fly_dspeed = 3, changed.pick.selectBufSize = 7;
    changed.render.BackColor[0] = 1;
    ConfigDefaults(changed.config());
    EXPECT_EQ(changed.text(), kDefaultFile);
    changed.view.angle = 10, changed.view.fly_dspeed = 3, changed.pick.selectBufSize = 7;
    EXPECT_EQ(changed.Parse(kDefaultFile).text(), kDefaultFile);
    // Other values survive writing and reading.
    changed.view.action_mode = PEXA_WALK, changed.render.shade_mode = PEXA_FLAT;
    changed.render.BackColor[0] = 1, changed.view.iniPos[2] = 8, changed.view.clipfar = 250.5;
    std::snprintf(changed.view.iniVPName, sizeof changed.view.iniVPName, "Start");
    const std::string text = changed.text();
    Settings back;
    EXPECT_EQ(back.Parse(text).text(), text);
    EXPECT_STREQ(back.view.iniVPName, "Start");
}

TEST(ConfigFile, ReadingRules) {
    // The first two lines are skipped whatever they hold.
    Settings s = Settings().Parse("angle 30\nclipfar 50\nauto_delay 7\n");
    EXPECT_EQ(s.view.angle, 45.0);
    EXPECT_EQ(s.view.clipfar, 1000.0);
    EXPECT_EQ(s.view.auto_delay, 7);
    // Keys are case-sensitive; unknown keys are ignored.
    EXPECT_EQ(Read("AngLe 30 (View angle)\nfoo 1\nangle 31\n").view.angle, 31.0);
    // Only the two tokens count: spacing, tabs, CRLF and comments do not.
    s = Read("angle     30.5      (View angle)\r\n\r\nclipfar\t9\r\niniPos_z 8");
    EXPECT_EQ(s.view.angle, 30.5);
    EXPECT_EQ(s.view.clipfar, 9.0);
    EXPECT_EQ(s.view.iniPos[2], 8.0f);
    // One token for the name; its second word is comment.
    EXPECT_STREQ(Read("iniVPName My View (Initial viewpoint name)\n").view.iniVPName, "My");
    // Tokens are read across line ends; a key without a value at the end is ignored.
    s = Read("angle\n33 (on the next line)\nauto_delay 9\nauto_delay");
    EXPECT_EQ(s.view.angle, 33.0);
    EXPECT_EQ(s.view.auto_delay, 9);
    // A comment longer than any line buffer stays a comment.
    std::string words;
    for (int i = 0; i < 150; ++i)
        words += "x ";
    EXPECT_EQ(Read("auto_delay 5 (" + words + "angle 10)\n").view.angle, 45.0);
}

// A value that is not a number, or out of its range, keeps the setting; a
// leading number counts.
TEST(ConfigFile, UnusableValuesKeepTheirSetting) {
    const struct {
        const char *line;
        int autoDelay, selectBufSize;
        double angle;
    } cases[] = {
        {"auto_delay abc\nangle xyz\n", 50, 64, 45},
        {"auto_delay 12abc\nangle 30deg\n", 12, 64, 30},
        {"auto_delay 99999999999\nangle 1e99\nselectBufSize 999999999\n", 50, 64, 45},
        {"angle nan\nauto_delay -3\n", -3, 64, 45},
        {"angle inf\nselectBufSize 0\n", 50, 64, 45},
        {"selectBufSize 128\nangle -2.5\n", 50, 128, -2.5},
    };
    for (const auto &c : cases) {
        Settings s = Read(c.line);
        EXPECT_EQ(s.view.auto_delay, c.autoDelay) << c.line;
        EXPECT_EQ(s.pick.selectBufSize, c.selectBufSize) << c.line;
        EXPECT_EQ(s.view.angle, c.angle) << c.line;
    }
}

// Over-long keys and names are cut safely; bytes that are no text at all,
// or none, leave the settings untouched.
TEST(ConfigFile, LongTokensAndJunk) {
    std::string name(250, 'n');
    Settings s = Read(std::string(300, 'k') + " 7\niniVPName " + name + " (c)\nangle 20\n");
    EXPECT_EQ(std::string(s.view.iniVPName), name.substr(0, 99));
    EXPECT_EQ(s.view.angle, 20.0);
    const char junk[] = {'\0', '\n', '\n', '\xff', 'a', '\0', ' ', '1', '\n', 'n', 'g', 'l', 'e'};
    Settings j = Settings().Parse(std::string(junk, sizeof junk));
    EXPECT_EQ(j.view.angle, 45.0);
    ParseConfig(nullptr, 0, j.config());
}

} // namespace
