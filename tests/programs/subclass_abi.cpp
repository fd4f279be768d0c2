// subclass_abi: a scene object class of the program's own, built alike by g++
// (GCC's C++ ABI, with -pedantic-errors) and by clang for *-windows-msvc
// (Microsoft's, without its C runtime). Exits 0 when the library drew the
// object through its Draw (a red square at the window's centre), destroyed
// it through its destructor on ClearList, and drew objects of the class with
// the type ids of the library's groups (1007) and Use objects (1020).
#include "pexa.h"

static int draws[3], destroyed;

class cSquare : public cObj {
  public:
    explicit cSquare(int id) : cObj(id) {}
    ~cSquare() { ++destroyed; }
    void Draw() {
        ++draws[typeId == 1007 ? 1 : typeId == 1020 ? 2 : 0];
        glDisable(GL_LIGHTING);
        glColor3f(1, 0, 0);
        glRectf(-1, -1, 1, 1);
    }
    void DrawExtra() {}
};

static void Say(const char *format, int value) {
    char line[128];
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, DWORD(wsprintfA(line, format, value)),
              &written, NULL);
}

int main() {
    const int ids[] = {0, 1007, 1020};
    const char *const said[] = {"Draw reached: %d", "type 1007 drawn: %d\r\n",
                                "type 1020 drawn: %d\r\n"};
    void *w = CreateWind(" subclass abi", 200, 200, 4, 240, NULL, 0, WS_OVERLAPPEDWINDOW);
    ShowWind(w);
    ViewpointAdd("front", NULL); // a string literal where the library only reads
    for (int i = 0; i < 3; ++i) {
        cObj *square = new cSquare(ids[i]);
        SendPexaMsg(PEXA_MSG_INSERT_3D, reinterpret_cast<WPARAM>(square), 0);
        RefreshWind(w);
        Say(said[i], draws[i]);
        if (i > 0) continue;
        const int red = GetRValue(GetPixel(GetHDC(w), 100, 100));
        Say(", red at the centre: %d\r\n", red);
        ClearList();
        Say("destructor run by ClearList: %d\r\n", destroyed);
        if (red < 200 || destroyed != 1) return 1;
    }
    return draws[1] > 0 && draws[2] > 0 ? 0 : 1;
}
