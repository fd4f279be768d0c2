// The example programs and a program-defined object class, run as a user
// would run them.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

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

// One example program, its output in a file that the test reads while the
// program runs; ended (if still running) by the destructor.
struct ExampleRun {
    explicit ExampleRun(const std::string &program) : path(TempPath(program + ".txt")) {
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &sa, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = out;
        std::string cmd = "\"" + BinPath(program + ".exe") + "\"";
        CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &si, &pi); // not started: no window is found
        CloseHandle(out);
    }
    ~ExampleRun() {
        if (exitCode(0) == -1) TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        DeleteFileA(path.c_str());
    }
    // What it printed (read as text: "\r\n" is "\n" again) once that ends as
    // expected does, or after 20 s: the program prints its prompt and then
    // waits, and WaitForPexa shows the prompt only once the wait is armed.
    std::string output(const std::string &expected) const {
        const size_t tail = std::min<size_t>(40, expected.size());
        std::string text;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(20)) {
            std::ifstream file(path);
            text.assign(std::istreambuf_iterator<char>(file), {});
            if (text.size() >= tail &&
                text.compare(text.size() - tail, tail, expected, expected.size() - tail) == 0)
                break;
        }
        return text;
    }
    // The exit code, or -1 while it still runs after timeoutMs.
    int exitCode(int timeoutMs = 10000) const {
        DWORD code = DWORD(-1);
        if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        return int(code);
    }

    std::string path;
    PROCESS_INFORMATION pi = {};
};

// The hues that fewer than 12 pixels show (edges blended with the background
// do not count), as "#RRGGBB " each. A pixel is of a hue when the channels
// full in the hue are bright and the others well below them: lighting scales
// a colour, it keeps its hue.
std::string MissingHues(const Capture &c, const std::vector<uint32_t> &hues) {
    std::string missing;
    for (uint32_t hue : hues) {
        int shown = 0;
        for (uint32_t p : c.pixels) {
            int lowestOn = 255, highestOff = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int v = (p >> shift) & 0xFF;
                if ((hue >> shift) & 0xFF)
                    lowestOn = std::min(lowestOn, v);
                else
                    highestOff = std::max(highestOff, v);
            }
            shown += lowestOn >= 90 && highestOff * 2 < lowestOn;
        }
        if (shown < 12) missing += Hex(hue) + " ";
    }
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
     [](const ExampleRun &run, HWND hwnd, const Capture &) {
         // ENTER steps the crease angle down to 0; the last step clears the
         // console and shows the sine grid.
         std::string expected = kNoConsole + kGridText + kFirstStep;
         for (const char *angle : {"30", "20", "10", " 0"}) {
             PostKey(hwnd, VK_RETURN);
             expected += std::string("\n   Crease angle = ") + angle + ", Press ENTER to continue";
             ASSERT_EQ(run.output(expected), expected);
         }
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
     {kRed, kGreen, kBlue}, nullptr},
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
     [](const ExampleRun &run, HWND, const Capture &) {
         // Its other windows show their spheres too; ESC in any of them ends it.
         const std::vector<uint32_t> hues = {kWhite, kRed, kGreen};
         HWND third = FindWindowByTitle(" Pexa Window: 3");
         for (HWND w : {FindWindowByTitle(" Pexa Window: 2"), third})
             EXPECT_EQ(MissingHues(CaptureShowing(w, hues), hues), "");
         PostKey(third, VK_ESCAPE);
         EXPECT_EQ(run.exitCode(), 0);
     }},
    {"exPictures", " Pexa Window: Pictures example",
     "\n This example makes pictures of its scene from code:\n"
     "\n - DIBfromScene draws the scene at any size, also larger"
     "\n   than the window or the screen, as the window shows it."
     "\n - GIFAnimBegin, GIFAnimAdd and GIFAnimEnd put pictures"
     "\n   together into an animated GIF.\n"
     "\n Wrote scene.bmp, 1920 x 1080 pixels."
     "\n Wrote turn.gif, 36 frames of 320 x 240 pixels.\n\n\n"
     "\n Press ESC to terminate this example.",
     {kRed, kGreen, kYellow},
     [](const ExampleRun &, HWND, const Capture &) {
         // The files it wrote, in its current folder (the test's).
         HGLOBAL scene = ReadDIB("scene.bmp");
         ASSERT_NE(scene, nullptr);
         EXPECT_EQ(GetDIBWidth(scene), 1920);
         EXPECT_EQ(GetDIBHeight(scene), 1080);
         GlobalFree(scene);
         EXPECT_EQ(IsGIFFile("turn.gif"), 1);
         DeleteFileA("scene.bmp");
         DeleteFileA("turn.gif");
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
    HWND hwnd = FindWindowByTitle(e.title, 20000);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(run.output(e.text), kNoConsole + e.text);
    Capture c = CaptureShowing(hwnd, e.hues);
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(MissingHues(c, e.hues), "") << "colours missing from the scene";
    if (e.more) e.more(run, hwnd, c);
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
