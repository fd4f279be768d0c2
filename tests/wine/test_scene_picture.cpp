// DIBfromScene as a program uses it: pictures of a window never shown, at
// sizes larger than the screen with the aspect kept and the overlay scaled,
// the picture of DIBfromWind at the client size whatever covers the window,
// the window's own picture untouched, bad arguments refused on the console.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "pexa.h"
#include "support/dib_test.h"
#include "support/pexa_test.h"
#include "support/stdout_capture.h"

using namespace pexatest;

namespace {

// 320 x 240, not shown: a unit box before blue, a black 2D rectangle at (10, 10)-(50, 30).
void *MakeScene() {
    void *w = CreateWind(" scene picture", 320, 240, 0, 0);
    Background(0, 0, 1);
    ColorRGB(NULL, 0.9f, 0.4f, 0.2f);
    Box(NULL, -1, -1, -1, 1, 1, 1);
    Rectangle2D(NULL, 10, 10, 50, 30);
    return w;
}

// Share of pixels differing by more than 8 levels in a channel.
double Differing(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b) {
    size_t count = a.size() == b.size() ? 0 : a.size() + 1;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        count += !Near(a[i], b[i], 8);
    return double(count) / double(std::max<size_t>(a.size(), 1));
}

TEST(DibFromScene, HiddenWindowAtAnySizeKeepsTheAspectAndScalesTheOverlay) {
    void *w = MakeScene();
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(IsWindowVisible(GetHWND(w)));
    RECT client = {};
    GetClientRect(GetHWND(w), &client);
    double boxHeight = 0; // as a share of the picture's height, from the first
    for (auto [width, height] :
         {std::pair{int(client.right), int(client.bottom)}, {4000, 3000}, {900, 300}, {400, 600}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        OwnedDib dib(DIBfromScene(w, width, height));
        ASSERT_NE(dib.h, nullptr);
        EXPECT_EQ(HeaderOf(dib).biBitCount, 24);
        const std::vector<uint32_t> pixels = RenderDib(dib);
        ASSERT_EQ(pixels.size(), size_t(width) * height);
        auto at = [&](int x, int y) { return pixels[size_t(y) * width + x]; };
        // The overlay's rectangle scaled: black at its middle, (30, 20) in the window.
        const double sx = double(width) / client.right, sy = double(height) / client.bottom;
        EXPECT_TRUE(Near(at(int(30 * sx), int(20 * sy)), 0));
        EXPECT_TRUE(Near(at(0, 0), Rgb(0, 0, 255), 24)) << Hex(at(0, 0));
        // The box below it: centred, square in pixels, as high a share of the picture.
        int left = width, right = 0, top = height, bottom = 0;
        for (int y = int(40 * sy); y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!Near(at(x, y), Rgb(0, 0, 255), 24)) {
                    left = std::min(left, x), right = std::max(right, x + 1);
                    top = std::min(top, y), bottom = std::max(bottom, y + 1);
                }
        EXPECT_NEAR(left + right, width, 0.02 * width);
        EXPECT_NEAR(top + bottom, height, 0.02 * height);
        EXPECT_NEAR(right - left, bottom - top, 0.02 * height);
        if (boxHeight == 0) boxHeight = double(bottom - top) / height;
        EXPECT_NEAR(double(bottom - top) / height, boxHeight, 0.01);
    }
    DeleteWind(w);
}

TEST(DibFromScene, EqualsDibFromWindWhateverCoversTheWindow) {
    void *w = MakeScene();
    ASSERT_NE(w, nullptr);
    HWND hwnd = GetHWND(w);
    ShowWind(w);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RefreshWind(w);
    RECT client = {};
    GetClientRect(hwnd, &client);
    OwnedDib shown(DIBfromWind());
    ASSERT_NE(shown.h, nullptr);
    // The window's own picture stays as it was.
    const Capture before = CaptureClient(hwnd);
    OwnedDib large(DIBfromScene(w, 1000, 700));
    EXPECT_NE(large.h, nullptr);
    EXPECT_LE(Differing(CaptureClient(hwnd).pixels, before.pixels), 0.005);
    // Another program's window over half of the scene.
    HWND cover =
        CreateWindowExA(WS_EX_TOPMOST, "STATIC", "cover", WS_POPUP | WS_VISIBLE, 0, 0,
                        client.right / 2, client.bottom, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    OwnedDib drawn(DIBfromScene(w, client.right, client.bottom));
    DestroyWindow(cover);
    ASSERT_NE(drawn.h, nullptr);
    EXPECT_LE(Differing(RenderDib(drawn), RenderDib(shown)), 0.005);
    DeleteWind(w);
}

TEST(DibFromScene, BadArgumentsGiveNullAndAConsoleLine) {
    StdoutCapture out;
    const std::string noWindow = "\n DIBfromScene: No scene window!";
    EXPECT_EQ(DIBfromScene(nullptr, 10, 10), nullptr); // before any window
    EXPECT_EQ(out.take(), noWindow);
    void *w = MakeScene();
    ASSERT_NE(w, nullptr);
    for (auto [width, height] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {16385, 10}, {10, 16385}}) {
        EXPECT_EQ(DIBfromScene(w, width, height), nullptr);
        EXPECT_EQ(out.take(), "\n DIBfromScene: The size must be 1 to 16384 pixels each way!");
    }
    int notAWindow = 0;
    EXPECT_EQ(DIBfromScene(&notAWindow, 10, 10), nullptr);
    EXPECT_EQ(out.take(), noWindow);
    for (auto [width, height] : {std::pair{1, 1}, {16384, 1}}) { // the extremes are pictures
        OwnedDib dib(DIBfromScene(nullptr, width, height));
        EXPECT_NE(dib.h, nullptr) << width << " x " << height;
    }
    DeleteWind(w);
    EXPECT_EQ(DIBfromScene(w, 10, 10), nullptr);
    EXPECT_EQ(out.take(), noWindow);
}

} // namespace
