// The light dialog driven through its controls, the light setters, the
// status bar and ResetConsole, as a user or program meets them.
#include "support/scene_fixture.h"

#include <commctrl.h>

#include <string>

#include "support/stdout_capture.h"

using namespace pexatest;

namespace {

std::string Text(HWND dialog, int id) {
    char text[300] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class LightDialogTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        Box(NULL, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f);
        Open();
    }
    void Open() {
        ASSERT_EQ(LightDialog(wind), 1);
        dialog = FindWindowByTitle(" Light Setting:  scene test");
        ASSERT_NE(dialog, nullptr);
    }
    void Move(int bar, int position) {
        HWND control = GetDlgItem(dialog, bar);
        SendMessageA(control, TBM_SETPOS, TRUE, position);
        SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), LPARAM(control));
    }
    void Click(int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Select(int light) {
        SendDlgItemMessageA(dialog, 101, CB_SETCURSEL, light, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(101, CBN_SELCHANGE),
                     LPARAM(GetDlgItem(dialog, 101)));
    }
    HWND dialog = nullptr;
};

TEST_F(LightDialogTest, EqualColoursMoveTogetherAndParallelResetsTheCutoff) {
    EXPECT_EQ(Text(dialog, 133), "0.60"); // diffuse red of light 0
    Move(135, 30);                        // "equal " is set for diffuse
    EXPECT_EQ(Text(dialog, 133), "0.30");
    EXPECT_EQ(Text(dialog, 132), "0.30");
    EXPECT_EQ(Text(dialog, 131), "0.30");
    Click(130); // specular no longer equal
    Move(121, 10);
    EXPECT_EQ(Text(dialog, 104), "0.10");
    EXPECT_EQ(Text(dialog, 106), "0.50");
    Click(119); // point: the cutoff stays
    Move(125, 40);
    EXPECT_EQ(Text(dialog, 126), "40.0");
    Click(122); // parallel: back to 180
    EXPECT_EQ(Text(dialog, 126), "180.00");
    EXPECT_EQ(SendDlgItemMessageA(dialog, 125, TBM_GETPOS, 0, 0), 180);
}

TEST_F(LightDialogTest, CancelRestoresEveryLightButWorldPos) {
    Move(135, 10); // light 0 diffuse
    Click(140);    // light 0 no longer world-fixed: survives Cancel
    Select(3);
    Click(112);    // light 3 on
    Move(114, 90); // light 3 ambient
    Click(IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Text(dialog, 133), "0.60");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 140), BST_UNCHECKED);
    Select(3);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 112), BST_UNCHECKED);
    EXPECT_EQ(Text(dialog, 102), "0.10");
    Click(IDOK);
}

// The setters write the lights the dialog then shows.
TEST_F(LightDialogTest, SettersWriteTheCurrentWindowsLights) {
    float red[3] = {1, 0, 0}, grey[3] = {0.3f, 0.3f, 0.3f}, down[3] = {0, -1, 0};
    LightColor(1, grey, red, nullptr);
    LightSpot(1, down, 200, 0.5f); // the cutoff is out of range: kept
    LightDirection(1, 1, 0, nullptr);
    LightColor(9, red, red, red); // no such light: nothing
    Select(1);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 112), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 140), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 119), BST_CHECKED) << "a spot is a point light";
    EXPECT_EQ(Text(dialog, 133), "1.00");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 134), BST_UNCHECKED) << "unequal diffuse";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 117), BST_CHECKED) << "equal ambient";
    EXPECT_EQ(Text(dialog, 104), "0.50") << "default specular";
    EXPECT_EQ(Text(dialog, 126), "180.00");
    EXPECT_EQ(Text(dialog, 120), "0.50");
    EXPECT_EQ(Text(dialog, 109), "-1.00");
}

TEST(StatusBar, KeepsTheTextCutTo255Characters) {
    void *w = CreateWind(" status", 300, 200, 10, 10, NULL, 1);
    ASSERT_NE(w, nullptr);
    ShowWind(w);
    HWND bar = reinterpret_cast<HWND>(SendPexaMsg(PEXA_MSG_GET_STATUS_BAR, WPARAM(w), 0));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(StatusText("This is status text"), 1);
    EXPECT_EQ(SendMessageA(bar, SB_ISSIMPLE, 0, 0), TRUE);
    // HACK: Wine's status bar answers the simple part's text as part 0.
    char text[400] = {};
    SendMessageA(bar, SB_GETTEXTA, 0, LPARAM(text));
    EXPECT_STREQ(text, "This is status text");
    StatusText(std::string(300, 'x').c_str());
    SendMessageA(bar, SB_GETTEXTA, 0, LPARAM(text));
    EXPECT_EQ(std::string(text), std::string(255, 'x'));
    void *plain = CreateWind(" no status bar");
    std::string printed;
    {
        StdoutCapture out;
        StatusText("lost");
        printed = out.take();
    }
    EXPECT_EQ(printed, "\n\n\a There is no statusbar !");
    DeleteWind(plain);
    DeleteWind(w);
}

// The scene takes the client area above the bar, which shows below it: a
// cube at the origin is centred there and picked where it is drawn.
class StatusBarScene : public SceneTest {
    void SetUp() override {
        hwnd = GetHWND(wind = CreateWind(" status scene", 300, 240, 10, 10, NULL, 1));
        ShowWind(wind);
    }
};

TEST_F(StatusBarScene, TheSceneIsCentredAboveTheBar) {
    RECT bar = {};
    GetWindowRect(HWND(SendPexaMsg(PEXA_MSG_GET_STATUS_BAR, WPARAM(wind), 0)), &bar);
    Disable(NULL, 1);
    Enable(NULL, PEXA_ENABLE_PICKING);
    ColorRGB(NULL, 1, 0, 0);
    cObj *cube = Box(NULL, -0.2f, -0.2f, -0.2f, 0.2f, 0.2f, 0.2f);
    const Capture c = Frame();
    int top = -1, bottom = -1;
    for (int y = 0; y < c.height; ++y)
        if (Near(c.at(c.width / 2, y), Rgb(255, 0, 0), 40)) (top < 0 ? top : bottom) = y;
    EXPECT_NEAR(top + bottom, c.height - (bar.bottom - bar.top), 3) << top << ".." << bottom;
    EXPECT_FALSE(Near(c.at(c.width / 2, c.height - 3), 0, 40)) << "the bar shows";
    EXPECT_EQ(ClickAndWait(c.width / 2, bottom - 2).name, reinterpret_cast<INT_PTR>(cube));
}

DWORD ConsoleValue(const std::string &key, const char *name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

std::string ConsoleKey() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    std::string title = startup.lpTitle ? startup.lpTitle : "";
    for (char &c : title)
        if (c == '\\') c = '_';
    return "CONSOLE\\" + title;
}

// Before the first window only the title changes; after it the geometry is
// recorded under the startup title.
TEST(Console, RecordsTheGeometryUnderTheStartupTitleOnceAWindowExists) {
    const std::string key = ConsoleKey();
    EXPECT_EQ(key.find('\\', 8), std::string::npos) << key;
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    ResetConsole(" console title", 4, 4, 61, 17, 3, 3);
    if (GetConsoleWindow()) { // tests run without a console under Wine
        char title[64] = {};
        GetConsoleTitleA(title, sizeof title);
        EXPECT_STREQ(title, " console title");
    }
    EXPECT_EQ(ConsoleValue(key, "WindowSize"), 0xFFFFFFFFu);
    ASSERT_NE(CreateWind(" console"), nullptr);
    ResetConsole(" console title", 4, 6, 61, 17, 80, 300);
    EXPECT_EQ(ConsoleValue(key, "WindowPosition"), (6u << 16) + 4);
    EXPECT_EQ(ConsoleValue(key, "WindowSize"), (17u << 16) + 61);
    EXPECT_EQ(ConsoleValue(key, "ScreenBufferSize"), (300u << 16) + 80);
    ResetConsole(" console title", 4, 6, 61, 17, 3, 0); // small buffers become the window's
    EXPECT_EQ(ConsoleValue(key, "ScreenBufferSize"), (17u << 16) + 61);
}

} // namespace
