// The program's console (ResetConsole): its window gets a title, is cleared,
// sized, given a buffer and placed, and its geometry is recorded in the
// console settings of the registry so that it opens the same way next time.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "pexa.h"
#include "scene/console_settings.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"

using namespace pexa;

namespace {

void RecordInRegistry(const ConsoleGeometry &g) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string name = ConsoleKeyName(startup.lpTitle);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        ConsoleMessage("\n\a Registration of console failed !");
        return;
    }
    auto set = [key](const char *value, uint32_t data) {
        DWORD dword = data;
        RegSetValueExA(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&dword),
                       sizeof dword);
    };
    set("WindowPosition", PackConsoleValue(g.x, g.y));
    set("WindowSize", PackConsoleValue(g.width, g.height));
    set("ScreenBufferSize", PackConsoleValue(g.bufferWidth, g.bufferHeight));
    RegFlushKey(key);
    RegCloseKey(key);
}

// Window, buffer, position: each step only after the one before succeeded.
void PlaceConsole(const ConsoleGeometry &g) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    SMALL_RECT window = {0, 0, SHORT(g.width - 1), SHORT(g.height - 1)};
    if (!SetConsoleWindowInfo(out, TRUE, &window)) {
        ConsoleMessage("\n Resizing console failed !\n");
        return;
    }
    COORD buffer = {SHORT(g.bufferWidth), SHORT(g.bufferHeight)};
    if (!SetConsoleScreenBufferSize(out, buffer)) {
        ConsoleMessage("\n Resetting console buffer failed !\n");
        return;
    }
    if (lib.hConsoleWnd && !SetWindowPos(lib.hConsoleWnd, nullptr, g.x, g.y, 0, 0,
                                         SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW)) {
        char text[80];
        // The whole handle, also on 64-bit Windows.
        std::snprintf(
            text, sizeof text, "\n Resetting console position failed! hConsole:%llX\n",
            static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(lib.hConsoleWnd)));
        ConsoleMessage(text);
    }
}

} // namespace

namespace pexa {

void ResetProgramConsole(const char *title, int x, int y, int width, int height, int bufferWidth,
                         int bufferHeight) {
    const ConsoleGeometry g = ConsoleGeometryFor(x, y, width, height, bufferWidth, bufferHeight);
    if (title) SetConsoleTitleA(title);
    // Clearing runs the command interpreter, which a program without a
    // console (a GUI parent) would get a console window of its own for.
    if (GetConsoleWindow()) std::system("cls");
    // platformId is known once the library has started (the first CreateWind).
    if (lib.platformId != VER_PLATFORM_WIN32_NT) return;
    PlaceConsole(g);
    // Recorded even when placing failed: the console opens that way next time.
    RecordInRegistry(g);
}

} // namespace pexa
