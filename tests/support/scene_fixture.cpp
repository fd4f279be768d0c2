// The scene test fixture's input helpers.
#include "support/scene_fixture.h"

#include <functional>
#include <thread>

namespace pexatest {

namespace {
// Runs WaitForPexa(kind, key) on a thread of its own and feeds input until
// the wait has seen it: the waiter may not wait yet when the first arrives.
EventInfo FeedUntilSeen(int kind, int key, const std::function<void()> &feed) {
    std::atomic<bool> done{false};
    EventInfo info = {};
    std::thread waiter([&] {
        info = WaitForPexa(kind, key);
        done = true;
    });
    for (int i = 0; i < 500 && !done; ++i) {
        feed();
        for (int j = 0; j < 5 && !done; ++j)
            Sleep(2);
    }
    waiter.join();
    return info;
}
} // namespace

Capture CaptureScene(void *wind) {
    Capture cap;
    CurrentWind(wind);
    HGLOBAL dib = DIBfromWind();
    const auto *info = dib ? static_cast<const BITMAPINFOHEADER *>(GlobalLock(dib)) : nullptr;
    if (info && info->biBitCount == 24 && info->biWidth > 0 && info->biHeight > 0) {
        cap.width = info->biWidth;
        cap.height = info->biHeight;
        const size_t stride = (size_t(cap.width) * 3 + 3) & ~size_t(3);
        const auto *rows =
            reinterpret_cast<const uint8_t *>(info) + info->biSize + info->biClrUsed * 4;
        cap.pixels.resize(size_t(cap.width) * cap.height);
        for (int y = 0; y < cap.height; ++y) { // bottom-up
            const uint8_t *p = rows + (size_t(cap.height - 1 - y)) * stride;
            for (int x = 0; x < cap.width; ++x, p += 3)
                cap.pixels[size_t(y) * cap.width + x] = Rgb(p[2], p[1], p[0]);
        }
    }
    if (dib) {
        GlobalUnlock(dib);
        GlobalFree(dib);
    }
    return cap;
}

EventInfo SceneTest::ClickAndWait(int x, int y) {
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    if (x < 0) x = rc.right / 2;
    if (y < 0) y = rc.bottom / 2;
    return FeedUntilSeen(MOUSEHIT, 0, [&] {
        PostButtonDown(hwnd, 1, x, y);
        PostButtonUp(hwnd, 1, x, y);
    });
}

EventInfo SceneTest::KeyAndWait(int virtualKey) {
    return FeedUntilSeen(KEYHIT, virtualKey, [&] { PostKey(hwnd, virtualKey); });
}

} // namespace pexatest
