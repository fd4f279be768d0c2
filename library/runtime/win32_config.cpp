// Where "pexa16.ini" lives: the current directory's file wins, the Windows
// directory's is the fallback, and where neither exists the default file is
// written into the Windows directory for the user to edit.
#include <windows.h>

#include <cstdio>
#include <string>

#include "scene/config_file.h"
#include "platform/win32_messages.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

std::string InDirectory(DWORD (*directory)(char *, UINT)) {
    char buffer[MAX_PATH] = {};
    const UINT length = directory(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::string(buffer) + "\\" + kConfigFileName;
}

DWORD CurrentDirectory(char *buffer, UINT size) {
    return GetCurrentDirectoryA(size, buffer);
}
DWORD WindowsDirectory(char *buffer, UINT size) {
    return GetWindowsDirectoryA(buffer, size);
}

// The whole file; false when it cannot be opened. Text mode: line ends
// arrive as "\n".
bool ReadWhole(const std::string &path, std::string &text) {
    if (path.empty()) return false;
    FILE *file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    std::fclose(file);
    return true;
}

void WriteDefaults(const std::string &path, const WindowConfig &config) {
    std::string text;
    FormatConfig(config, text);
    FILE *file = path.empty() ? nullptr : std::fopen(path.c_str(), "w");
    if (!file) {
        ConsoleMessage(kConfigSaveFailed);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

} // namespace

void LoadConfiguration(cWind *w) {
    const WindowConfig config{w->view, w->render, w->overlay, w->pick};
    ConfigDefaults(config);
    std::string text;
    if (ReadWhole(InDirectory(CurrentDirectory), text) ||
        ReadWhole(InDirectory(WindowsDirectory), text))
        ParseConfig(text.data(), text.size(), config);
    else
        WriteDefaults(InDirectory(WindowsDirectory), config);
}

} // namespace pexa
