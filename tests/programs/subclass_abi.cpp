// subclass_abi: scene object classes of the program's own, built alike by
// g++ (GCC's C++ ABI) and by clang for *-windows-msvc (Microsoft's). Prints
// what the library did with them and exits 0 when the library drew the
// object through its Draw (a red square at the window's centre), destroyed
// it through its destructor on ClearList, and drew objects of the program's
// with the type ids of the library's groups (1007) and Use objects (1020).
// Uses no C runtime: the MSVC build links a few lines of stand-in. The g++
// build is compiled with -pedantic-errors.
#include "pexa.h"

namespace {

int draws, destroyed, groupDraws, useDraws;

class cSquare : public cObj {
  public:
    explicit cSquare(int id) : cObj(id) {}
    ~cSquare() { ++destroyed; }
    void Draw() {
        ++(typeId == 1007 ? groupDraws : typeId == 1020 ? useDraws : draws);
        glDisable(GL_LIGHTING);
        glColor3f(1, 0, 0);
        glBegin(GL_QUADS);
        glVertex3f(-1, -1, 0);
        glVertex3f(1, -1, 0);
        glVertex3f(1, 1, 0);
        glVertex3f(-1, 1, 0);
        glEnd();
    }
    void DrawExtra() {}
};

void Say(const char *format, int value) {
    char line[128];
    DWORD written;
    const int length = wsprintfA(line, format, value);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, DWORD(length), &written, NULL);
}

// The red channel at the centre of what the current window shows.
int CentreRed() {
    HGLOBAL dib = DIBfromWind();
    if (!dib) return -1;
    const BITMAPINFOHEADER *h = static_cast<const BITMAPINFOHEADER *>(GlobalLock(dib));
    const LONG stride = (h->biWidth * 3 + 3) & ~3;
    const BYTE *pixel =
        reinterpret_cast<const BYTE *>(h + 1) + h->biHeight / 2 * stride + h->biWidth / 2 * 3;
    const int red = pixel[2];
    GlobalUnlock(dib);
    GlobalFree(dib);
    return red;
}

void Insert(cObj *obj, void *w) {
    SendPexaMsg(PEXA_MSG_INSERT_3D, reinterpret_cast<WPARAM>(obj), 0);
    RefreshWind(w);
}

} // namespace

int main() {
    void *w = CreateWind(" subclass abi", 200, 200, 4, 240, NULL, 0, WS_OVERLAPPEDWINDOW);
    ShowWind(w);
    ViewpointAdd((char *)"front", NULL); // a string literal where the library only reads
    Insert(new cSquare(0), w);
    const int red = CentreRed();
    Say("Draw reached: %d", draws);
    Say(", red at the centre: %d\r\n", red);
    ClearList();
    const int cleared = destroyed;
    Say("destructor run by ClearList: %d", cleared);
    Say(", Draw reached: %d\r\n", draws);
    Insert(new cSquare(1007), w);
    Say("type 1007 drawn: %d\r\n", groupDraws);
    Insert(new cSquare(1020), w);
    Say("type 1020 drawn: %d\r\n", useDraws);
    DeleteWind(w);
    return draws > 0 && red > 200 && cleared == 1 && groupDraws > 0 && useDraws > 0 ? 0 : 1;
}
