// Frames: the repaint chain of animated windows, still windows stopping, and
// the calling thread changing objects while the library thread draws.
#include <atomic>
#include <string>
#include <thread>

#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

// Waits (bounded) until the recorder has been drawn at least n more times.
bool DrawnAgain(Recorder *r, int n, int timeoutMs = 5000) {
    int start = r->draws.load();
    DWORD t0 = GetTickCount();
    while (r->draws.load() < start + n) {
        if (int(GetTickCount() - t0) > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

TEST_F(SceneTest, AnimatedRotationKeepsChangingThePicture) {
    Disable(NULL, 1);
    Disable(NULL, 2); // the strip stays visible from behind
    Rotate(NULL, 0, 0, 1, 0, 5);
    Tetragon(NULL, -1, -0.2f, 0, 1, -0.2f, 0, 1, 0.2f, 0, -1, 0.2f, 0);
    Recorder *r = InsertRecorder(nullptr, "r");
    Enable(NULL, 6);
    Capture first = Frame();
    ASSERT_TRUE(DrawnAgain(r, 10)) << "the repaint chain keeps drawing";
    // The strip turns about y: its width on screen changes from frame to
    // frame (two captures may still meet at mirrored angles).
    bool changed = false;
    for (int i = 0; i < 20 && !changed; ++i) {
        ASSERT_TRUE(DrawnAgain(r, 3));
        changed = CaptureScene(wind).pixels != first.pixels;
    }
    EXPECT_TRUE(changed);
}

// A spin is paced to the display: over 3 s it draws at about the display's
// rate, well under 200 frames a second, and takes less than half a core.
TEST_F(SceneTest, ASpinIsPacedToTheDisplay) {
    Recorder *r = InsertRecorder(nullptr, "r");
    Rotate(NULL, 1, 0, 1, 0, 0);
    Box(NULL, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f);
    Enable(NULL, 6);
    Frame();
    auto used = [] { // 100-ns units of the processor: created, ended, kernel, user
        uint64_t t[4];
        auto *f = reinterpret_cast<FILETIME *>(t);
        GetProcessTimes(GetCurrentProcess(), f, f + 1, f + 2, f + 3);
        return double(t[2] + t[3]);
    };
    const double busy0 = used(), drawn0 = r->draws.load();
    Sleep(3000);
    const double busy = (used() - busy0) / 1e7, frames = r->draws.load() - drawn0;
    RecordProperty("cpu_seconds_in_3s", std::to_string(busy));
    RecordProperty("frames_in_3s", std::to_string(frames));
    EXPECT_LT(busy, 1.5);
    EXPECT_GT(frames, 60);
    EXPECT_LT(frames, 3 * 150);
}

TEST_F(SceneTest, StillWindowStopsDrawing) {
    Box(NULL, -1, -1, -1, 1, 1, 1);
    Recorder *r = InsertRecorder(nullptr, "r");
    Frame();
    int drawn = r->draws.load();
    // Nothing moves: after the frame the window is validated, so neither its
    // paint nor any later message draws it again.
    Flush(hwnd);
    Sleep(100);
    Flush(hwnd);
    EXPECT_EQ(r->draws.load(), drawn);
}

TEST_F(SceneTest, RotationDrawnTwicePerFrameThroughUseTurnsTwiceAsFast) {
    Disable(NULL, 1);
    cObj *rotate = Rotate(NULL, 0, 0, 1, 0, 5);
    Use(rotate);
    Frame(); // two frames
    // The angle is read back through a modification: 2 frames x 2 draws x 5.
    // cRotate3D keeps angle first after the base fields.
    struct RotateFields {
        void *vtable;
        int typeId;
        cObj *next;
        float angle;
    };
    EXPECT_FLOAT_EQ(reinterpret_cast<RotateFields *>(rotate)->angle, 20.0f);
}

TEST_F(SceneTest, PickingReportsTheNearestObjectUnderTheClick) {
    Enable(NULL, 5);
    cObj *farBox = Box(NULL, -1, -1, -2, 1, 1, -1);
    GroupBegin();
    cObj *nearBox = Box(NULL, -0.5f, -0.5f, 0, 0.5f, 0.5f, 1);
    GroupEnd();
    Frame();
    EventInfo info = ClickAndWait();
    EXPECT_EQ(info.hits, 2);
    EXPECT_EQ(info.name, reinterpret_cast<INT_PTR>(nearBox));
    EXPECT_NE(info.name, reinterpret_cast<INT_PTR>(farBox));
}

// One thread changes objects in place as fast as it can while the window
// animates: no crash, no deadlock, and no frame shows a half-written colour.
TEST_F(SceneTest, ObjectsChangedWhileFramesAreDrawn) {
    Disable(NULL, 1);
    float redGreen[3] = {1, 1, 0}, blue[3] = {0, 0, 1};
    cObj *colour = Color(NULL, redGreen);
    cObj *box = Box(NULL, -1, -1, -1, 1, 1, 1);
    float strip[8 * 3] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0,
                          -1, 2,  0, 1, 2,  0, -1, 3, 0, 1, 3, 0};
    cObj *prim = Primitive(NULL, GL_TRIANGLE_STRIP, strip, 8);
    cObj *spin = Rotate(NULL, 0, 0, 1, 0, 3);
    Enable(NULL, 6);
    Frame(); // from the second frame on, lighting is off

    std::atomic<bool> stop{false};
    std::atomic<long> changes{0};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) {
            bool odd = i & 1;
            Color(colour, odd ? blue : redGreen);
            Box(box, odd ? -0.9f : -1, -1, -1, 1, 1, 1);
            Primitive(prim, GL_TRIANGLE_STRIP, strip, 4 + (i % 5));
            Rotate(spin, float(i % 360), 0, 1, 0, 3);
            ++changes;
        }
    });
    int torn = 0, frames = 0;
    std::string tornColours;
    DWORD t0 = GetTickCount();
    while (GetTickCount() - t0 < 3000) {
        Capture c = CaptureScene(wind);
        ++frames;
        uint32_t p = c.at(c.width / 2, c.height / 2);
        // A colour is yellow or blue, never a mix such as green or magenta.
        if (!Near(p, Rgb(255, 255, 0), 40) && !Near(p, Rgb(0, 0, 255), 40) &&
            !Near(p, Rgb(0, 0, 0), 40)) {
            ++torn;
            tornColours += Hex(p) + " ";
        }
    }
    stop = true;
    writer.join();
    EXPECT_EQ(torn, 0) << tornColours;
    EXPECT_GT(changes.load(), 100);
    EXPECT_GT(frames, 5);
    EXPECT_EQ(RefreshWind(wind), 1) << "the library thread still answers";
}

} // namespace
