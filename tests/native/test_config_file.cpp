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

// The default file as the library must write it, kept as a file.
std::string DefaultFile() {
    std::ifstream in(PEXA_SOURCE_DIR "/tests/data/pexa16.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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
};

// Settings read from a file whose first two lines are a header.
Settings Read(const std::string &settings) {
    Settings s;
    std::string file = "header\n\n" + settings;
    ParseConfig(file.data(), file.size(), s.config());
    return s;
}

TEST(ConfigFile, DefaultFileByteForByte) {
    const std::string kDefaultFile = DefaultFile();
    ASSERT_EQ(kDefaultFile.size(), 2800u);
    Settings s;
    EXPECT_EQ(s.text(), kDefaultFile);
    s.view.angle = 30;
    s.render.BackColor[0] = 1;
    ConfigDefaults(s.config());
    EXPECT_EQ(s.text(), kDefaultFile);
}

TEST(ConfigFile, RoundTrip) {
    // The default file read over other values gives the defaults back.
    const std::string kDefaultFile = DefaultFile();
    Settings changed, back;
    changed.view.angle = 10, changed.view.fly_dspeed = 3, changed.pick.selectBufSize = 7;
    ParseConfig(kDefaultFile.data(), kDefaultFile.size(), changed.config());
    EXPECT_EQ(changed.text(), kDefaultFile);
    EXPECT_EQ(changed.view.clipnear, Settings().view.clipnear);
    // Other values survive writing and reading.
    changed.view.action_mode = PEXA_WALK, changed.render.shade_mode = PEXA_FLAT;
    changed.render.BackColor[0] = 1, changed.view.iniPos[2] = 8, changed.view.clipfar = 250.5;
    std::snprintf(changed.view.iniVPName, sizeof changed.view.iniVPName, "Start");
    std::string text = changed.text();
    ParseConfig(text.data(), text.size(), back.config());
    EXPECT_EQ(back.text(), text);
    EXPECT_STREQ(back.view.iniVPName, "Start");
}

TEST(ConfigFile, ReadingRules) {
    // The first two lines are skipped whatever they hold.
    Settings s;
    const std::string early = "angle 30\nclipfar 50\nauto_delay 7\n";
    ParseConfig(early.data(), early.size(), s.config());
    EXPECT_EQ(s.view.angle, 45.0);
    EXPECT_EQ(s.view.clipfar, 1000.0);
    EXPECT_EQ(s.view.auto_delay, 7);
    // Keys are case-sensitive; unknown keys are ignored.
    EXPECT_EQ(Read("AngLe 30 (View angle)\nfoo 1\nangle 31\n").view.angle, 31.0);
    // Only the two tokens count: spacing, tabs, CRLF and comments do not.
    Settings spaced = Read("angle     30.5      (View angle)\r\n\r\nclipfar\t9\r\niniPos_z 8");
    EXPECT_EQ(spaced.view.angle, 30.5);
    EXPECT_EQ(spaced.view.clipfar, 9.0);
    EXPECT_EQ(spaced.view.iniPos[2], 8.0f);
    // One token for the name; its second word is comment.
    EXPECT_STREQ(Read("iniVPName My View (Initial viewpoint name)\n").view.iniVPName, "My");
    // Tokens are read across line ends; a key without a value at the end is ignored.
    Settings split = Read("angle\n33 (on the next line)\nauto_delay 9\nauto_delay");
    EXPECT_EQ(split.view.angle, 33.0);
    EXPECT_EQ(split.view.auto_delay, 9);
    // A comment longer than any line buffer stays a comment.
    std::string words;
    for (int i = 0; i < 150; ++i)
        words += "x ";
    EXPECT_EQ(Read("auto_delay 5 (" + words + "angle 10)\n").view.angle, 45.0);
}

TEST(ConfigFile, UnusableValuesKeepTheirSetting) {
    struct Case {
        const char *line;
        int autoDelay;
        int selectBufSize;
        double angle;
    } cases[] = {
        {"auto_delay abc\nangle xyz\n", 50, 64, 45},
        {"auto_delay 12abc\nangle 30deg\n", 12, 64, 30}, // a leading number counts
        {"auto_delay 99999999999\nangle 1e99\n", 50, 64, 45},
        {"angle nan\nauto_delay -3\n", -3, 64, 45},
        {"angle inf\nselectBufSize 0\n", 50, 64, 45},
        {"selectBufSize -5\n", 50, 64, 45},
        {"selectBufSize 999999999\n", 50, 64, 45},
        {"selectBufSize 128\nangle -2.5\n", 50, 128, -2.5},
    };
    for (const Case &c : cases) {
        Settings s = Read(c.line);
        EXPECT_EQ(s.view.auto_delay, c.autoDelay) << c.line;
        EXPECT_EQ(s.pick.selectBufSize, c.selectBufSize) << c.line;
        EXPECT_EQ(s.view.angle, c.angle) << c.line;
    }
}

TEST(ConfigFile, LongTokensAreCut) {
    std::string name(250, 'n');
    Settings s = Read(std::string(300, 'k') + " 7\niniVPName " + name + " (c)\nangle 20\n");
    EXPECT_EQ(std::string(s.view.iniVPName), name.substr(0, 99));
    EXPECT_EQ(s.view.angle, 20.0);
    // Bytes that are no text at all: no fault, settings untouched.
    const char junk[] = {'\0', '\n', '\n', '\xff', 'a', '\0', ' ', '1', '\n', 'n', 'g', 'l', 'e'};
    Settings j;
    ParseConfig(junk, sizeof junk, j.config());
    EXPECT_EQ(j.view.angle, 45.0);
    ParseConfig(nullptr, 0, j.config());
}

} // namespace
