// Implementation of the shared Wine test helpers (see pexa_test.h).
#include "support/pexa_test.h"

#include <winternl.h>

#include <cstdio>
#include <cstdlib>

namespace pexatest {

namespace {
// Caption, text and owner of a message box window.
CaughtBox ReadBox(HWND box) {
    CaughtBox caught;
    char buf[2048] = {};
    GetWindowTextA(box, buf, sizeof buf);
    caught.caption = buf;
    buf[0] = 0;
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
    caught.text = buf;
    caught.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    return caught;
}
} // namespace

namespace {
thread_local MessageBoxCatcher *activeCatcher = nullptr;
}

MessageBoxCatcher::MessageBoxCatcher(int answer) : answer_(answer) {
    previous_ = activeCatcher;
    activeCatcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, &MessageBoxCatcher::hook, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    activeCatcher = previous_;
}

std::vector<std::string> MessageBoxCatcher::texts() const {
    std::vector<std::string> out;
    for (const auto &box : boxes_)
        out.push_back(box.text);
    return out;
}

LRESULT CALLBACK MessageBoxCatcher::hook(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxCatcher *self = activeCatcher;
    if (code == HCBT_ACTIVATE && self) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[64] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            self->boxes_.push_back(ReadBox(box));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->answer_, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

CaughtBox AnswerBoxOfAnotherThread(const char *caption, int answer, int timeoutMs) {
    CaughtBox caught;
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); !box && int(GetTickCount() - start) < timeoutMs; Sleep(5))
        box = FindWindowA("#32770", caption);
    if (!box) return caught;
    // The text may be set just after the window appears.
    for (int i = 0; i < 100 && !GetWindowTextLengthA(GetDlgItem(box, 0xFFFF)); ++i)
        Sleep(5);
    caught = ReadBox(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return caught;
}

Capture CaptureClient(HWND hwnd) {
    Capture cap;
    RECT rc;
    if (!GetClientRect(hwnd, &rc)) return cap;
    cap.width = rc.right - rc.left;
    cap.height = rc.bottom - rc.top;
    if (cap.width <= 0 || cap.height <= 0) return cap;
    HDC wdc = GetDC(hwnd);
    HDC mdc = CreateCompatibleDC(wdc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cap.width;
    bi.bmiHeader.biHeight = -cap.height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mdc, bmp);
    BitBlt(mdc, 0, 0, cap.width, cap.height, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    cap.pixels.resize(size_t(cap.width) * cap.height);
    const uint32_t *src = static_cast<const uint32_t *>(bits);
    for (size_t i = 0; i < cap.pixels.size(); ++i)
        cap.pixels[i] = src[i] & 0xFFFFFF;
    SelectObject(mdc, old);
    DeleteObject(bmp);
    DeleteDC(mdc);
    ReleaseDC(hwnd, wdc);
    return cap;
}

bool SaveCapture(const Capture &c, const std::string &path) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = c.width;
    info.biHeight = -c.height; // top-down, as captured
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = DWORD(c.pixels.size() * 4);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 &&
              std::fwrite(&info, sizeof info, 1, f) == 1 &&
              std::fwrite(c.pixels.data(), 1, bytes, f) == bytes;
    return std::fclose(f) == 0 && ok;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    return std::abs(Red(a) - Red(b)) <= tolerance && std::abs(Green(a) - Green(b)) <= tolerance &&
           std::abs(Blue(a) - Blue(b)) <= tolerance;
}

std::string Hex(uint32_t c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(c & 0xFFFFFF));
    return text;
}

static LPARAM KeyData(int virtualKey) {
    return 1 | (LPARAM(MapVirtualKeyA(virtualKey, 0)) << 16);
}

void PostKey(HWND hwnd, int virtualKey) {
    PostMessageA(hwnd, WM_KEYDOWN, virtualKey, KeyData(virtualKey));
    if (MapVirtualKeyA(virtualKey, 2 /* MAPVK_VK_TO_CHAR */) == 0) PostKeyUp(hwnd, virtualKey);
}

void PostKeyUp(HWND hwnd, int virtualKey) {
    PostMessageA(hwnd, WM_KEYUP, virtualKey,
                 KeyData(virtualKey) | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

void PostMouseMove(HWND hwnd, int x, int y, WPARAM buttons) {
    PostMessageA(hwnd, WM_MOUSEMOVE, buttons, MAKELPARAM(x, y));
}

static UINT ButtonMessage(int button, bool down) {
    switch (button) {
    case 2:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    case 3:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

static WPARAM ButtonFlag(int button) {
    return button == 2 ? MK_MBUTTON : button == 3 ? MK_RBUTTON : MK_LBUTTON;
}

void PostButtonDown(HWND hwnd, int button, int x, int y) {
    PostMessageA(hwnd, ButtonMessage(button, true), ButtonFlag(button), MAKELPARAM(x, y));
}

void PostButtonUp(HWND hwnd, int button, int x, int y) {
    PostMessageA(hwnd, ButtonMessage(button, false), 0, MAKELPARAM(x, y));
}

void Flush(HWND hwnd) {
    // Sent messages overtake posted ones, so a plain SendMessage proves
    // nothing. Post a marker behind the input instead: a small-icon change
    // that the default window procedure carries out, and poll for it.
    // Two rounds: messages posted while the first ones are handled (the
    // WM_CHAR of a key) are covered too.
    static int turn = 0;
    for (int round = 0; round < 2; ++round) {
        HICON marker = LoadIconA(nullptr, (turn++ & 1) ? IDI_ASTERISK : IDI_EXCLAMATION);
        PostMessageA(hwnd, WM_SETICON, ICON_SMALL, LPARAM(marker));
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 5000) {
            DWORD_PTR icon = 0;
            if (!SendMessageTimeoutA(hwnd, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, 5000, &icon))
                return;
            if (HICON(icon) == marker) break;
            Sleep(1);
        }
    }
}

int GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
    // The table the process environment block points to: 65536 entries of
    // 24 bytes (kernel address, owner, unique, type, user address).
    struct Entry {
        ULONGLONG object;
        USHORT owner, count, unique;
        UCHAR type, flags;
        ULONGLONG user;
    };
    static_assert(sizeof(Entry) == 24, "GDI handle table entry");
    const BYTE *peb = reinterpret_cast<const BYTE *>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const size_t offset = sizeof(void *) == 8 ? 0xF8 : 0x94; // GdiSharedHandleTable
    const Entry *table = *reinterpret_cast<const Entry *const *>(peb + offset);
    if (!table) return 0;
    int n = 0;
    for (int i = 0; i < 0x10000; ++i)
        n += table[i].type != 0;
    return n;
}

HWND FindWindowByTitle(const char *title, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND w = FindWindowA(nullptr, title);
        if (w || int(GetTickCount() - start) > timeoutMs) return w;
        Sleep(10);
    }
}

int RunProgram(const std::string &commandLine, int timeoutMs, const std::string &output) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = output.empty() ? INVALID_HANDLE_VALUE
                                : CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                              &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = out;
    }
    const BOOL started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr,
                                        out != INVALID_HANDLE_VALUE, 0, nullptr, nullptr, &si, &pi);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (!started) return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 255);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}

std::string TempPath(const std::string &name) {
    char buf[MAX_PATH] = {};
    GetTempPathA(sizeof buf, buf);
    char unique[32];
    std::snprintf(unique, sizeof unique, "pexa%lu_", GetCurrentProcessId());
    return std::string(buf) + unique + name;
}

} // namespace pexatest
