// Scene windows as a program sees them: creation and its defaults, the
// library thread, show/hide/size, background, deletion, and the requests
// that reach the library thread.
#include <gtest/gtest.h>

#include <string>

#include "pexa.h"
#include "support/pexa_test.h"
#include "support/stdout_capture.h"

using namespace pexatest;

namespace {

DWORD ThreadOf(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr);
}

RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

TEST(Window, DefaultsAreHidden500By350At4_240) {
    void *w = CreateWind(" t");
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(FindWindowA("Pexa", " t"), hwnd);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    RECT r = WindowRect(hwnd);
    EXPECT_EQ(r.left, 4);
    EXPECT_EQ(r.top, 240);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 350);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & 0x06CF0000, 0x06CF0000);
    EXPECT_NE(GetHDC(w), nullptr);
    EXPECT_NE(GetHGLRC(w), nullptr);
    EXPECT_EQ(SendPexaMsg(1134, WPARAM(w), 0), 0); // no status bar
}

TEST(Window, ShownWindowIsFoundByTitle) {
    void *w = CreateWind(" Pexa Window: found by title");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ShowWind(w), 1);
    HWND found = FindWindowByTitle(" Pexa Window: found by title");
    EXPECT_EQ(found, GetHWND(w));
    EXPECT_TRUE(IsWindowVisible(found));
}

TEST(Window, OneLibraryThreadServesAllWindowsEvenAfterAFailure) {
    void *a = CreateWind(" a");
    ASSERT_NE(a, nullptr);
    DWORD libraryThread = ThreadOf(GetHWND(a));
    EXPECT_NE(libraryThread, GetCurrentThreadId());
    StdoutCapture out;
    // A child style without a parent cannot be created.
    EXPECT_EQ(CreateWind(" broken", 100, 100, 0, 0, nullptr, 0, WS_CHILD), nullptr);
    EXPECT_EQ(out.take(), "\n Window creation failed!");
    void *b = CreateWind(" b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(ThreadOf(GetHWND(b)), libraryThread);
}

TEST(Window, VisibleStyleShowsAtOnceYetFirstShowStillRuns) {
    void *w = CreateWind(" vis", 300, 200, 10, 10, nullptr, 0, 0x06CF0000 | WS_VISIBLE);
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    HideWind(w); // the window does not count as shown yet: nothing happens
    EXPECT_TRUE(IsWindowVisible(hwnd));
    ShowWind(w);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    HideWind(w);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    HideWind(w);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    ShowWind(w);
    ShowWind(w);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST(Window, SizeActsOnShownWindowsOnly) {
    void *w = CreateWind(" size", 200, 150, 30, 40);
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    EXPECT_EQ(SizeWind(w, 100, 100, 320, 240), 1);
    ShowWind(w);
    RECT r = WindowRect(hwnd);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 200);
    SizeWind(w, 100, 110, 320, 240);
    r = WindowRect(hwnd);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 110);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 240);
}

TEST(Window, TitlesOf63CharactersAreKeptWholeLongerOnesCut) {
    std::string t63(63, 'x');
    t63[0] = ' ';
    void *w = CreateWind(t63.c_str());
    ASSERT_NE(w, nullptr);
    char text[128] = {};
    GetWindowTextA(GetHWND(w), text, sizeof text);
    EXPECT_EQ(std::string(text), t63);
    std::string t70 = t63 + "yyyyyyy";
    void *v = CreateWind(t70.c_str());
    ASSERT_NE(v, nullptr);
    GetWindowTextA(GetHWND(v), text, sizeof text);
    EXPECT_EQ(std::string(text), t63);
}

TEST(Window, EmptySceneShowsTheBackgroundBrushOfTheCurrentWindowOnly) {
    void *a = CreateWind(" bg a", 200, 150, 10, 10);
    void *b = CreateWind(" bg b", 200, 150, 300, 10);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ShowWind(a);
    ShowWind(b);
    RefreshWind(a);
    RefreshWind(b);
    EXPECT_TRUE(Near(CaptureClient(GetHWND(a)).at(50, 50), Rgb(0, 0, 0)));
    CurrentWind(a);
    EXPECT_EQ(Background(1.0f, 0.5f, 0.0f), 1);
    // Nothing changes until the next frame.
    EXPECT_TRUE(Near(CaptureClient(GetHWND(a)).at(50, 50), Rgb(0, 0, 0)));
    ClearWind(a);
    RefreshWind(b);
    EXPECT_TRUE(Near(CaptureClient(GetHWND(a)).at(50, 50), Rgb(255, 127, 0)));
    EXPECT_TRUE(Near(CaptureClient(GetHWND(b)).at(50, 50), Rgb(0, 0, 0)));
}

TEST(Window, ClosedByTheUserStillAnswersWithItsOldHandle) {
    void *w = CreateWind(" closed");
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    ShowWind(w);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(GetHWND(w), hwnd);
    EXPECT_EQ(RefreshWind(w), 1); // no crash drawing a destroyed window
}

TEST(Window, DeleteLeavesTheWindowCurrentAndHarmless) {
    void *w = CreateWind(" deleted");
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    EXPECT_EQ(DeleteWind(w), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    // Requests for a deleted (still current) window do nothing.
    EXPECT_EQ(Background(1, 1, 1), 1);
    EXPECT_EQ(EventExists(0), 0);
    EXPECT_EQ(GetHWND(w), nullptr);
    void *v = CreateWind(" after delete");
    EXPECT_NE(v, nullptr);
}

// Without a current window the scene windows still get their input: a wait
// in progress ends, and the events are queued.
TEST(Window, PostedMessagesAreHandledWhileNoWindowIsCurrent) {
    void *w = CreateWind(" no current window");
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    ShowWind(w);
    CurrentWind(nullptr);
    PostKey(hwnd, VK_F2);
    PostButtonDown(hwnd, 3, 5, 5);
    EXPECT_EQ(GetHWND(w), hwnd) << "requests with a window argument are still handled";
    Flush(hwnd);
    CurrentWind(w);
    EXPECT_EQ(EventExists(256), 1);
    EXPECT_EQ(EventExists(516), 1);
}

TEST(Window, ResizingKeepsTheSceneCentredInTheNewClientArea) {
    void *w = CreateWind(" resize", 200, 150, 10, 10);
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    ShowWind(w);
    Disable(NULL, 1);
    ColorRGB(NULL, 1, 0, 0);
    Box(NULL, -0.1f, -0.1f, -0.1f, 0.1f, 0.1f, 0.1f);
    RefreshWind(w);
    SizeWind(w, 10, 10, 420, 380);
    RefreshWind(w);
    Capture c = CaptureClient(hwnd);
    ASSERT_GT(c.width, 300);
    EXPECT_TRUE(Near(c.at(c.width / 2, c.height / 2), Rgb(255, 0, 0)))
        << Hex(c.at(c.width / 2, c.height / 2));
    EXPECT_TRUE(Near(c.at(c.width / 4, c.height / 2), Rgb(0, 0, 0)));
}

TEST(Window, LibraryCarriesItsIconAndNavigationCursors) {
    HMODULE lib = GetModuleHandleA("pexav16.dll");
    ASSERT_NE(lib, nullptr);
    EXPECT_NE(LoadIconA(lib, MAKEINTRESOURCEA(1)), nullptr);
    for (int id : {109, 110, 112})
        EXPECT_NE(LoadCursorA(lib, MAKEINTRESOURCEA(id)), nullptr) << id;
}

TEST(Requests, NumbersWithoutAHandlerGiveTheDefaultResult) {
    ASSERT_NE(CreateWind(" requests"), nullptr);
    EXPECT_EQ(SendPexaMsg(1239, 0, 0), 0);
    EXPECT_EQ(SendPexaMsg(1240, 0, 0), 0);
    EXPECT_EQ(SendPexaMsg(1245, 0, 0), 0);
}

TEST(Requests, WorkBeforeAnyWindowIsCurrent) {
    // Before the first window nothing is running: requests return 0.
    EXPECT_EQ(SendPexaMsg(1250, 0, 0), 0);
    EXPECT_EQ(EventExists(0), 0);
}

TEST(Helpers, RandomSequenceFromLoadAndAfterSeeding) {
    const unsigned expected[] = {868, 232, 688, 672, 24, 918, 671, 431, 392, 857};
    for (unsigned e : expected)
        EXPECT_EQ(randstd(1000), e);
    srandstd(161803398);
    for (unsigned e : expected)
        EXPECT_EQ(randstd(1000), e);
    srandstd(0);
    EXPECT_EQ(randstd(100), 64u);
    EXPECT_EQ(randstd(1), 0u);
    EXPECT_EQ(randstd(0), 0u);
    EXPECT_EQ(randstd(100), 82u);
    float v[3] = {3, 0, 4};
    Normalize(v);
    EXPECT_FLOAT_EQ(v[0], 0.6f);
    EXPECT_FLOAT_EQ(v[2], 0.8f);
    float zero[3] = {0, 0, 0};
    Normalize(zero);
    EXPECT_EQ(zero[0], 0.0f);
}

// The DLL without the GIF codec captures its windows like the full one; it
// makes no outline fonts, and leaves the font counter alone when asked to.
TEST(Window, LiteBuildCapturesItsWindowsAndMakesNoOutlineFont) {
    HMODULE lite = LoadLibraryA("pexab16.dll");
    ASSERT_NE(lite, nullptr);
    auto get = [&](const char *name) {
        return reinterpret_cast<void *>(GetProcAddress(lite, name));
    };
    auto create = reinterpret_cast<decltype(&CreateWind)>(get("CreateWind"));
    auto show = reinterpret_cast<decltype(&ShowWind)>(get("ShowWind"));
    auto background = reinterpret_cast<decltype(&Background)>(get("Background"));
    auto refresh = reinterpret_cast<decltype(&RefreshWind)>(get("RefreshWind"));
    auto capture = reinterpret_cast<decltype(&DIBfromWind)>(get("DIBfromWind"));
    auto remove = reinterpret_cast<decltype(&DeleteWind)>(get("DeleteWind"));
    auto outline = reinterpret_cast<decltype(&CreateFontEXT)>(get("CreateFontEXT"));
    auto bitmapFont = reinterpret_cast<decltype(&CreateFontBMP)>(get("CreateFontBMP"));
    ASSERT_TRUE(create && show && background && refresh && capture && remove && outline &&
                bitmapFont);
    void *w = create(" lite capture", 160, 120, 30, 30, nullptr, 0, WS_POPUP);
    ASSERT_NE(w, nullptr);
    background(1.0f, 0.0f, 0.0f);
    show(w);
    refresh(w);
    HGLOBAL dib = capture();
    ASSERT_NE(dib, nullptr);
    auto *header = static_cast<BITMAPINFOHEADER *>(GlobalLock(dib));
    EXPECT_EQ(header->biWidth, 160);
    EXPECT_EQ(header->biHeight, 120);
    EXPECT_EQ(header->biBitCount, 24);
    const BYTE *pixel = reinterpret_cast<const BYTE *>(header + 1); // blue, green, red
    EXPECT_EQ(pixel[2], 255);
    EXPECT_EQ(pixel[1], 0);
    GlobalUnlock(dib);
    GlobalFree(dib);
    HFONT font = HFONT(GetStockObject(ANSI_VAR_FONT));
    OutlineFont none = outline(font, 0.25f, WGL_FONT_LINES);
    EXPECT_EQ(none.listBase, 0);
    EXPECT_EQ(none.extrusion, 0.25f);
    EXPECT_EQ(bitmapFont(font), 1000);
    remove(w);
}

// A program that returns from main with its window alive keeps its exit
// code: the library ends its windows and its thread before the process goes.
TEST(Window, ReturningWithAWindowAliveKeepsTheExitCode) {
    for (int run = 0; run < 10; ++run)
        ASSERT_EQ(RunProgram("exit_with_scene.exe"), 7) << "run " << run;
}

} // namespace
