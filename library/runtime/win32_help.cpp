// Help pages (OpenDocu, the menu's Help items, the dialogs' Help buttons):
// they live in the documentation folder that setup records in the registry;
// when a page is not found there the user is asked for the folder, which is
// then recorded.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "runtime/win32_help.h"

#include "pexa.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

const char kPexaKey[] = "Software\\Brellan Software\\Pexa\\PexaPath";

HWND Owner() {
    cWind *w = CurrentWindow();
    return w && !w->tornDown ? w->hwnd() : nullptr;
}

INT_PTR Open(const char *file, const char *folder) {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(Owner(), "open", file, nullptr, folder, SW_SHOW));
}

// The folder of the page the user picks, recorded for next time; empty when
// the dialog failed or was cancelled.
std::string AskForFolder(HKEY key) {
    char path[MAX_PATH] = {}, title[MAX_PATH] = {}, current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner();
    ofn.lpstrFilter = "HTML-File (*.html)\0*.html\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrInitialDir = current;
    ofn.Flags = OFN_SHOWHELP | OFN_OVERWRITEPROMPT;
    if (!GetOpenFileNameA(&ofn)) {
        ConsoleMessage("\n\a Open file dialog failed !");
        return {};
    }
    std::string folder(path, ofn.nFileOffset); // trailing backslash included
    if (key)
        RegSetValueExA(key, "PexaDocuPath", 0, REG_SZ,
                       reinterpret_cast<const BYTE *>(folder.c_str()), DWORD(folder.size() + 1));
    return folder;
}

} // namespace

namespace pexa {

void OpenHelpPage(const char *file) {
    if (!file) return;
    HKEY key = nullptr;
    std::string folder;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPexaKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        char value[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH, type = 0;
        if (RegQueryValueExA(key, "PexaDocuPath", nullptr, &type, reinterpret_cast<BYTE *>(value),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            if (Open(file, value) > 32) {
                RegCloseKey(key);
                return;
            }
        }
        char text[MAX_PATH + 64];
        std::snprintf(text, sizeof text, "\n\n\a The file %s was not found.", file);
        ConsoleMessage(text);
        ConsoleMessage("\n Please open this file in directory: PexaDocuHTML\n");
        folder = AskForFolder(key);
        RegCloseKey(key);
    }
    switch (Open(file, folder.empty() ? nullptr : folder.c_str())) {
    case 0:
        ConsoleMessage("\n\a The operatingsystem is out of memory!");
        break;
    case ERROR_FILE_NOT_FOUND:
        ConsoleMessage("\n\a File not found!");
        break;
    case ERROR_PATH_NOT_FOUND:
        ConsoleMessage("\n\a Path not found!");
        break;
    default:
        break;
    }
}

} // namespace pexa
