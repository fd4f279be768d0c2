// A shown scene window for render tests, and a user object class that
// records its draws (the way a program extends the library).
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "pexa.h"
#include "support/pexa_test.h"

namespace pexatest {

// A program-defined object: records every Draw into a shared log.
class Recorder : public cObj {
  public:
    Recorder(std::vector<std::string> *log, std::string name)
        : cObj(0), log_(log), name_(std::move(name)) {}
    void Draw() override {
        if (log_) log_->push_back(name_);
        ++draws;
    }
    void DrawExtra() override {}
    std::atomic<int> draws{0};

  private:
    std::vector<std::string> *log_;
    std::string name_;
};

inline Recorder *InsertRecorder(std::vector<std::string> *log, const std::string &name) {
    Recorder *r = new Recorder(log, name);
    SendPexaMsg(1025, reinterpret_cast<WPARAM>(static_cast<cObj *>(r)), 0);
    return r;
}

// What the window shows, read by the library thread (DIBfromWind) between
// its frames; makes wind the current window. (Read from the test thread
// while frames run, the window's device context can deadlock under Wine.)
Capture CaptureScene(void *wind);

// A shown 220 x 220 window, current, with lighting off by default so that
// colours show unchanged.
class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wind = CreateWind(" scene test", 220, 220, 20, 20);
        ASSERT_NE(wind, nullptr);
        hwnd = GetHWND(wind);
        ShowWind(wind);
        // Above any window a previous test process may still be closing:
        // captures read the screen.
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    // Two frames: switches set by Enable/Disable objects apply from the
    // frame after the one that drew them. Leaves wind current.
    Capture Frame() {
        RefreshWind(wind);
        RefreshWind(wind);
        return CaptureScene(wind);
    }
    uint32_t Centre(const Capture &c) { return c.at(c.width / 2, c.height / 2); }
    // Pixels per unit in the plane z = 0, seen from the eye at z = 5 with a
    // field of view of 45 degrees; the pixel showing the point (x, y) of it.
    static double PerUnit(const Capture &c) { return c.height / (10 * std::tan(3.14159265 / 8)); }
    static uint32_t At(const Capture &c, double x, double y) {
        return c.at(int(c.width / 2 + x * PerUnit(c)), int(c.height / 2 - y * PerUnit(c)));
    }
    // A left click at (x, y) (default: the centre) while WaitForPexa(MOUSEHIT)
    // runs on another thread; returns what the wait returned.
    EventInfo ClickAndWait(int x = -1, int y = -1);
    // A key press while WaitForPexa(KEYHIT, virtualKey) runs, the same way.
    EventInfo KeyAndWait(int virtualKey);

    void *wind = nullptr;
    HWND hwnd = nullptr;
};

} // namespace pexatest
