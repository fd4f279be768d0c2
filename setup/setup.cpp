// setup: run once from the unpacked distribution folder. Records the folder
// and its help pages in the registry, copies both builds of the library into
// the system directory and offers to start the demonstration batch file.
// Both need administrator rights, which its manifest (setup.rc) asks for; a
// step that fails anyway ends setup with one line giving the system's reason,
// and the system's error code as its exit status.
#include <windows.h>

#include <conio.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "dll_names.h"

namespace {

const char kPexaKey[] = "Software\\Brellan Software\\Pexa\\PexaPath";
const int kEnter = 13, kEscape = 27;

// The next key typed, without echo; -1 when no key can be read (the program
// has no console). A key that arrives as two codes (function and cursor
// keys: 0 or 224, then its code) counts as one key.
int ReadKey() {
    int key = _getch();
    if (key == 0 || key == 224) {
        _getch();
        return 0;
    }
    return key == EOF ? -1 : key;
}

LONG WriteString(HKEY key, const char *name, const std::string &value) {
    // REG_SZ data includes its terminating zero, so that every reader gets
    // a terminated string.
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                          DWORD(value.size() + 1));
}

// Prints "what: the system's reason" on one line and returns code, the exit
// status of a setup that failed.
int Failed(const std::string &what, DWORD code) {
    char reason[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reason, sizeof reason, nullptr);
    while (length > 0 && (reason[length - 1] == '\r' || reason[length - 1] == '\n' ||
                          reason[length - 1] == ' ' || reason[length - 1] == '.'))
        reason[--length] = 0;
    if (length == 0) std::snprintf(reason, sizeof reason, "error %lu", code);
    std::printf("\n\a Setup failed: %s: %s (%lu).\n", what.c_str(), reason, code);
    return int(code);
}

} // namespace

int main() {
    std::printf("\n Welcome to the Pexa Setup program");
    std::printf("\n ********************************\n");
    std::printf("\n This program does two things: \n");
    std::printf("\n - It writes the path of the Pexa folder into the registry.");
    std::printf("\n - It copies the Pexa DLL into the system directory.\n");
    std::printf("\n After using Pexa you can remove these files with");
    std::printf("\n the Uninstall.exe program in the pexa folder.");
    std::printf("\n\n\n Press RETURN to to continue or");
    std::printf("\n Press ESC to abort the setup program.\n\n");
    std::fflush(stdout);

    for (;;) {
        const int key = ReadKey();
        if (key == kEnter) break;
        if (key == kEscape) return 1;
        if (key < 0) {
            std::printf(
                "\n No keys can be read here (no console): setup ends, nothing was changed.\n");
            return 1;
        }
    }

    // Every folder fits the system's path limit, or nothing is recorded.
    char current[MAX_PATH] = {}, system[MAX_PATH] = {};
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    const DWORD currentLength = GetCurrentDirectoryA(MAX_PATH, current);
    const std::string install = std::string(current) + "\\";
    const std::string docu = install + "pexaDocu\\pexaDocuHTML\\";
    const std::string examples = install + "pexaExamples\\";
    if (systemLength == 0 || systemLength >= MAX_PATH || currentLength == 0 ||
        currentLength >= MAX_PATH || docu.size() >= MAX_PATH || examples.size() >= MAX_PATH) {
        std::printf("\n\a The path of this folder is too long: setup ends, nothing was changed.\n");
        return 1;
    }

    const std::string keyName = std::string("HKEY_LOCAL_MACHINE\\") + kPexaKey;
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPexaKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return Failed("cannot create " + keyName, DWORD(result));
    result = WriteString(key, "PexaDocuPath", docu);
    if (result == ERROR_SUCCESS) result = WriteString(key, "PexaPath", install);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return Failed("cannot write " + keyName, DWORD(result));
    std::printf("\n\t1 registry entry written.\n");
    std::fflush(stdout);

    for (const char *pattern : kDllPatterns)
        for (const std::string &name : DllNames(examples, pattern)) {
            const std::string target = std::string(system) + "\\" + name;
            if (!CopyFileA((examples + name).c_str(), target.c_str(), FALSE))
                return Failed("cannot copy " + name + " to " + system, GetLastError());
            std::printf("\n\t%s copied to %s.", name.c_str(), system);
        }

    std::printf("\n\n Press the any key to run the Pexa Demo application: ");
    std::fflush(stdout);
    ReadKey();

    const INT_PTR shown = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", "PexaDemo.bat", nullptr, examples.c_str(), SW_SHOW));
    switch (shown) {
    case 0:
        std::printf("\n\n The operatingsystem is out of memory!");
        break;
    case ERROR_FILE_NOT_FOUND:
        std::printf("\n\n File: deZizerovizo.exe not found!");
        break;
    case ERROR_PATH_NOT_FOUND:
        std::printf("\n\n Path: \\PexaExamples\\ not found!");
        break;
    default:
        break;
    }
    return 0;
}
