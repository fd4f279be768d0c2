// The exported functions of pexa.h's "Pictures of a scene window" section.
// The capture and the picture run on the library thread
// (win32_capture.cpp, win32_scene_picture.cpp).
#include "pexa.h"
#include "platform/win32_messages.h"
#include "runtime/win32_library.h"

using namespace pexa;

namespace {
constexpr int kMaxPictureSide = 16384;
}

extern "C" {

PEXA_API HGLOBAL DIBfromWind(void) {
    return reinterpret_cast<HGLOBAL>(SendRequest(PEXA_MSG_DIB_FROM_WIND));
}

PEXA_API HGLOBAL DIBfromScene(void *window, int width, int height) {
    if (width < 1 || width > kMaxPictureSide || height < 1 || height > kMaxPictureSide) {
        ConsoleMessage("\n DIBfromScene: The size must be 1 to 16384 pixels each way!");
        return nullptr;
    }
    if (!lib.initialized.load()) {
        ConsoleMessage("\n DIBfromScene: No scene window!");
        return nullptr;
    }
    int size[2] = {width, height};
    return reinterpret_cast<HGLOBAL>(SendRequest(
        PEXA_MSG_DIB_FROM_SCENE, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(size)));
}

} // extern "C"
