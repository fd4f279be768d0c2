// Draw of the attribute and transform kinds: colour, translation, scaling,
// rotation with its per-draw increment, matrix push and pop, and the window
// switches of Enable and Disable.
#include "objects/win32_objects.h"
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
    angle += increment; // once per draw: per frame, per Use, per pick frame
}

void cPushMatrix3D::Draw() {
    glPushMatrix();
}

void cPopMatrix3D::Draw() {
    glPopMatrix();
}

void cEnable3D::Draw() {
    pexa::cWind *w = pexa::handledWind;
    if (!w) return;
    switch (capability) {
    case 1:
        w->lighting = state;
        break;
    case 2:
        w->cullFace = state;
        if (state)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        break;
    case 3:
        w->depthTest = state;
        break;
    case 4:
        w->colorMaterial = state;
        break;
    case 5:
        w->pickEnabled = state;
        break;
    case 6:
        w->animate = state;
        break;
    case 7:
        w->mouseNav = state;
        break;
    case 8:
        w->keyNav = state;
        break;
    case 9:
        w->menuEnabled = state;
        break;
    default:
        break; // other codes do nothing
    }
}
