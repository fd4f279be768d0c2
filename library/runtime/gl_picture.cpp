// The 3D pass of a scene picture (DIBfromScene): the window's frame drawn
// again through its own context, tile by tile, each tile into the back
// buffer with its part of the picture's frustum and read back with
// glReadPixels before the next. Nothing is swapped, so the window's picture
// on screen stays as it was; the next frame draws the back buffer anew.
// Only OpenGL 1.1 is used: any driver that draws the window draws this.
#include <GL/glu.h>

#include <cstring>
#include <vector>

#include "runtime/win32_fault_guard.h"
#include "runtime/win32_library.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/picture_tiles.h"

namespace pexa {

// The view of the last frame: the rotation and the flight are not advanced,
// and the event record is left alone.
void cWind::ApplyStillViewingTransform() {
    switch (view.action_mode) {
    case PEXA_ROTATE:
        glTranslated(-view.eyePos[0], -view.eyePos[1], -view.eyePos[2]);
        glMultMatrixf(view.rotMatrix);
        break;
    case PEXA_FLY:
    case PEXA_WALK:
        gluLookAt(view.eyePos[0], view.eyePos[1], view.eyePos[2], view.eyePos[0] + view.viewDir[0],
                  view.eyePos[1] + view.viewDir[1], view.eyePos[2] + view.viewDir[2],
                  view.viewUp[0], view.viewUp[1], view.viewUp[2]);
        break;
    default:
        break;
    }
}

bool cWind::DrawPicture(unsigned char *bits, int width, int height, size_t stride) {
    // Tiles are drawn where the window's frames draw: the scene's part of
    // the client area, above the status bar.
    const Viewport vp = SceneViewport();
    const int tileWidth = vp.width, tileHeight = vp.height;
    if (tileWidth <= 0 || tileHeight <= 0) return false;
    lib.handledWind = this;
    if (!wglMakeCurrent(os.hdc, os.hglrc)) return false;
    SceneWriteGuard sceneLock;
    DrawingFrame frame(this); // a fault in an object's Draw names this window

    // The same aspect arithmetic as the frame's, so that a picture of the
    // window's own size is the window's picture.
    const double aspect = double(float(width) / float(height));
    const bool perspective = view.project_mode == PEXA_PERSPECTIVE;
    const Frustum whole =
        PictureFrustum(perspective, view.angle, aspect, view.clipnear, view.eyePos[2]);
    const std::vector<PictureTile> tiles =
        PictureTiles(width, height, tileWidth, tileHeight, whole);

    const unsigned savedMode = render.renderMode;
    render.renderMode = GL_RENDER;
    render.still = 1;
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    std::vector<unsigned char> rgb(size_t(tileWidth) * size_t(tileHeight) * 3);
    for (const PictureTile &t : tiles) {
        glMatrixMode(GL_MODELVIEW);
        SetFrameState();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glViewport(vp.x, vp.y, t.width, t.height);
        const Frustum &f = t.frustum;
        if (t.whole && perspective)
            gluPerspective(view.angle, aspect, view.clipnear, view.clipfar);
        else if (perspective)
            glFrustum(f.left, f.right, f.bottom, f.top, view.clipnear, view.clipfar);
        else if (view.project_mode == PEXA_ORTHOGONAL)
            glOrtho(f.left, f.right, f.bottom, f.top, view.clipnear, view.clipfar);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        ApplyStillViewingTransform();
        PlaceModelLights();
        if (lists.has3D) DrawSceneList(false);
        glPopMatrix();
        glReadPixels(vp.x, vp.y, t.width, t.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        for (int row = 0; row < t.height; ++row) {
            const unsigned char *from = rgb.data() + size_t(row) * size_t(t.width) * 3;
            unsigned char *to = bits + size_t(t.y + row) * stride + size_t(t.x) * 3;
            for (int x = 0; x < t.width; ++x, from += 3, to += 3) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
        }
    }
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glViewport(vp.x, vp.y, vp.width, vp.height);
    render.still = 0;
    render.renderMode = savedMode;
    return true;
}

} // namespace pexa
