// One frame of a scene window: background, light model and lights,
// projection (or the pick matrix), viewing transform, the 3D list or its
// display list, buffer swap, the 2D overlay pass, and the motion check that
// keeps the repaint chain going while something moves.
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "scene/group.h"
#include "runtime/win32_events.h"
#include "runtime/win32_fault_guard.h"
#include "runtime/gl_frame.h"
#include "runtime/win32_frame_pacing.h"
#include "runtime/win32_input.h"
#include "runtime/win32_dialogs.h"
#include "runtime/win32_library.h"
#include "platform/clock.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/navigation.h"
#include "scene/pick.h"

namespace pexa {

static_assert(kGLRender == GL_RENDER && kGLSelect == GL_SELECT, "render modes");

namespace {

void Toggle(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

void SendLightPosition(GLenum light, const cLight &l) {
    glLightfv(light, GL_POSITION, l.position);
}

} // namespace

GLuint PickNameFor(cWind *w, cObj *object) {
    w->pick.objects.push_back(object);
    return GLuint(w->pick.objects.size());
}

void cWind::SetupLights() {
    for (int i = 0; i < 8; ++i) {
        GLenum light = GL_LIGHT0 + i;
        const cLight &l = lights[i];
        if (!l.on) {
            glDisable(light);
            continue;
        }
        glEnable(light);
        glLightfv(light, GL_AMBIENT, l.ambient);
        glLightfv(light, GL_DIFFUSE, l.diffuse);
        glLightfv(light, GL_SPECULAR, l.specular);
        if (l.worldPos) {
            glPushMatrix();
            glTranslated(-view.iniPos[0], -view.iniPos[1], -view.iniPos[2]);
            SendLightPosition(light, l);
            glPopMatrix();
        }
        glLightfv(light, GL_SPOT_DIRECTION, l.spotDirection);
        glLightf(light, GL_SPOT_CUTOFF, l.spotCutoff);
        glLightf(light, GL_SPOT_EXPONENT, l.spotExponent);
        glLightf(light, GL_CONSTANT_ATTENUATION, l.constantAttenuation);
        glLightf(light, GL_LINEAR_ATTENUATION, l.linearAttenuation);
        glLightf(light, GL_QUADRATIC_ATTENUATION, l.quadraticAttenuation);
    }
}

void cWind::PlaceModelLights() {
    for (int i = 0; i < 8; ++i) {
        const cLight &l = lights[i];
        if (l.worldPos) continue;
        SendLightPosition(GL_LIGHT0 + i, l);
        if (l.point) glLightfv(GL_LIGHT0 + i, GL_SPOT_DIRECTION, l.spotDirection);
    }
}

void cWind::ApplyViewingTransform() {
    switch (view.action_mode) {
    case PEXA_ROTATE:
        glTranslated(-view.eyePos[0], -view.eyePos[1], -view.eyePos[2]);
        // The new rotation after the accumulated one.
        lib.eventRecord.angle = AdvanceRotate(view);
        glMultMatrixf(view.rotMatrix);
        std::memcpy(lib.eventRecord.pos, view.eyePos, sizeof view.eyePos);
        std::memcpy(lib.eventRecord.axis, view.rotAxis, sizeof view.rotAxis);
        break;
    case PEXA_FLY:
    case PEXA_WALK:
        AdvanceFlyWalk(view);
        gluLookAt(view.eyePos[0], view.eyePos[1], view.eyePos[2], view.eyePos[0] + view.viewDir[0],
                  view.eyePos[1] + view.viewDir[1], view.eyePos[2] + view.viewDir[2],
                  view.viewUp[0], view.viewUp[1], view.viewUp[2]);
        std::memcpy(lib.eventRecord.pos, view.eyePos, sizeof view.eyePos);
        std::memcpy(lib.eventRecord.dir, view.viewDir, sizeof view.viewDir);
        std::memcpy(lib.eventRecord.up, view.viewUp, sizeof view.viewUp);
        view.dYaw = view.dPitch = 0;
        break;
    default:
        break;
    }
}

// The nearest hit of the pick frame becomes the picked object.
void cWind::FinishPick(GLint hits) {
    lib.eventRecord.hits = hits;
    // A pick without hits reports name 0 (the click began the record so),
    // not the name of an earlier pick: that object may be gone since, and
    // its address would lead the program to freed memory.
    if (hits == 0) return;
    PickChoice choice = ChoosePick(pick.selectBuf, size_t(pick.selectBufSize), hits);
    // Name 0 is what a compiled scene reports: its pick frame loads no names.
    const size_t named = pick.objects.size();
    cObj *picked =
        choice.name >= 1 && choice.name <= named ? pick.objects[choice.name - 1] : nullptr;
    lib.eventRecord.name = reinterpret_cast<INT_PTR>(picked);
}

// One frame: the 3D scene (or the background alone while the scene is
// empty), the 2D overlay over it, then the decision whether the next frame
// follows at once.
int cWind::Render() {
    if (tornDown || lib.shuttingDown.load()) return 0;
    const int start = ClockMilliseconds();
    DrawingFrame frame(this);
    if (lists.has3D)
        DrawScene();
    else
        FillRect(os.hdc, &clientRect, os.backBrush);
    if (lists.has2D) DrawOverlay(os.hdc);
    if (dialogs.hStatusBar) PaintStatusBar(this);
    ContinueMotion(start);
    return 0;
}

// The 3D pass, under the scene lock: calling threads wait until it is drawn.
void cWind::DrawScene() {
    lib.handledWind = this;
    wglMakeCurrent(os.hdc, os.hglrc);
    SceneWriteGuard sceneLock;
    SetFrameState();
    glPushMatrix();
    const bool picking = render.renderMode == GL_SELECT;
    SetProjection(SceneViewport(), picking);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    ApplyViewingTransform();
    PlaceModelLights();

    int t0 = ClockMilliseconds();
    DrawSceneList(picking);
    glPopMatrix();
    render.frameTime = ClockMilliseconds() - t0;
    if (render.frameTime == 0) render.frameTime = 1;

    if (picking) {
        GLint hits = glRenderMode(GL_RENDER);
        render.renderMode = GL_RENDER;
        FinishPick(hits);
    } else {
        SwapBuffers(os.hdc);
    }
    glPopMatrix();
    RefreshViewDialog(this);
}

// A compiled scene's pick frame walks the lists without loading names
// rather than calling the compiled list: the hits are the same, all named 0,
// and the pick does not rest on selection inside a display list, where the
// software rasteriser hangs on quadrics. (Objects added after the
// compilation can be hit although not yet shown.)
void cWind::DrawSceneList(bool picking) {
    if (render.compiledValid && !picking)
        glCallList(sceneListId);
    else
        lists.list3D->Draw();
}

// Clears the buffers and sets the switches, modes, light model and lights
// of the frame. Without shading there is no depth test, culling or light.
void cWind::SetFrameState() {
    glClearColor(render.BackColor[0], render.BackColor[1], render.BackColor[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, render.lightModelAmbient);
    bool shading = render.shade_mode != PEXA_SHADE_NONE;
    Toggle(GL_DEPTH_TEST, render.depthTest == 1 && shading && render.renderMode == GL_RENDER);
    Toggle(GL_CULL_FACE, render.cullFace == 1 && shading);
    Toggle(GL_LIGHTING, render.lighting == 1 && shading);
    Toggle(GL_COLOR_MATERIAL, render.colorMaterial == 1 && shading);
    if (render.draw_mode == PEXA_POINT) glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    if (render.draw_mode == PEXA_LINE) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (render.draw_mode == PEXA_FILL) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (render.shade_mode == PEXA_SMOOTH) glShadeModel(GL_SMOOTH);
    if (render.shade_mode == PEXA_FLAT) glShadeModel(GL_FLAT);
    if (shading) SetupLights();
}

// The viewport and projection of the scene; a pick frame narrows it to the
// two pixels around the click (client coordinates from the top, OpenGL's
// from the bottom of the window) and starts the name stack.
void cWind::SetProjection(const Viewport &viewport, bool picking) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    if (picking) {
        pick.objects.clear();
        glRenderMode(GL_SELECT);
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        gluPickMatrix(pick.mouseX, vp[1] + vp[3] - pick.mouseY, 2.0, 2.0, vp);
        glInitNames();
        glPushName(0);
    }
    const double aspect = double(float(viewport.width) / float(viewport.height));
    if (view.project_mode == PEXA_PERSPECTIVE) {
        gluPerspective(view.angle, aspect, view.clipnear, view.clipfar);
    } else if (view.project_mode == PEXA_ORTHOGONAL) {
        double halfHeight = std::tan(view.angle * 3.14159265358979323846 / 360.0) * view.eyePos[2];
        glOrtho(-halfHeight * aspect, halfHeight * aspect, -halfHeight, halfHeight, view.clipnear,
                view.clipfar);
    }
}

// The 2D pass: from the top-left corner with the copy mix, in list order.
void cWind::DrawOverlay(HDC dc) {
    MoveToEx(dc, 0, 0, nullptr);
    overlay.pos2D[0] = overlay.pos2D[1] = 0;
    SetROP2(dc, R2_COPYPEN);
    lib.handledWind = this;
    SceneWriteGuard sceneLock;
    os.overlayDC = dc;
    lists.list2D->Draw();
    os.overlayDC = nullptr;
}

// While something moves (animation, a spin, flight), the window asks for
// the next frame, paced to the display; otherwise it rests until something
// changes.
void cWind::ContinueMotion(int frameStart) {
    const bool moving = render.animate || view.keepAnimating || view.speed != 0 ||
                        view.yawRate != 0 || view.pitchRate != 0 || view.rollRate != 0;
    render.idle = moving ? 0 : 1;
    if (!moving) ValidateRect(os.hwnd, nullptr);
    PaceNextFrame(this, moving, frameStart);
}

} // namespace pexa
