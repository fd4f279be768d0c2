// The DLL files of an unpacked Pexa folder that setup copies into the system
// directory and Uninstall removes from there: the pexab*.dll and pexav*.dll
// files of its pexaExamples folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The second build first: the main build is copied last.
const char *const kDllPatterns[] = {"pexab*.dll", "pexav*.dll"};

// Names of the files in folder (ending in a backslash) that match pattern.
inline std::vector<std::string> DllNames(const std::string &folder, const char *pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + pattern).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}
