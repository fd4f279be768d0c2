// Helpers shared by the Wine-run tests: catching the library's message boxes,
// reading back what a window shows, and feeding input to a scene window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pexatest {

// One message box seen by a MessageBoxCatcher.
struct CaughtBox {
    std::string caption;
    std::string text;
    bool hasOwner = false;
};

// Catches every MessageBoxA shown on the calling thread while it lives: a
// thread CBT hook records caption and text and closes the box by "pressing"
// the button given (IDOK, IDCANCEL, IDYES, ...). Boxes on other threads are
// not seen.
class MessageBoxCatcher {
  public:
    explicit MessageBoxCatcher(int answer = IDOK);
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher &) = delete;
    MessageBoxCatcher &operator=(const MessageBoxCatcher &) = delete;

    void setAnswer(int answer) { answer_ = answer; }
    const std::vector<CaughtBox> &boxes() const { return boxes_; }
    // Texts of the boxes caught so far, in order.
    std::vector<std::string> texts() const;
    void clear() { boxes_.clear(); }

  private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_ = nullptr;
    int answer_;
    std::vector<CaughtBox> boxes_;
    MessageBoxCatcher *previous_ = nullptr;
};

// A message box shown by another thread (the library thread's boxes, which
// a thread hook cannot see): waits up to timeoutMs for a box with this
// caption, reads it and answers it. An empty caption when none came.
CaughtBox AnswerBoxOfAnotherThread(const char *caption, int answer, int timeoutMs = 5000);

// The client area of a window as 0x00RRGGBB pixels, row 0 at the top.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool empty() const { return pixels.empty(); }
};

// Copies what the window shows (OpenGL image and GDI overlay) with BitBlt.
Capture CaptureClient(HWND hwnd);
// Writes the capture as a 32-bit BMP file (to look at after a failure).
bool SaveCapture(const Capture &c, const std::string &path);

inline int Red(uint32_t c) {
    return (c >> 16) & 0xFF;
}
inline int Green(uint32_t c) {
    return (c >> 8) & 0xFF;
}
inline int Blue(uint32_t c) {
    return c & 0xFF;
}
inline uint32_t Rgb(int r, int g, int b) {
    return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}
// True when every channel differs by at most tolerance.
bool Near(uint32_t a, uint32_t b, int tolerance = 8);
// For failure messages: "#RRGGBB".
std::string Hex(uint32_t c);

// Input, posted to the window's queue the way the system would deliver it.
// A key press posts WM_KEYDOWN; the window's message loop translates it into
// WM_CHAR as for real input. Keys without a character also post their
// WM_KEYUP (a character key's release would arrive after its WM_CHAR).
void PostKey(HWND hwnd, int virtualKey);
void PostKeyUp(HWND hwnd, int virtualKey);
void PostMouseMove(HWND hwnd, int x, int y, WPARAM buttons = 0);
void PostButtonDown(HWND hwnd, int button, int x, int y); // button 1 left, 2 middle, 3 right
void PostButtonUp(HWND hwnd, int button, int x, int y);

// Waits until every message posted to the window so far has been handled
// (posts a marker behind them and polls for its effect).
void Flush(HWND hwnd);

// GDI objects the process holds: GetGuiResources, or where that answers 0
// (Wine) the entries in use of the process's GDI handle table.
int GdiObjectCount();

// Top-level window with this exact title, or 0 after timeoutMs.
HWND FindWindowByTitle(const char *title, int timeoutMs = 2000);

// Runs a program from the test binary's folder, waits for it to end (up to
// timeoutMs) and returns its exit code, or -1 when it could not be started or
// did not end. With output, its standard output and error go to that file.
int RunProgram(const std::string &commandLine, int timeoutMs = 20000,
               const std::string &output = "");

// A temporary file path inside the test's own folder, removed by the caller.
std::string TempPath(const std::string &name);

} // namespace pexatest
