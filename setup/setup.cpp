// setup: run once from the unpacked distribution folder. Records the folder
// and its help pages in the registry, copies both builds of the library into
// the system directory and offers to start the demonstration batch file.
#include <windows.h>

#include <conio.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

bool WriteString(HKEY key, const char *name, const std::string &value) {
    // REG_SZ data includes its terminating zero, so that every reader gets
    // a terminated string.
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                          DWORD(value.size() + 1)) == ERROR_SUCCESS;
}

// Copies the DLLs named by pattern from the examples folder into the system
// directory; the command interpreter reports its own failures.
void CopyDlls(const std::string &examples, const char *pattern, const std::string &system) {
    const std::string command = "copy \"" + examples + pattern + "\" \"" + system + "\"";
    std::system(command.c_str());
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

    HKEY key = nullptr;
    const LONG opened =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPexaKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (opened != ERROR_SUCCESS) return int(opened);
    WriteString(key, "PexaDocuPath", docu);
    WriteString(key, "PexaPath", install);
    RegCloseKey(key);
    std::printf("\n\t1 registry entry written.\n");
    std::fflush(stdout);

    // The second build first: the main build is copied last.
    CopyDlls(examples, "pexab*.dll", system);
    CopyDlls(examples, "pexav*.dll", system);

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
