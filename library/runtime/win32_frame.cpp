// One frame of a scene window: background, light model and lights,
// projection (or the pick matrix), viewing transform, the 3D list or its
// display list, buffer swap, the 2D overlay pass, and the motion check that
// keeps the repaint chain going while something moves.
#include <GL/glu.h>

#include <cmath>
#include <ctime>
#include <cstring>
#include <vector>

#include "objects/win32_group.h"
#include "runtime/win32_events.h"
#include "runtime/win32_frame.h"
#include "runtime/win32_library.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

// Objects named in the pick frame being drawn; name i + 1 is pickObjects[i].
std::vector<cObj *> pickObjects;

int ClockMilliseconds() {
    return int(std::clock() * 1000.0 / CLOCKS_PER_SEC);
}

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

GLuint PickNameFor(cObj *object) {
    pickObjects.push_back(object);
    return GLuint(pickObjects.size());
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
            glTranslated(-iniPos[0], -iniPos[1], -iniPos[2]);
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
    switch (action_mode) {
    case kActionRotate:
        glTranslated(-eyePos[0], -eyePos[1], -eyePos[2]);
        // The new rotation is applied after the accumulated one.
        glPushMatrix();
        glLoadIdentity();
        glRotatef(rotAngle, rotAxis[0], rotAxis[1], rotAxis[2]);
        glMultMatrixf(rotMatrix);
        glGetFloatv(GL_MODELVIEW_MATRIX, rotMatrix);
        glPopMatrix();
        glMultMatrixf(rotMatrix);
        std::memcpy(eventRecord.pos, eyePos, sizeof eyePos);
        std::memcpy(eventRecord.axis, rotAxis, sizeof rotAxis);
        eventRecord.angle = rotAngle;
        break;
    case kActionFly:
    case kActionWalk:
        AdvanceFlight();
        gluLookAt(eyePos[0], eyePos[1], eyePos[2], eyePos[0] + viewDir[0], eyePos[1] + viewDir[1],
                  eyePos[2] + viewDir[2], viewUp[0], viewUp[1], viewUp[2]);
        std::memcpy(eventRecord.pos, eyePos, sizeof eyePos);
        std::memcpy(eventRecord.dir, viewDir, sizeof viewDir);
        std::memcpy(eventRecord.up, viewUp, sizeof viewUp);
        dYaw = dPitch = 0;
        break;
    default:
        break;
    }
}

// Reads the hit records of a pick frame: the nearest hit (smallest minimum
// depth, the first on ties) becomes the picked object.
void cWind::FinishPick(GLint hits) {
    eventRecord.hits = hits;
    if (hits == 0) return;
    int records = hits < 0 ? 1 : hits;
    GLuint bestDepth = 0;
    GLuint bestName = 0;
    bool found = false;
    for (int i = 0; i < records; ++i) {
        size_t at = size_t(i) * 4;
        if (at + 3 >= size_t(selectBufSize)) break;
        GLuint depth = selectBuf[at + 1];
        if (!found || depth < bestDepth) {
            bestDepth = depth;
            bestName = selectBuf[at + 3];
            found = true;
        }
    }
    // Name 0 is what a compiled display list reports: it holds no names.
    cObj *picked =
        bestName >= 1 && bestName <= pickObjects.size() ? pickObjects[bestName - 1] : nullptr;
    eventRecord.name = reinterpret_cast<INT_PTR>(picked);
}

int cWind::Render() {
    if (tornDown || shuttingDown.load()) return 0;
    if (!has3D) {
        FillRect(hdc, &clientRect, backBrush);
    } else {
        float aspect = float(clientRect.right) / float(clientRect.bottom);
        double halfHeight = std::tan(angle * 3.14159265358979323846 / 360.0) * eyePos[2];
        handledWind = this;
        wglMakeCurrent(hdc, hglrc);
        SceneWriteGuard sceneLock; // calling threads wait until the frame is drawn

        glClearColor(BackColor[0], BackColor[1], BackColor[2], 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, lightModelAmbient);
        bool shading = shade_mode != kShadeNone;
        Toggle(GL_DEPTH_TEST, depthTest == 1 && shading && renderMode == GL_RENDER);
        Toggle(GL_CULL_FACE, cullFace == 1 && shading);
        Toggle(GL_LIGHTING, lighting == 1 && shading);
        Toggle(GL_COLOR_MATERIAL, colorMaterial == 1 && shading);
        if (draw_mode == kDrawPoint) glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
        if (draw_mode == kDrawLine) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        if (draw_mode == kDrawFill) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        if (shade_mode == kShadeSmooth) glShadeModel(GL_SMOOTH);
        if (shade_mode == kShadeFlat) glShadeModel(GL_FLAT);
        if (shading) SetupLights();

        glPushMatrix();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glViewport(0, 0, clientRect.right, clientRect.bottom);
        bool picking = renderMode == GL_SELECT;
        if (picking) {
            pickObjects.clear();
            glRenderMode(GL_SELECT);
            GLint vp[4];
            glGetIntegerv(GL_VIEWPORT, vp);
            gluPickMatrix(mouseX, vp[3] - mouseY, 2.0, 2.0, vp);
            glInitNames();
            glPushName(0);
        }
        if (project_mode == kProjectPerspective)
            gluPerspective(angle, aspect, clipnear, clipfar);
        else if (project_mode == kProjectOrthogonal)
            glOrtho(-halfHeight * aspect, halfHeight * aspect, -halfHeight, halfHeight, clipnear,
                    clipfar);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        ApplyViewingTransform();
        PlaceModelLights();

        int t0 = ClockMilliseconds();
        if (compiledValid)
            glCallList(sceneListId);
        else
            list3D->Draw();
        glPopMatrix();
        frameTime = ClockMilliseconds() - t0;
        if (frameTime == 0) frameTime = 1;

        if (picking) {
            GLint hits = glRenderMode(GL_RENDER);
            renderMode = GL_RENDER;
            FinishPick(hits);
        } else {
            SwapBuffers(hdc);
        }
        glPopMatrix();
        RefreshViewDialog();
    }
    if (has2D) {
        MoveToEx(hdc, 0, 0, nullptr);
        pos2D[0] = pos2D[1] = 0;
        SetROP2(hdc, R2_COPYPEN);
        handledWind = this;
        SceneWriteGuard sceneLock;
        list2D->Draw();
    }
    if (!animate && !keepAnimating && speed == 0 && yawRate == 0 && pitchRate == 0 &&
        rollRate == 0) {
        idle = 1;
        ValidateRect(hwnd, nullptr);
    } else {
        idle = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 0;
}

// Flight and walk steps, and the view dialog, arrive with navigation and
// the dialogs; until then these do nothing.
void cWind::AdvanceFlight() {}
void cWind::RefreshViewDialog() {}

} // namespace pexa
