// The light dialog: edits the eight lights of its window while the scene is
// shown. Trackbars and edits mirror each other; "equal" moves the three
// components of a colour together; Cancel restores the lights as they were
// when the dialog opened.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "resources/resource_ids.h"
#include "runtime/win32_dialogs.h"
#include "runtime/win32_help.h"
#include "runtime/win32_library.h"
#include "runtime/win32_wind.h"
#include "scene/light_setters.h"

namespace pexa {

namespace {

struct ColourRow {
    float (cLight::*colour)[4];
    int cLight::*equal;
    int equalBox;
    int bars[3], edits[3];
};

const ColourRow kColours[] = {
    {&cLight::ambient,
     &cLight::ambientEqual,
     IDC_AMBIENT_EQUAL,
     {IDC_AMBIENT_R_BAR, IDC_AMBIENT_G_BAR, IDC_AMBIENT_B_BAR},
     {IDC_AMBIENT_R, IDC_AMBIENT_G, IDC_AMBIENT_B}},
    {&cLight::diffuse,
     &cLight::diffuseEqual,
     IDC_DIFFUSE_EQUAL,
     {IDC_DIFFUSE_R_BAR, IDC_DIFFUSE_G_BAR, IDC_DIFFUSE_B_BAR},
     {IDC_DIFFUSE_R, IDC_DIFFUSE_G, IDC_DIFFUSE_B}},
    {&cLight::specular,
     &cLight::specularEqual,
     IDC_SPECULAR_EQUAL,
     {IDC_SPECULAR_R_BAR, IDC_SPECULAR_G_BAR, IDC_SPECULAR_B_BAR},
     {IDC_SPECULAR_R, IDC_SPECULAR_G, IDC_SPECULAR_B}},
};

struct ScalarRow {
    float cLight::*value;
    int bar, edit;
};

// Values in 0..1 with a trackbar in hundredths (the cutoff is separate: degrees).
const ScalarRow kScalars[] = {
    {&cLight::spotExponent, IDC_EXPONENT_BAR, IDC_EXPONENT},
    {&cLight::constantAttenuation, IDC_CONSTANT_BAR, IDC_CONSTANT},
    {&cLight::linearAttenuation, IDC_LINEAR_BAR, IDC_LINEAR},
    {&cLight::quadraticAttenuation, IDC_QUADRATIC_BAR, IDC_QUADRATIC},
};

const int kPositionEdits[3] = {IDC_POSITION_X, IDC_POSITION_Y, IDC_POSITION_Z};
const int kSpotEdits[3] = {IDC_SPOTDIR_X, IDC_SPOTDIR_Y, IDC_SPOTDIR_Z};

float Clamp(float v, float lo, float hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
void Check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}
void SetBar(HWND dialog, int id, int position) {
    SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position);
}

cLight &Edited(cWind *w) {
    return w->lights[w->dialogs.lightIndex];
}

void Redraw(HWND dialog, cWind *w) {
    if (Checked(dialog, IDC_LIGHT_UPDATE)) w->Render();
}

// Trackbars from the light (after any change, all of them).
void SyncBars(HWND dialog, const cLight &l) {
    for (const ColourRow &row : kColours)
        for (int c = 0; c < 3; ++c)
            SetBar(dialog, row.bars[c], int((l.*row.colour)[c] * 100));
    for (const ScalarRow &row : kScalars)
        SetBar(dialog, row.bar, int(l.*row.value * 100));
    SetBar(dialog, IDC_CUTOFF_BAR, int(l.spotCutoff));
}

void Fill(HWND dialog, cWind *w) {
    const cLight &l = Edited(w);
    SendDlgItemMessageA(dialog, IDC_LIGHT_SELECT, CB_SETCURSEL, w->dialogs.lightIndex, 0);
    Check(dialog, IDC_LIGHT_ON, l.on);
    Check(dialog, IDC_LIGHT_WORLDPOS, l.worldPos);
    Check(dialog, IDC_LIGHT_PARALLEL, l.point == 0);
    Check(dialog, IDC_LIGHT_POINT, l.point == 1);
    SyncBars(dialog, l);
    for (const ColourRow &row : kColours) {
        Check(dialog, row.equalBox, l.*row.equal);
        for (int c = 0; c < 3; ++c)
            WriteNumber(dialog, row.edits[c], "%3.2f", (l.*row.colour)[c]);
    }
    for (const ScalarRow &row : kScalars)
        WriteNumber(dialog, row.edit, "%3.2f", l.*row.value);
    WriteNumber(dialog, IDC_CUTOFF, "%3.2f", l.spotCutoff);
    for (int c = 0; c < 3; ++c) {
        WriteNumber(dialog, kPositionEdits[c], "%3.2f", l.position[c]);
        WriteNumber(dialog, kSpotEdits[c], "%3.2f", l.spotDirection[c]);
    }
    SetFocus(GetDlgItem(dialog, IDC_LIGHT_SELECT));
    Redraw(dialog, w);
}

// Numbers that cannot be read leave their value as it was.
void Read(HWND dialog, cWind *w) {
    cLight &l = Edited(w);
    for (const ColourRow &row : kColours)
        for (int c = 0; c < 3; ++c)
            if (ReadNumber(dialog, row.edits[c], &(l.*row.colour)[c]))
                (l.*row.colour)[c] = Clamp((l.*row.colour)[c], 0, 1);
    for (const ScalarRow &row : kScalars)
        if (ReadNumber(dialog, row.edit, &(l.*row.value))) l.*row.value = Clamp(l.*row.value, 0, 1);
    if (ReadNumber(dialog, IDC_CUTOFF, &l.spotCutoff)) l.spotCutoff = Clamp(l.spotCutoff, 0, 180);
    for (int c = 0; c < 3; ++c) {
        ReadNumber(dialog, kPositionEdits[c], &l.position[c]);
        ReadNumber(dialog, kSpotEdits[c], &l.spotDirection[c]);
    }
    l.on = Checked(dialog, IDC_LIGHT_ON);
    l.worldPos = Checked(dialog, IDC_LIGHT_WORLDPOS);
    if (Checked(dialog, IDC_LIGHT_PARALLEL))
        l.point = 0;
    else if (Checked(dialog, IDC_LIGHT_POINT))
        l.point = 1;
}

void Initialise(HWND dialog, cWind *w) {
    BindDialog(dialog, IDC_LIGHT_BINDING, w);
    PlaceDialog(dialog, w, "Light Setting", w->dialogs.hViewDlg);
    Check(dialog, IDC_LIGHT_UPDATE, true);
    HWND selector = GetDlgItem(dialog, IDC_LIGHT_SELECT);
    SendMessageA(selector, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < 8; ++i) {
        char item[16];
        std::snprintf(item, sizeof item, " LIGHT %d", i);
        LRESULT at = SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(selector, CB_SETITEMDATA, at, i);
        CopyLightSettings(w->dialogs.lightBackup[i], w->lights[i]);
    }
    for (const ColourRow &row : kColours)
        for (int bar : row.bars) {
            SendDlgItemMessageA(dialog, bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
            SendDlgItemMessageA(dialog, bar, TBM_SETTICFREQ, 10, 0);
        }
    for (const ScalarRow &row : kScalars) {
        SendDlgItemMessageA(dialog, row.bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        SendDlgItemMessageA(dialog, row.bar, TBM_SETTICFREQ, 10, 0);
    }
    SendDlgItemMessageA(dialog, IDC_CUTOFF_BAR, TBM_SETRANGE, TRUE, MAKELPARAM(0, 180));
    SendDlgItemMessageA(dialog, IDC_CUTOFF_BAR, TBM_SETTICFREQ, 15, 0);
    w->dialogs.lightIndex = 0;
    Fill(dialog, w);
}

void Close(HWND dialog, cWind *w) {
    DestroyWindow(dialog);
    w->dialogs.hLightDlg = nullptr;
}

// A trackbar moved: its value, its edit, the colour's other components when
// they move together, then every trackbar again from the light.
void Scrolled(HWND dialog, cWind *w, HWND bar) {
    cLight &l = Edited(w);
    const int id = GetDlgCtrlID(bar);
    const int position = int(SendMessageA(bar, TBM_GETPOS, 0, 0));
    const float value = float(position) / 100.0f;
    if (id == IDC_CUTOFF_BAR) {
        l.spotCutoff = float(position);
        WriteNumber(dialog, IDC_CUTOFF, "%3.1f", l.spotCutoff);
    }
    for (const ScalarRow &row : kScalars)
        if (row.bar == id) {
            l.*row.value = value;
            WriteNumber(dialog, row.edit, "%3.2f", value);
        }
    for (const ColourRow &row : kColours)
        for (int c = 0; c < 3; ++c) {
            if (row.bars[c] != id) continue;
            const bool together = l.*row.equal;
            for (int k = 0; k < 3; ++k)
                if (k == c || together) {
                    (l.*row.colour)[k] = value;
                    WriteNumber(dialog, row.edits[k], "%3.2f", value);
                }
        }
    SyncBars(dialog, l);
    Redraw(dialog, w);
}

void Command(HWND dialog, cWind *w, int id, int code) {
    cLight &l = Edited(w);
    switch (id) {
    case IDC_LIGHT_SELECT:
        if (code == CBN_SELCHANGE) {
            Read(dialog, w);
            LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            w->dialogs.lightIndex = selected >= 0 && selected < 8 ? int(selected) : 0;
            Fill(dialog, w);
        }
        return;
    case IDC_LIGHT_ON:
        l.on = !l.on;
        Fill(dialog, w);
        return;
    case IDC_LIGHT_WORLDPOS:
        l.worldPos = !l.worldPos;
        Fill(dialog, w);
        return;
    case IDC_LIGHT_POINT:
        l.point = 1;
        l.position[3] = 1;
        Fill(dialog, w);
        return;
    case IDC_LIGHT_PARALLEL:
        l.point = 0;
        l.position[3] = 0;
        l.spotCutoff = 180;
        Fill(dialog, w);
        return;
    case IDC_LIGHT_UPDATE:
        w->Render();
        return;
    case IDOK:
        Read(dialog, w);
        Close(dialog, w);
        return;
    case IDCANCEL:
        for (int i = 0; i < 8; ++i)
            CopyLightSettings(w->lights[i], w->dialogs.lightBackup[i]);
        Fill(dialog, w);
        Close(dialog, w);
        w->dialogs.lightIndex = 0;
        return;
    case IDC_HELP_BUTTON:
        OpenHelpPage("SettingLight.html");
        return;
    default:
        break;
    }
    for (const ColourRow &row : kColours)
        if (id == row.equalBox) {
            l.*row.equal = !(l.*row.equal);
            Check(dialog, id, l.*row.equal);
            return;
        }
    if (code == EN_KILLFOCUS) {
        Read(dialog, w);
        Fill(dialog, w);
    }
}

INT_PTR CALLBACK LightDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        Initialise(dialog, reinterpret_cast<cWind *>(lParam));
        return FALSE; // the focus is set
    }
    cWind *w = BoundWindow(dialog, IDC_LIGHT_BINDING);
    if (!w) return FALSE;
    switch (message) {
    case WM_COMMAND:
        Command(dialog, w, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        if (MovesThumb(wParam)) Scrolled(dialog, w, reinterpret_cast<HWND>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int OpenLightDialog(cWind *w) {
    HWND &slot = w->dialogs.hLightDlg;
    return OpenSceneDialog(w, slot, PEXA_DIALOG_LIGHT, LightDialogProc);
}

} // namespace pexa
