// The example programs, run as a user would run them: what they print, what
// their windows show, and the keys that step and end them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <cmath>

#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

std::string BinPath(const std::string &name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dir(self);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

// Run with its output in a file instead of a console: ResetConsole then has
// no console to size and says so, before the example's own text.
const char kNoConsole[] = "\n Resizing console failed !\n";

// One example program, its output redirected to a file that the test reads
// while the program runs; ended (if still running) by the destructor.
class ExampleRun {
  public:
    explicit ExampleRun(const std::string &program) : path_(TempPath(program + ".txt")) {
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        HANDLE out = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &sa, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = out;
        std::string cmd = "\"" + BinPath(program + ".exe") + "\"";
        started_ = out != INVALID_HANDLE_VALUE &&
                   CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &si, &pi_);
        if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    }
    ~ExampleRun() {
        if (started_) {
            if (exitCode(0) == -1) TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        DeleteFileA(path_.c_str());
    }
    bool started() const { return started_; }

    // What it printed (read as text: "\r\n" is "\n" again) once that ends as
    // expected does, or after 20 s: the program prints its prompt and then
    // waits, and WaitForPexa shows the prompt only once the wait is armed.
    std::string output(const std::string &expected) const {
        const size_t tail = std::min<size_t>(40, expected.size());
        std::string text;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(20)) {
            std::ifstream file(path_);
            std::ostringstream read;
            read << file.rdbuf();
            text = read.str();
            if (text.size() >= tail &&
                text.compare(text.size() - tail, tail, expected, expected.size() - tail) == 0)
                break;
        }
        return text;
    }
    // The exit code once it has ended, or -1 while it still runs after
    // timeoutMs.
    int exitCode(int timeoutMs = 10000) const {
        DWORD code = DWORD(-1);
        if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        GetExitCodeProcess(pi_.hProcess, &code);
        return int(code);
    }

  private:
    std::string path_;
    PROCESS_INFORMATION pi_ = {};
    bool started_ = false;
};

// A pixel of about this hue: the channels that are full in hue are bright,
// the others well below them (lighting scales a colour, it keeps its hue).
bool OfHue(uint32_t c, uint32_t hue) {
    int lowestOn = 255, highestOff = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int v = (c >> shift) & 0xFF;
        if ((hue >> shift) & 0xFF)
            lowestOn = std::min(lowestOn, v);
        else
            highestOff = std::max(highestOff, v);
    }
    return lowestOn >= 90 && highestOff * 2 < lowestOn;
}

// The hues that no pixel of the capture shows, as "#RRGGBB " each (a few
// pixels must, so that edges blended with the background do not count).
std::string MissingHues(const Capture &c, const std::vector<uint32_t> &hues) {
    std::string missing;
    for (uint32_t hue : hues)
        if (std::count_if(c.pixels.begin(), c.pixels.end(),
                          [hue](uint32_t p) { return OfHue(p, hue); }) < 12)
            missing += Hex(hue) + " ";
    return missing;
}

// Captures the window until it shows every hue (its first frames drawn), or
// for 10 s; the last capture.
Capture CaptureShowing(HWND hwnd, const std::vector<uint32_t> &hues) {
    Capture c = CaptureClient(hwnd);
    for (DWORD start = GetTickCount();
         (c.empty() || !MissingHues(c, hues).empty()) && GetTickCount() - start < 10000;
         c = CaptureClient(hwnd))
        Sleep(50);
    return c;
}

const uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255),
               kYellow = Rgb(255, 255, 0), kMagenta = Rgb(255, 0, 255), kCyan = Rgb(0, 255, 255),
               kWhite = Rgb(255, 255, 255);

const std::string kGridText =
    "\n This example shows the usage of the object ElevationGrid:\n"
    "\n - It is based on the same object of the 3D format VRML97"
    "\n   and is defined by its x & y dimensions and an array with"
    "\n   heights for each grid point.\n - The object can be smooth or flat shaded."
    "\n - With the crease angle you can set smooth or hard edges.\n";
const char kFirstStep[] = "\n   Crease angle = 50, Press ENTER to continue";

struct ExampleCase {
    const char *program, *title;
    std::string text;           // everything it prints before its first wait
    std::vector<uint32_t> hues; // colours its scene fixes, in its first picture
    // What more it shows or does, before ESC ends it; or null.
    void (*more)(const ExampleRun &run, HWND hwnd, const Capture &first);
};

// clang-format off
const ExampleCase kExamples[] = {
    {"exShortest", " Pexa Window: Shortest Pexa Example",
     "\n This is the shortest possible C programm with Pexa:\n\n\n #include \"pexa.h\""
     "\n void main()\n {  void *w=CreateWind(\"Pexa Window: Shortest Pexa Example\");"
     "\n    Box(NULL,-1,-1,-1, 1,1,1);\n    ShowWind(w);\n    WaitForPexa(KEYHIT,VK_ESCAPE);"
     "\n }\n\n\n\n\n Press ESC to terminate this example.",
     {kWhite},
     [](const ExampleRun &, HWND, const Capture &c) {
         const uint32_t centre = c.at(c.width / 2, c.height / 2);
         EXPECT_GT(Red(centre), 60) << Hex(centre);
         EXPECT_EQ(Red(centre), Blue(centre)) << "grey: a white surface under a white light";
         EXPECT_TRUE(Near(c.at(3, 3), Rgb(0, 0, 0), 10)) << "the corners show the background";
     }},
    {"exNewObject", " Pexa Window: New Object Example",
     "\n This example shows how to extend Pexa:\n\n - Pexa is an open and extendable library."
     "\n - The circle is a new object defined outside of Pexa."
     "\n - With C++ you can define your own object classes"
     "\n   and implement the drawing methods with OpenGL or GDI."
     "\n\n\n\n\n\n\n\n\n Press ESC to terminate this example.",
     {kYellow, kRed, kGreen}, nullptr},
    {"exElevationGrid", " Pexa Window: ElevationGrid Example", kGridText + kFirstStep, {kWhite},
     [](const ExampleRun &run, HWND hwnd, const Capture &smooth) {
         // ENTER steps the crease angle down to 0 (ESC meanwhile is not its
         // key); the last step clears the console and shows the sine grid.
         PostKey(hwnd, VK_ESCAPE);
         Flush(hwnd);
         EXPECT_EQ(run.exitCode(0), -1) << "ESC ended a wait for ENTER";
         std::string expected = kNoConsole + kGridText + kFirstStep;
         for (const char *angle : {"30", "20", "10", " 0"}) {
             PostKey(hwnd, VK_RETURN);
             expected += std::string("\n   Crease angle = ") + angle + ", Press ENTER to continue";
             ASSERT_EQ(run.output(expected), expected);
         }
         Flush(hwnd);
         const Capture flat = CaptureClient(hwnd);
         ASSERT_EQ(smooth.pixels.size(), flat.pixels.size());
         EXPECT_NE(smooth.pixels, flat.pixels) << "crease angle 0 shades every face flat";
         PostKey(hwnd, VK_RETURN);
         expected += "\n This height of this ElevationGrid are calculated\n with the function"
                     " h(x,z) = sin(x*z)\n\n Press ESC to terminate this example";
         EXPECT_EQ(run.output(expected), expected);
         // Colours (h, 0, 1): blue where the height is 0, magenta at the top.
         EXPECT_EQ(MissingHues(CaptureShowing(hwnd, {kBlue, kMagenta}), {kBlue, kMagenta}), "");
     }},
    {"exIndexedFaceSet", " Pexa Window: IndexedFaceSet Example",
     "\n This example shows the usage of the object IndexedFaceSet:\n"
     "\n - It is based on the same object of the 3D format VRML97."
     "\n - You can create with it an object of any kind of form\n   color and shade."
     "\n - It therefore uses three arrays with vertices, colors"
     "\n   and normal vectors referenced by indexes.\n\n\n\n\n\n"
     "\n Press ESC to terminate this example",
     {kYellow, kBlue, kMagenta}, nullptr},
    {"exLight", " Pexa Window: Light example",
     "\n This example shows the light capabilities of Pexa:\n"
     "\n - Up to 8 light sources can be used at once."
     "\n - You can set parameters for the ambient, diffuse and\n   specular light components."
     "\n - You can set position and direction as well as the light"
     "\n   type directional, point or spot light."
     "\n - You can set these parameters by program or with"
     "\n   the light setting dialog (see context menu).\n\n\n"
     "\n Try the different slide bars in the light setting dialog\n"
     "\n Press ESC to terminate this example",
     {kRed, kGreen, kBlue},
     [](const ExampleRun &, HWND, const Capture &) {
         HWND dialog = FindWindowByTitle(" Light Setting:  Pexa Window: Light example", 5000);
         EXPECT_TRUE(dialog && IsWindowVisible(dialog)) << "the light dialog opens beside it";
     }},
    {"exColorCube", " Pexa Window: ColorCube example",
     "\n This example shows some 3D color capabilities:\n"
     "\n - The 3D objects LineCol, TriangleCol, TetragonCol and"
     "\n   IndexedFaceSet can set a different color per vertex."
     "\n - You need at least 16 bit color depth (65536 colors)."
     "\n\n\n\n\n\n\n\n\n\n Press ESC to terminate this example.",
     {kMagenta, kYellow, kCyan, kRed}, nullptr},
    {"exQuadric", " Pexa Window: Quadric example",
     "\n This example shows 3D objects with model transformation:\n"
     "\n - There are 4 volume objects available in Pexa: \n   Spheres, Cylinders, Boxes and Disks."
     "\n - All objects can be positioned (translated), rotated"
     "\n   and scaled before they are rendered."
     "\n - The yello egg is a scaled sphere and the blue background"
     "\n   is a sphere seen from the inside (try shade mode FLAT).\n\n\n\n"
     "\n\n\n Press ESC to terminate this example.",
     {kYellow, kRed, kMagenta},
     [](const ExampleRun &, HWND, const Capture &c) {
         const uint32_t corner = c.at(3, 3); // the lilac sphere, not the black clear colour
         EXPECT_TRUE(Blue(corner) > 40 && Blue(corner) > Green(corner)) << Hex(corner);
     }},
    {"exPrimitive", " Pexa Window: Primitive Example",
     "\n This example shows the usages of the Primitive object:\n"
     "\n - An array of points can be interpreted as \n   points, lines, a line strip, a line loop,"
     "\n   triangles, a triangle strip, a triangle fan,"
     "\n   quads, a quad strip and polygones.\n\n\n\n\n\n\n\n"
     "\n Press ESC to terminate this example.",
     {kRed, kGreen, kBlue, kYellow, kMagenta, kCyan, kWhite}, nullptr},
    {"exMultiWindow", " Pexa Window: 1",
     "\n This example shows how to create multiple Pexa windows.\n"
     "\n - The number of Pexa windows is only limited\n   by the resources of your computer."
     "\n - Pexa windows style can be set individually.\n - Pexa windows can have a status bar."
     "\n - Pexa windows have their own light and view dialog.\n\n\n\n\n\n\n"
     "\n Press ESC to terminate this example.",
     {kWhite, kRed, kGreen},
     [](const ExampleRun &run, HWND first, const Capture &) {
         // A sphere in lines (with a status bar), faceted, and smooth in a
         // window without frame: bright pixels, and how many colours they have.
         HWND w[3] = {first, FindWindowByTitle(" Pexa Window: 2"),
                      FindWindowByTitle(" Pexa Window: 3")};
         size_t bright[3], colours[3];
         for (int i = 0; i < 3; ++i) {
             std::vector<uint32_t> lit;
             for (uint32_t p : CaptureShowing(w[i], {kWhite, kRed, kGreen}).pixels)
                 if (Red(p) > 60 && Green(p) > 60 && Blue(p) > 60) lit.push_back(p);
             std::sort(lit.begin(), lit.end());
             bright[i] = lit.size();
             colours[i] = size_t(std::unique(lit.begin(), lit.end()) - lit.begin());
         }
         EXPECT_LT(bright[0] * 2, bright[2]) << "window 1 draws the sphere's lines only";
         EXPECT_LT(colours[1] * 2, colours[2]) << "window 2 shades each face flat, window 3 smooth";
         // Another process's status bar answers the length of its text (its
         // text would need a buffer in that process).
         HWND bar = FindWindowExA(w[0], nullptr, "msctls_statusbar32", nullptr);
         EXPECT_EQ(LOWORD(SendMessageA(bar, WM_USER + 3 /* SB_GETTEXTLENGTHA */, 0, 0)),
                   strlen("This is status text"));
         EXPECT_EQ(FindWindowExA(w[1], nullptr, "msctls_statusbar32", nullptr), nullptr);
         EXPECT_EQ(GetWindowLongA(w[2], GWL_STYLE) & (WS_POPUP | WS_CAPTION), LONG(WS_POPUP));
         PostKey(w[2], VK_ESCAPE);
         EXPECT_EQ(run.exitCode(), 0) << "ESC in any of its windows ends it";
     }},
};
// clang-format on

void PrintTo(const ExampleCase &e, std::ostream *os) {
    *os << e.program;
}

class Examples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(Examples, PrintTheirTextShowTheirSceneAndEndWithEscape) {
    const ExampleCase &e = GetParam();
    ExampleRun run(e.program);
    ASSERT_TRUE(run.started());
    HWND hwnd = FindWindowByTitle(e.title, 20000);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(run.output(e.text), kNoConsole + e.text);
    Capture c = CaptureShowing(hwnd, e.hues);
    ASSERT_FALSE(c.empty());
    const std::string saved = BinPath(e.program + std::string(".bmp"));
    EXPECT_EQ(MissingHues(c, e.hues), "") << "colours missing from the scene; it is in " << saved;
    if (e.more) e.more(run, hwnd, c);
    if (::testing::Test::HasFailure()) SaveCapture(c, saved);
    PostKey(hwnd, VK_ESCAPE);
    EXPECT_EQ(run.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(All, Examples, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<ExampleCase> &info) {
                             return std::string(info.param.program);
                         });

// A program's own object class, as a program writes it against pexa.h.
class cCircle : public cObj {
  public:
    cCircle(float radius, int segments) : cObj(0), radius(radius), segments(segments) {}
    void Draw() override {
        glBegin(GL_LINE_LOOP);
        float s = 2.0f * 3.14159265f / float(segments);
        for (float a = 0; a <= 2.0f * 3.14159265f; a += s)
            glVertex2d(radius * std::sin(a), radius * std::cos(a));
        glEnd();
    }
    void DrawExtra() override {}
    float radius;
    int segments;
};

cObj *Circle(cObj *obj, float radius, int segments) {
    if (obj) {
        if (obj->typeId != 0) return nullptr;
        static_cast<cCircle *>(obj)->radius = radius;
        static_cast<cCircle *>(obj)->segments = segments;
        return obj;
    }
    cCircle *circle = new cCircle(radius, segments);
    SendPexaMsg(1025, reinterpret_cast<WPARAM>(static_cast<cObj *>(circle)), 0);
    return circle;
}

TEST_F(SceneTest, ProgramDefinedCircleDrawsInTheCurrentColour) {
    Disable(NULL, 1);
    cObj *axis = Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    ColorRGB(NULL, 1, 1, 0);
    cObj *circle = Circle(NULL, 1, 17);
    EXPECT_EQ(Circle(axis, 2, 5), nullptr);
    Capture c = Frame();
    // The circle starts at the top, (0, radius).
    int top = -1;
    for (int y = 0; y < c.height / 2; ++y)
        if (Near(c.at(c.width / 2, y), Rgb(255, 255, 0), 30)) {
            top = y;
            break;
        }
    ASSERT_GE(top, 0);
    EXPECT_EQ(Circle(circle, 0.5f, 17), circle);
    Capture smaller = Frame();
    EXPECT_FALSE(Near(smaller.at(c.width / 2, top), Rgb(255, 255, 0), 30));
}

} // namespace
