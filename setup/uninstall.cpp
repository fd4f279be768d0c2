// Uninstall: undoes what setup did from this folder. Removes the folder's
// record from the registry (the two values, then the keys that setup created
// and that are empty now) and, from the system directory, the DLLs that setup
// copied there: those named like the pexab*.dll and pexav*.dll files in this
// folder's pexaExamples.
#include <windows.h>

#include <conio.h>

#include <cstdio>
#include <string>

#include "dll_names.h"

namespace {

const char *const kKeys[] = {"Software\\Brellan Software\\Pexa\\PexaPath",
                             "Software\\Brellan Software\\Pexa", "Software\\Brellan Software"};

// 1 RETURN, 0 ESC or no console to read a key from.
bool Confirmed() {
    for (;;) {
        const int key = _getch();
        if (key == 0 || key == 224) { // a two-code key (function, cursor) counts as one
            _getch();
            continue;
        }
        if (key == 13) return true;
        if (key == 27 || key == EOF) return false;
    }
}

// The record of this folder: the key holds "PexaPath" equal to install.
bool RecordIsOurs(const std::string &install) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeys[0], 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH, type = 0;
    const bool ours = RegQueryValueExA(key, "PexaPath", nullptr, &type,
                                       reinterpret_cast<BYTE *>(value), &size) == ERROR_SUCCESS &&
                      type == REG_SZ && install == value;
    RegCloseKey(key);
    return ours;
}

void RemoveRecord() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeys[0], 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "PexaDocuPath");
        RegDeleteValueA(key, "PexaPath");
        RegCloseKey(key);
    }
    // Innermost first; a key that still holds anything stays.
    for (const char *name : kKeys) {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, name, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) break;
        DWORD subkeys = 1, values = 1;
        RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr);
        RegCloseKey(k);
        if (subkeys || values || RegDeleteKeyA(HKEY_LOCAL_MACHINE, name) != ERROR_SUCCESS) break;
    }
    std::printf("\n\tRegistry entry removed.");
}

} // namespace

int main() {
    char current[MAX_PATH] = {}, system[MAX_PATH] = {};
    const DWORD currentLength = GetCurrentDirectoryA(MAX_PATH, current);
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    if (currentLength == 0 || currentLength >= MAX_PATH || systemLength == 0 ||
        systemLength >= MAX_PATH)
        return 1;
    const std::string install = std::string(current) + "\\";
    const std::string examples = install + "pexaExamples\\";

    std::printf("\n Pexa Uninstall");
    std::printf("\n **************\n");
    std::printf("\n This program removes what the Pexa Setup program wrote:\n");
    std::printf("\n - the path of this Pexa folder in the registry,");
    std::printf("\n - the Pexa DLLs in the system directory.\n");
    std::printf("\n The Pexa folder itself stays; delete it yourself.");
    std::printf("\n\n\n Press RETURN to remove Pexa or");
    std::printf("\n Press ESC to keep it.\n\n");
    std::fflush(stdout);
    if (!Confirmed()) {
        std::printf("\n Nothing was removed.\n");
        return 1;
    }

    if (RecordIsOurs(install))
        RemoveRecord();
    else
        std::printf("\n\tThe registry records no Pexa in this folder; it stays as it is.");
    for (const char *pattern : kDllPatterns)
        for (const std::string &name : DllNames(examples, pattern)) {
            const std::string target = std::string(system) + "\\" + name;
            if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
            if (DeleteFileA(target.c_str()))
                std::printf("\n\t%s removed.", target.c_str());
            else
                std::printf("\n\a\t%s could not be removed (in use?).", target.c_str());
        }
    std::printf("\n");
    return 0;
}
