// The view dialog: shows the window's eye, orientation (the total one of
// ROTATE, as axis and angle; the camera vectors of FLY and WALK), view
// angle, clipping distances, action mode and frame rate after every frame,
// and applies what the user types.
#include <windows.h>

#include <commctrl.h>

#include "resources/resource_ids.h"
#include "runtime/win32_dialogs.h"
#include "runtime/win32_help.h"
#include "runtime/win32_library.h"
#include "runtime/win32_navigation.h"
#include "runtime/win32_wind.h"
#include "scene/orientation.h"

namespace pexa {

namespace {

const int kEye[3] = {IDC_EYE_X, IDC_EYE_Y, IDC_EYE_Z};
const int kAxis[3] = {IDC_AXIS_X, IDC_AXIS_Y, IDC_AXIS_Z};
const int kUp[3] = {IDC_UP_X, IDC_UP_Y, IDC_UP_Z};
const int kUpLabels[3] = {IDC_UP_X_LABEL, IDC_UP_Y_LABEL, IDC_UP_Z_LABEL};
const int kModes[3] = {IDC_MODE_ROTATE, IDC_MODE_FLY, IDC_MODE_WALK};

bool Updating(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_VIEW_UPDATE) == BST_CHECKED;
}

void Show(HWND dialog, int id, bool shown) {
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

bool Camera(const cWind *w) {
    return w->view.action_mode == PEXA_FLY || w->view.action_mode == PEXA_WALK;
}

void Refresh(HWND dialog, cWind *w) {
    if (!Updating(dialog)) return;
    const ViewState &v = w->view;
    SendDlgItemMessageA(dialog, IDC_ZOOM_BAR, TBM_SETPOS, TRUE, LPARAM(int(v.angle)));
    WriteNumber(dialog, IDC_ZOOM, "%3.2f", v.angle);
    WriteNumber(dialog, IDC_FPS, "%3.2f", 1000.0 / (w->render.frameTime ? w->render.frameTime : 1));
    for (int i = 0; i < 3; ++i)
        WriteNumber(dialog, kEye[i], "%6.2f", v.eyePos[i]);
    const bool camera = Camera(w);
    SetDlgItemTextA(dialog, IDC_AXIS_LABEL, camera ? "Look at" : "Rotation Axis");
    SetDlgItemTextA(dialog, IDC_ANGLE_LABEL, camera ? "Look up" : "Rotation Angle");
    Show(dialog, IDC_ROT_ANGLE, !camera);
    Show(dialog, IDC_ROT_ANGLE_LABEL, !camera);
    for (int i = 0; i < 3; ++i) {
        Show(dialog, kUp[i], camera);
        Show(dialog, kUpLabels[i], camera);
    }
    if (camera) {
        for (int i = 0; i < 3; ++i) {
            WriteNumber(dialog, kAxis[i], "%6.2f", v.viewDir[i]);
            WriteNumber(dialog, kUp[i], "%6.2f", v.viewUp[i]);
        }
    } else {
        const Orientation o = AxisAngle(v.rotMatrix); // the total orientation
        for (int i = 0; i < 3; ++i)
            WriteNumber(dialog, kAxis[i], "%6.2f", o.axis[i]);
        WriteNumber(dialog, IDC_ROT_ANGLE, "%6.2f", o.angle);
    }
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(dialog, kModes[i], v.action_mode == i ? BST_CHECKED : BST_UNCHECKED);
    WriteNumber(dialog, IDC_NEAR, "%6.2f", v.clipnear);
    WriteNumber(dialog, IDC_FAR, "%7.1f", v.clipfar);
}

// What the user typed becomes the view; in ROTATE the orientation is set
// absolutely (the accumulated rotation starts again from it).
void Apply(HWND dialog, cWind *w) {
    if (!Updating(dialog)) return;
    ViewState &v = w->view;
    for (int i = 0; i < 3; ++i)
        ReadNumber(dialog, kEye[i], &v.eyePos[i]);
    const bool camera = Camera(w);
    for (int i = 0; i < 3; ++i) {
        if (camera) {
            ReadNumber(dialog, kAxis[i], &v.viewDir[i]);
            ReadNumber(dialog, kUp[i], &v.viewUp[i]);
        } else {
            ReadNumber(dialog, kAxis[i], &v.rotAxis[i]);
        }
    }
    if (!camera) ReadNumber(dialog, IDC_ROT_ANGLE, &v.rotAngle);
    ReadNumber(dialog, IDC_NEAR, &v.clipnear);
    ReadNumber(dialog, IDC_FAR, &v.clipfar);
    double angle = v.angle;
    if (ReadNumber(dialog, IDC_ZOOM, &angle)) v.angle = ClampViewAngle(angle, v.angle);
    for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(dialog, kModes[i]) == BST_CHECKED) v.action_mode = i;
    if (v.action_mode == PEXA_ROTATE) {
        v.keepAnimating = 0;
        SetIdentity(v.rotMatrix);
    }
    w->Render();
    v.rotAngle = 0;
}

void Initialise(HWND dialog, cWind *w) {
    BindDialog(dialog, IDC_VIEW_BINDING, w);
    PlaceDialog(dialog, w, "View Setting", w->dialogs.hLightDlg);
    CheckDlgButton(dialog, IDC_VIEW_UPDATE, BST_CHECKED);
    SendDlgItemMessageA(dialog, IDC_ZOOM_BAR, TBM_SETRANGE, TRUE,
                        MAKELPARAM(int(kMinViewAngle), int(kMaxViewAngle)));
    SendDlgItemMessageA(dialog, IDC_ZOOM_BAR, TBM_SETTICFREQ, 30, 0);
    Refresh(dialog, w);
}

void Close(HWND dialog, cWind *w) {
    DestroyWindow(dialog);
    w->dialogs.hViewDlg = nullptr;
}

void Command(HWND dialog, cWind *w, int id, int code) {
    for (int mode = 0; mode < 3; ++mode)
        if (id == kModes[mode] && code == BN_CLICKED) {
            ApplyNavEffects(w, SetActionMode(w->view, mode));
            Refresh(dialog, w);
            return;
        }
    switch (id) {
    case IDC_VIEW_UPDATE:
        Apply(dialog, w);
        return;
    case IDOK:
        Apply(dialog, w);
        Close(dialog, w);
        return;
    case IDCANCEL:
        // What was applied while the dialog was open (a field that lost the
        // focus, the slider, a mode) is taken back, after the closing (the
        // field losing the focus then applies its text once more).
        Close(dialog, w);
        w->view = w->dialogs.viewBackup;
        ApplyNavEffects(
            w, kNavCheckMarks | kNavDrawFrame |
                   (w->view.action_mode == PEXA_ROTATE ? unsigned(kNavClearEventView) : 0u));
        return;
    case IDC_HELP_BUTTON:
        OpenHelpPage("SettingView.html");
        return;
    default:
        break;
    }
    if (code == EN_KILLFOCUS) Apply(dialog, w);
}

INT_PTR CALLBACK ViewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        cWind *w = reinterpret_cast<cWind *>(lParam);
        w->dialogs.hViewDlg = dialog; // the frame below refreshes it
        Initialise(dialog, w);
        w->Render();
        w->dialogs.viewBackup = w->view; // restored by Cancel
        return TRUE;
    }
    cWind *w = BoundWindow(dialog, IDC_VIEW_BINDING);
    if (!w) return FALSE;
    switch (message) {
    case WM_COMMAND:
        Command(dialog, w, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        if (MovesThumb(wParam)) {
            const int position =
                int(SendMessageA(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0));
            if (Updating(dialog)) w->view.angle = ClampViewAngle(position, w->view.angle);
            WriteNumber(dialog, IDC_ZOOM, "%3.2f", position);
            Apply(dialog, w);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int OpenViewDialog(cWind *w) {
    HWND &slot = w->dialogs.hViewDlg;
    return OpenSceneDialog(w, slot, PEXA_DIALOG_VIEW, ViewDialogProc);
}

void RefreshViewDialog(cWind *w) {
    HWND dialog = w->dialogs.hViewDlg;
    if (dialog && IsWindow(dialog)) Refresh(dialog, w);
}

} // namespace pexa
