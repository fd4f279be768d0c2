// The configuration file: the default text, written and read back, and the
// reader's rules on hand-written files.
#include "scene/config_file.h"
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

// The default file as the library must write it, kept as a file: written
// from fresh settings, from ConfigDefaults over changed ones, and read over
// changed ones, it comes out byte for byte. (The library writes no other
// file; reading each kind of value is the reading rules' table.)
TEST(ConfigFile, DefaultFileByteForByte) {
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
}

// The settings the reading rules' cases touch, as one line: angle, clipfar,
// iniPos_z, auto_delay, selectBufSize, iniVPName.
std::string Touched(Settings &s) {
    char line[100];
    std::snprintf(line, sizeof line, "%g %g %g %d %d ", s.view.angle, s.view.clipfar,
                  s.view.iniPos[2], s.view.auto_delay, s.pick.selectBufSize);
    return line + std::string(s.view.iniVPName);
}

// Files after their two header lines, which are skipped whatever they hold.
// Keys are case-sensitive, unknown ones ignored; only the two tokens count
// (spacing, tabs, CRLF and comments do not), read across line ends; a key
// without a value at the end is ignored; a name is one token. A value that is
// not a number, or out of its range, keeps the setting; a leading number
// counts; a view angle beyond 1 to 179 degrees is clamped. A comment longer than any line buffer
// stays a comment, over-long keys and names are cut safely, and bytes that are no text leave the
// settings untouched.
TEST(ConfigFile, ReadingRules) {
    const std::string h = "header\n\n", n(250, 'n'), defaults = "45 1000 5 50 64 Default";
    std::string words;
    for (int i = 0; i < 150; ++i)
        words += "x ";
    const char junk[] = {'\0', '\n', '\n', '\xff', 'a', '\0', ' ', '1', '\n', 'n', 'g', 'l', 'e'};
    const struct {
        std::string file, settings;
    } cases[] = {
        {"angle 30\nclipfar 50\nauto_delay 7\n", "45 1000 5 7 64 Default"},
        {h + "AngLe 30 (View angle)\nfoo 1\nangle 31\n", "31 1000 5 50 64 Default"},
        {h + "angle     30.5      (View angle)\r\n\r\nclipfar\t9\r\niniPos_z 8",
         "30.5 9 8 50 64 Default"},
        {h + "angle\n33 (on the next line)\nauto_delay 9\nauto_delay", "33 1000 5 9 64 Default"},
        {h + "iniVPName My View (Initial viewpoint name)\n", "45 1000 5 50 64 My"},
        {h + "auto_delay abc\nangle xyz\n", defaults},
        {h + "auto_delay 12abc\nangle 30deg\n", "30 1000 5 12 64 Default"},
        {h + "auto_delay 99999999999\nangle 1e99\nselectBufSize 999999999\n", defaults},
        {h + "angle nan\nauto_delay -3\n", "45 1000 5 -3 64 Default"},
        {h + "angle inf\nselectBufSize 0\n", defaults},
        {h + "selectBufSize 128\nangle -2.5\n", "1 1000 5 50 128 Default"}, // clamped
        {h + "auto_delay 5 (" + words + "angle 10)\n", "45 1000 5 5 64 Default"},
        {h + std::string(300, 'k') + " 7\niniVPName " + n + " (c)\nangle 20\n",
         "20 1000 5 50 64 " + n.substr(0, 99)},
        {std::string(junk, sizeof junk), defaults},
    };
    for (const auto &c : cases) {
        Settings s;
        EXPECT_EQ(Touched(s.Parse(c.file)), c.settings) << c.file;
    }
    Settings s;
    ParseConfig(nullptr, 0, s.config());
    EXPECT_EQ(Touched(s), defaults);
}

} // namespace
