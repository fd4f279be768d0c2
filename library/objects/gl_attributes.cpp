// Draw of the attribute and transform kinds: colour, translation, scaling,
// rotation with its per-draw increment, matrix push and pop, and the window
// switches of Enable and Disable.
#include "objects/gl_objects.h"
#include "runtime/win32_library.h"
#include "runtime/win32_wind.h"

void cColor3D::Draw() {
    glColor3f(red, green, blue);
}

void cTranslate3D::Draw() {
    glTranslatef(x, y, z);
}

void cScale3D::Draw() {
    glScalef(x, y, z);
}

void cRotate3D::Draw() {
    glRotatef(angle, x, y, z);
    // Once per draw: per frame, per Use, per pick frame; a picture of the
    // scene holds still.
    pexa::cWind *w = pexa::lib.handledWind;
    if (!w || !w->render.still) angle += increment;
}

void cPushMatrix3D::Draw() {
    glPushMatrix();
}

void cPopMatrix3D::Draw() {
    glPopMatrix();
}

void cEnable3D::Draw() {
    pexa::cWind *w = pexa::lib.handledWind;
    if (!w) return;
    pexa::RenderState &r = w->render;
    switch (capability) {
    case PEXA_ENABLE_LIGHTING:
        r.lighting = state;
        break;
    case PEXA_ENABLE_CULL_FACE:
        r.cullFace = state;
        if (state)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        break;
    case PEXA_ENABLE_DEPTH_TEST:
        r.depthTest = state;
        break;
    case PEXA_ENABLE_COLOR_MATERIAL:
        r.colorMaterial = state;
        break;
    case PEXA_ENABLE_PICKING:
        w->pick.pickEnabled = state;
        break;
    case PEXA_ENABLE_ANIMATION:
        r.animate = state;
        break;
    case PEXA_ENABLE_MOUSE_NAV:
        r.mouseNav = state;
        break;
    case PEXA_ENABLE_KEY_NAV:
        r.keyNav = state;
        break;
    case PEXA_ENABLE_MENU:
        r.menuEnabled = state;
        break;
    default:
        break; // other codes do nothing
    }
}
