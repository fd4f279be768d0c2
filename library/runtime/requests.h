// Numbers of the request messages that reach the library thread. Programs
// send some of them themselves (1025 above all), so the numbers never change.
#pragma once

namespace pexa {

enum Request : unsigned {
    kInsert2D = 1024,
    kInsert3D = 1025,
    kDelete2D = 1026,
    kDelete3D = 1027,
    kInsertAfter2D = 1028,
    kInsertAfter3D = 1029,
    kCreateWindow = 1124,
    kShowWindow = 1125,
    kHideWindow = 1126,
    kDeleteWindow = 1127,
    kRefreshWindow = 1128,
    kBackground = 1129,
    kStatusText = 1130,
    kSizeWindow = 1131,
    kGetHDC = 1132,
    kGetHWND = 1133,
    kGetStatusBar = 1134,
    kGetHGLRC = 1135,
    kCompileDisplayList = 1224,
    kCreateFontBitmap = 1225,
    kCreateFontOutline = 1226,
    kResetRotation = 1227,
    kResetPosition = 1228,
    kStopMotion = 1229,
    kClearList2D = 1230,
    kClearList3D = 1231,
    kDrawMode = 1232,
    kShadeMode = 1233,
    kProjectionMode = 1234,
    kActionMode = 1235,
    kTranslation = 1236,
    kRotation = 1237,
    kLookAt = 1238,
    kRelToPos2D = 1241,
    kLightDialog = 1242,
    kViewDialog = 1243,
    kCaptureDIB = 1244,
    kViewpointAdd = 1246,
    kViewpointDel = 1247,
    kViewpointSet = 1248,
    kGetEvent = 1249,
    kEventExists = 1250,
    kFirstRequest = 1024,
    kLastRequest = 1250,
    // Private to the library (outside the public range): tear every scene
    // window down before the process ends.
    kTearDownAtExit = 0x8000 + 0x50, // WM_APP + 0x50
};

// Parameter records that the exported functions build on their stack and the
// handlers read in place while the sender waits.
struct RectangleRecord {
    int x, y, width, height;
};
struct ColorRecord {
    float r, g, b;
};

} // namespace pexa
