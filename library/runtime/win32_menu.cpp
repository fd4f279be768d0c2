// The context menu of a scene window and its commands, the named viewpoints
// (menu items and the requests of ViewpointAdd, ViewpointDel and
// ViewpointSet), the name-entry dialog, and saving the window as a bitmap
// file.
#include "runtime/win32_menu.h"

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <string>

#include "scene/group.h"
#include "pexa.h"
#include "resources/resource_ids.h"
#include "runtime/win32_capture.h"
#include "runtime/win32_dialogs.h"
#include "runtime/win32_help.h"
#include "runtime/win32_events.h"
#include "runtime/win32_library.h"
#include "runtime/win32_navigation.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"
#include "scene/context_menu.h"
#include "scene/viewpoints.h"

namespace pexa {

namespace {

HMENU ViewpointsMenu(cWind *w) {
    HMENU scene = w->os.hMenu ? GetSubMenu(w->os.hMenu, 0) : nullptr;
    return scene ? GetSubMenu(scene, 0) : nullptr;
}

// The "Viewpoints" menu lists exactly the window's viewpoints, in list
// order, above its separator: the items are laid anew from the list.
void SyncViewpointMenu(cWind *w) {
    HMENU menu = ViewpointsMenu(w);
    if (!menu) return;
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        if (int(GetMenuItemID(menu, i)) >= cVPList::kFirstMenuId)
            DeleteMenu(menu, UINT(i), MF_BYPOSITION);
    UINT position = 0;
    for (const cViewpoint *r = w->viewpoints.first(); r; r = r->next)
        InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING, UINT_PTR(r->menuId), r->name);
}

// The name-entry dialog keeps at most 49 characters.
struct NameEntry {
    const char *prompt;
    char name[50];
};

INT_PTR CALLBACK NameEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, PEXA_IDC_INPUT_PROMPT,
                        reinterpret_cast<NameEntry *>(lParam)->prompt);
        return TRUE;
    case WM_COMMAND: {
        auto *entry = reinterpret_cast<NameEntry *>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextA(dialog, PEXA_IDC_INPUT_EDIT, entry->name, sizeof entry->name);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            entry->name[0] = 0;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

// The name the user types, or empty on cancel.
std::string AskName(cWind *w, const char *prompt) {
    NameEntry entry = {prompt, {}};
    DialogBoxParamA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_DLG_INPUT), w->hwnd(), NameEntryProc,
                    reinterpret_cast<LPARAM>(&entry));
    return entry.name;
}

// Adds a viewpoint: from data, or the current view under name (asked from
// the user when both are missing). 1 when added.
LRESULT AddViewpoint(cWind *w, const ViewpointData *data, const char *name) {
    StopNav(w->view);
    std::string asked;
    if (!data && !name) {
        asked = AskName(w, "Enter viewpoint name:");
        if (asked.empty()) return 0;
        name = asked.c_str();
    }
    const ViewpointData record = data ? *data : ViewpointFromView(w->view, name);
    if (!w->viewpoints.add(record)) return 0;
    SyncViewpointMenu(w);
    return 1;
}

LRESULT DeleteViewpoint(cWind *w, const char *name) {
    if (!w->viewpoints.first()) {
        MessageBoxA(w->hwnd(), "No viewpoint to delete.", "Delete Viewpoint", MB_SETFOREGROUND);
        return 0;
    }
    cViewpoint *record = nullptr;
    if (name) {
        record = w->viewpoints.find(name);
    } else if ((record = w->viewpoints.current())) {
        const std::string question =
            std::string("Do you want to delete viewpoint: ") + record->name;
        if (MessageBoxA(w->hwnd(), question.c_str(), "Delete Viewpoint",
                        MB_YESNO | MB_SETFOREGROUND) != IDYES)
            return 0;
    }
    if (!record) return 0;
    w->viewpoints.remove(record);
    SyncViewpointMenu(w);
    return 1;
}

LRESULT SetViewpoint(cWind *w, cViewpoint *record) {
    if (!record) return 0;
    ApplyNavEffects(w, ApplyViewpoint(w->view, *record));
    return 1;
}

// The picture is a frame drawn for it: the context menu that chose the
// command has just closed, and what it covered is not drawn again before
// the command runs.
void SaveBitmap(cWind *w) {
    w->Render();
    HGLOBAL dib = CaptureWindowDIB(w->hwnd(), w->hdc());
    char path[MAX_PATH] = {}, current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = w->hwnd();
    ofn.lpstrFilter = "Bitmap (*.bmp)\0*.bmp\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrInitialDir = current;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    // A name without room for its extension is not written under another name.
    if (dib && GetSaveFileNameA(&ofn) && BitmapFileName(path, sizeof path)) WriteDIB(path, dib);
    if (dib) GlobalFree(dib);
}

bool SceneHasObjects(cWind *w) {
    return w->lists.current3D && !w->lists.current3D->IsEmpty();
}

LRESULT RequestAdd(const Call &c) {
    return AddViewpoint(c.w, reinterpret_cast<const ViewpointData *>(c.wParam),
                        reinterpret_cast<const char *>(c.lParam));
}
LRESULT RequestDelete(const Call &c) {
    return DeleteViewpoint(c.w, reinterpret_cast<const char *>(c.wParam));
}
LRESULT RequestSet(const Call &c) {
    const char *name = reinterpret_cast<const char *>(c.wParam);
    return name ? SetViewpoint(c.w, c.w->viewpoints.find(name)) : 0;
}

const Route kViewpointRequests[] = {
    {PEXA_MSG_VIEWPOINT_ADD, Target::Current, RequestAdd, 0},
    {PEXA_MSG_VIEWPOINT_DEL, Target::Current, RequestDelete, 0},
    {PEXA_MSG_VIEWPOINT_SET, Target::Current, RequestSet, 0},
};
PEXA_ROUTES(kViewpointRequests);

} // namespace

void UpdateMenuChecks(cWind *w) {
    if (!w->os.hMenu) return;
    MenuCheck checks[kMenuCheckCount];
    MenuChecks(w->view, w->render, checks);
    for (const MenuCheck &check : checks)
        CheckMenuItem(w->os.hMenu, UINT(check.command),
                      MF_BYCOMMAND | (check.checked ? MF_CHECKED : MF_UNCHECKED));
}

void AddInitialViewpoint(cWind *w) {
    const ViewpointData first = InitialViewpoint(w->view);
    AddViewpoint(w, &first, nullptr);
}

void ShowContextMenu(cWind *w, int x, int y) {
    if (!w->render.menuEnabled) return;
    if (!w->os.hMenu) {
        w->os.hMenu = LoadMenuA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_MENU));
        UpdateMenuChecks(w);
        SyncViewpointMenu(w);
    }
    HMENU popup = w->os.hMenu ? GetSubMenu(w->os.hMenu, w->lists.has3D ? 0 : 1) : nullptr;
    if (!popup) return;
    POINT p = {x, y};
    ClientToScreen(w->hwnd(), &p);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, p.x, p.y, 0, w->hwnd(), nullptr);
}

void RunMenuCommand(cWind *w, int id) {
    cVPList &viewpoints = w->viewpoints;
    // By id, not by the first..last range: ids are never renumbered (and
    // past the top of the range taken again), so the first record's id can
    // exceed the last's.
    if (id >= cVPList::kFirstMenuId && viewpoints.first()) {
        if (cViewpoint *record = viewpoints.findById(id)) {
            SetViewpoint(w, record);
            return;
        }
    }
    unsigned effects = kNavNone;
    if (RunMenuModeCommand(id, w->view, w->render, effects)) {
        ApplyNavEffects(w, effects);
    } else {
        switch (id) {
        case PEXA_CMD_ADD_VIEWPOINT:
            AddViewpoint(w, nullptr, nullptr);
            break;
        case PEXA_CMD_DELETE_VIEWPOINT:
            DeleteViewpoint(w, nullptr);
            break;
        case PEXA_CMD_VIEW_SETTING:
            if (SceneHasObjects(w)) OpenViewDialog(w);
            break;
        case PEXA_CMD_LIGHT_SETTING:
            if (SceneHasObjects(w)) OpenLightDialog(w);
            break;
        case PEXA_CMD_SAVE_BITMAP:
            SaveBitmap(w);
            break;
        case PEXA_CMD_HELP_3D:
            OpenHelpPage("Overview3DControle.html");
            break;
        case PEXA_CMD_HELP_KEYS:
            OpenHelpPage("KeyboardControl.html");
            break;
        case PEXA_CMD_HELP_WELCOME:
            OpenHelpPage("fsWelcome.html");
            break;
        default:
            break;
        }
    }
    if (!w->view.keepAnimating) w->Render();
}

} // namespace pexa
