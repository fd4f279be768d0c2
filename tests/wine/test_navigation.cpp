// Navigation, the configuration file, the context menu, viewpoints and the
// view dialog, driven the way a user drives them: posted keys and drags,
// the real pop-up menu, the "Save As" dialog and the dialog's fields.
#include <atomic>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>
#include <utility>

#include "support/dib_test.h"
#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

class Navigation : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        Box(NULL, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f);
        RefreshWind(wind);
    }
    // A right click at (x, y) opens the real pop-up menu; user(menu window)
    // runs on another thread while it is open, then the click's handling
    // ends. Returns the menu shown.
    HMENU RightClick(int x, int y, const std::function<void(HWND)> &user) {
        std::atomic<HMENU> shown{nullptr};
        std::thread t([&] {
            HWND popup = nullptr;
            for (int i = 0; i < 500 && !popup; ++i, Sleep(10))
                popup = FindWindowA("#32768", nullptr);
            if (!popup) return;
            shown = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
            user(popup);
        });
        PostButtonDown(hwnd, 3, x, y);
        Flush(hwnd);
        t.join();
        return shown;
    }
    // The view after a key press, from the event record of a frame drawn
    // after it by F5, which changes nothing of the view.
    EventInfo Press(int vk) {
        PostKey(hwnd, vk);
        Flush(hwnd);
        return KeyAndWait(VK_F5);
    }
};

// A numeric-pad key turns the model once: the frames after the key's turn
// it no further. ResetPos and the middle button draw the reset.
TEST_F(Navigation, ANumericPadTurnHappensOnceAndTheResetDraws) {
    Recorder *r = InsertRecorder(nullptr, "r");
    PostKey(hwnd, VK_NUMPAD6);
    Flush(hwnd);
    EXPECT_EQ(Frame().pixels, Frame().pixels);
    const int drawn = r->draws.load();
    ResetPos();
    PostButtonDown(hwnd, 2, 5, 5);
    Flush(hwnd);
    EXPECT_EQ(r->draws.load(), drawn + 2);
}

TEST_F(Navigation, KeysMoveTheViewAsTheTableSays) {
    EXPECT_FLOAT_EQ(Press(VK_UP).pos[2], 5.1f); // ROTATE: the eye backs away
    ActionMode(PEXA_WALK);
    EventInfo walked = Press(VK_UP); // one step of walk_dpos along the view, only one
    EXPECT_NEAR(walked.pos[2], 5.0f, 1e-5);
    EXPECT_NEAR(walked.dir[2], -1.0f, 1e-5);
    // With control held keys move the eye but draw nothing.
    ActionMode(PEXA_ROTATE);
    PostMessageA(hwnd, WM_KEYDOWN, VK_CONTROL, 1); // held
    PostKey(hwnd, VK_UP);
    Flush(hwnd);
    PostKeyUp(hwnd, VK_CONTROL);
    Flush(hwnd);
    EXPECT_NEAR(KeyAndWait(VK_F5).pos[2], 5.1f, 1e-5) << "seen once a frame is drawn";
}

// A ROTATE drag across the window, released right behind the moves.
TEST_F(Navigation, AQuickReleaseKeepsSpinningUntilEnd) {
    PostButtonDown(hwnd, 1, 60, 110);
    for (int x = 70; x <= 150; x += 10)
        PostMouseMove(hwnd, x, 110, MK_LBUTTON);
    PostButtonUp(hwnd, 1, 150, 110);
    Flush(hwnd);
    const Capture a = Frame(), b = Frame();
    EXPECT_NE(a.pixels, b.pixels) << "the model keeps turning frame after frame";
    PostKey(hwnd, VK_END);
    Flush(hwnd);
    const Capture c = Frame(), d = Frame();
    EXPECT_EQ(c.pixels, d.pixels);
}

void Escape(HWND popup) {
    PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

// The real pop-up menu, closed with ESC once its marks are read.
TEST_F(Navigation, PopupMenuChecksTheModes) {
    ShadeMode(PEXA_FLAT);
    DrawMode(PEXA_LINE);
    HMENU shown = RightClick(100, 100, Escape);
    ASSERT_NE(shown, nullptr);
    HMENU shade = GetSubMenu(shown, 3), draw = GetSubMenu(shown, 4);
    EXPECT_TRUE(GetMenuState(shade, 51689, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(shade, 51688, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(draw, 51705, MF_BYCOMMAND) & MF_CHECKED);
}

// A viewpoint chosen by its menu item, others added, set and deleted by
// name; deleting without a name asks about the current one first, and with
// none left says so.
TEST_F(Navigation, ViewpointsByMenuIdAndDeletion) {
    ViewpointData distant = {"far", {0, 0, 9}, {0, 0, 0}, 0, 45};
    EXPECT_EQ(ViewpointAdd(nullptr, &distant), 1); // menu id 60001, after Default's
    PostMessageA(hwnd, WM_COMMAND, 60001, 0);
    EXPECT_FLOAT_EQ(KeyAndWait(VK_F5).pos[2], 9.0f);
    char a[] = "a", missing[] = "missing";
    EXPECT_EQ(ViewpointAdd(a), 1); // the current view, by name
    EXPECT_EQ(ViewpointAdd(nullptr, nullptr), 0);
    EXPECT_EQ(ViewpointSet(missing), 0);
    EXPECT_EQ(ViewpointSet(a), 1);
    EXPECT_EQ(ViewpointDel(a), 1); // "far" is current again
    EXPECT_EQ(ViewpointSet(a), 0);
    auto answered = [](int answer) {
        return std::async(std::launch::async, [answer] {
            return AnswerBoxOfAnotherThread("Delete Viewpoint", answer);
        });
    };
    auto no = answered(IDNO);
    EXPECT_EQ(ViewpointDel(), 0);
    EXPECT_EQ(no.get().text, "Do you want to delete viewpoint: far");
    for (int left = 2; left > 0; --left) {
        auto yes = answered(IDYES);
        EXPECT_EQ(ViewpointDel(), 1);
        yes.get();
    }
    auto none = answered(IDOK);
    EXPECT_EQ(ViewpointDel(), 0);
    EXPECT_EQ(none.get().text, "No viewpoint to delete.");
    // After a deletion and an addition the menu lists exactly the live
    // viewpoints, and each item applies its own.
    for (char name : {'a', 'b', 'c', 'd'}) {
        ViewpointData v = {{name}, {0, 0, float(name - 'a' + 6)}, {0, 0, 0}, 0, 45};
        ViewpointAdd(nullptr, &v);
        if (name == 'c') ViewpointDel("b"); // the next id once counted the viewpoints: c's
    }
    HMENU menu = GetSubMenu(RightClick(100, 100, Escape), 0);
    char third[8] = {};
    GetMenuStringA(menu, 2, third, sizeof third, MF_BYPOSITION);
    EXPECT_STREQ(third, "d");
    EXPECT_EQ(GetMenuItemCount(menu), 6) << "a, c, d, the separator, two commands";
    for (int item : {1, 2}) {
        PostMessageA(hwnd, WM_COMMAND, GetMenuItemID(menu, item), 0);
        EXPECT_FLOAT_EQ(KeyAndWait(VK_F5).pos[2], float(7 + item));
    }
}

TEST_F(Navigation, SaveAsWritesABitmapThatImageMagickReads) {
    const SharedFile file = SharedPath("saved.bmp");
    std::thread user([&] {
        HWND dialog = FindWindowByTitle("Save As", 5000);
        if (!dialog) return;
        std::string name = file.windows.substr(0, file.windows.size() - 4); // ".bmp" added
        for (char &c : name)
            if (c == '/') c = '\\';
        SetDlgItemTextA(dialog, 1148, name.c_str()); // the file name box
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        // Should the dialog refuse the name, it must not stay open forever.
        for (int i = 0; i < 300 && IsWindow(dialog); ++i)
            Sleep(10);
        if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    // Chosen in the real menu, opened over the top left of the scene: the
    // last item (Help), the one above (Save As), its item.
    RightClick(20, 20, [](HWND popup) {
        Sleep(300); // drawn over the scene first
        for (int key : {VK_UP, VK_UP, VK_RIGHT, VK_RETURN})
            PostMessageA(popup, WM_KEYDOWN, WPARAM(key), 0);
    });
    user.join();
    Flush(hwnd); // the file is written once the dialog has gone
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = MagickPixels(file, &width, &height);
    DeleteFileA(file.windows.c_str());
    RECT client = {};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);
    ASSERT_FALSE(pixels.empty());
    EXPECT_NE(pixels[size_t(height / 2) * width + width / 2], 0u) << "the lit box in the middle";
    EXPECT_EQ(pixels[0], 0u) << "the background in the corner";
    EXPECT_EQ(pixels[size_t(40) * width + 40], 0u) << "no trace of the menu that was there";
}

// "pexa16.ini" in the Windows or the current directory.
std::string IniIn(bool windowsDirectory) {
    char dir[MAX_PATH] = {};
    if (windowsDirectory)
        GetWindowsDirectoryA(dir, sizeof dir);
    else
        GetCurrentDirectoryA(sizeof dir, dir);
    return std::string(dir) + "\\pexa16.ini";
}

TEST_F(Navigation, ViewDialogShowsTheTotalOrientationAndAppliesATypedOne) {
    Rotation(30, 0, 1, 0);
    Rotation(30, 0, 1, 0);
    ASSERT_EQ(ViewDialog(wind), 1);
    HWND dialog = FindWindowByTitle(" View Setting:  scene test");
    ASSERT_NE(dialog, nullptr);
    auto field = [&](int id) {
        char text[64] = {};
        GetDlgItemTextA(dialog, id, text, sizeof text);
        return std::atof(text);
    };
    EXPECT_NEAR(field(112), 60.0, 0.02) << "the total, not the last increment";
    EXPECT_NEAR(field(117), 1.0, 0.01);
    EXPECT_GT(field(109), 0.0) << "frames per second, 1000 / frameTime";
    for (auto [id, text] : {std::pair{116, "1"}, {117, "0"}, {118, "0"}, {112, "90"}})
        SetDlgItemTextA(dialog, id, text);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(112, EN_KILLFOCUS), 0);
    EXPECT_NEAR(field(112), 90.0, 0.02) << "applied absolutely";
    EXPECT_NEAR(field(116), 1.0, 0.01);
    // Cancel takes back what was applied (the dialog opened at eye z 5).
    SetDlgItemTextA(dialog, 103, "9");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(103, EN_KILLFOCUS), 0);
    EXPECT_FLOAT_EQ(KeyAndWait(VK_F5).pos[2], 9.0f);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FLOAT_EQ(KeyAndWait(VK_F5).pos[2], 5.0f);
}

TEST(Configuration, TheDefaultFileIsWrittenWhereNoneExists) {
    DeleteFileA(IniIn(false).c_str());
    DeleteFileA(IniIn(true).c_str());
    ASSERT_NE(CreateWind(" defaults"), nullptr);
    std::vector<uint8_t> written = ReadBytes(IniIn(true));
    std::vector<uint8_t> expected = ReadBytes(PEXA_SOURCE_DIR "/tests/data/pexa16.ini");
    ASSERT_FALSE(expected.empty());
    std::string crlf; // written in text mode
    for (uint8_t c : expected)
        crlf += c == '\n' ? "\r\n" : std::string(1, char(c));
    EXPECT_EQ(std::string(written.begin(), written.end()), crlf);
}

// A file in the current directory wins over the Windows directory's: the
// window made after it was written shows its background and its eye.
class LocalConfiguration : public Navigation {
  protected:
    void SetUp() override {
        const std::string text = "header\n\nBackColor_r 1.0\niniPos_z 8\n";
        ASSERT_TRUE(WriteBytes(IniIn(false), {text.begin(), text.end()}));
        Navigation::SetUp();
        DeleteFileA(IniIn(false).c_str());
    }
};

TEST_F(LocalConfiguration, ShadowsTheFileInTheWindowsDirectory) {
    const Capture c = Frame();
    EXPECT_TRUE(Near(c.at(2, 2), Rgb(255, 0, 0))) << Hex(c.at(2, 2));
    // From 8 units away the cube covers less than a quarter of the width
    // (from 5 it covers about a third).
    int covered = 0;
    for (int x = 0; x < c.width; ++x)
        covered += !Near(c.at(x, c.height / 2), Rgb(255, 0, 0), 30);
    EXPECT_GT(covered, 10);
    EXPECT_LT(covered, c.width / 4);
}

} // namespace
