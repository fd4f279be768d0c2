// Draw of the basic 3D kinds: points, lines, triangles, tetragons, the box,
// the GLU quadrics, the axis cross and the vertex-array primitive.
#include <algorithm>

#include "objects/geometry.h"
#include "objects/gl_objects.h"

using pexa::TriangleNormal;

namespace {

void Normal(const float *a, const float *b, const float *c) {
    float n[3];
    TriangleNormal(a, b, c, n);
    glNormal3fv(n);
}

void Vertex(const float *p, const float *colour, int hasColour) {
    if (hasColour) glColor3fv(colour);
    glVertex3fv(p);
}

} // namespace

void cPoint3D::Draw() {
    glBegin(GL_POINTS);
    if (hasColour) glColor3f(colour[0], colour[1], colour[2]);
    glVertex3f(position[0], position[1], position[2]);
    glEnd();
}

void cLine3D::Draw() {
    glBegin(GL_LINES);
    Vertex(p[0], c[0], hasColour);
    Vertex(p[1], c[1], hasColour);
    glEnd();
}

void cTriangle3D::Draw() {
    glEnable(GL_CULL_FACE); // back faces stay culled for the rest of the frame
    glBegin(GL_TRIANGLES);
    Normal(p[0], p[1], p[2]);
    for (int i = 0; i < 3; ++i)
        Vertex(p[i], c[i], hasColour);
    glEnd();
}

void cTetragon3D::Draw() {
    // Two triangles, (1, 2, 3) and (1, 3, 4), each with its own flat normal.
    glBegin(GL_TRIANGLES);
    Normal(p[0], p[1], p[2]);
    for (int i : {0, 1, 2})
        Vertex(p[i], c[i], hasColour);
    Normal(p[0], p[2], p[3]);
    for (int i : {0, 2, 3})
        Vertex(p[i], c[i], hasColour);
    glEnd();
}

void cBox3D::Set(float x1, float y1, float z1, float x2, float y2, float z2, int orient) {
    float x0 = std::min(x1, x2), xm = std::max(x1, x2);
    float y0 = std::min(y1, y2), ym = std::max(y1, y2);
    float z0 = std::min(z1, z2), zm = std::max(z1, z2);
    const float corners[8][3] = {{x0, y0, zm}, {xm, y0, zm}, {xm, y0, z0}, {x0, y0, z0},
                                 {x0, ym, zm}, {xm, ym, zm}, {xm, ym, z0}, {x0, ym, z0}};
    std::copy(&corners[0][0], &corners[0][0] + 24, &k[0][0]);
    orientation = orient;
}

void cBox3D::Draw() {
    struct Face {
        float normal[3];
        int corners[4];
    };
    // Outward faces wind counter-clockwise seen from outside; the inward set
    // serves a box seen from inside.
    static const Face outside[6] = {{{0, -1, 0}, {0, 3, 2, 1}}, {{0, 1, 0}, {4, 5, 6, 7}},
                                    {{0, 0, 1}, {4, 0, 1, 5}},  {{1, 0, 0}, {5, 1, 2, 6}},
                                    {{0, 0, -1}, {6, 2, 3, 7}}, {{-1, 0, 0}, {7, 3, 0, 4}}};
    static const Face inside[6] = {{{0, 1, 0}, {0, 1, 2, 3}},  {{0, -1, 0}, {4, 7, 6, 5}},
                                   {{0, 0, -1}, {4, 5, 1, 0}}, {{-1, 0, 0}, {5, 6, 2, 1}},
                                   {{0, 0, 1}, {6, 7, 3, 2}},  {{1, 0, 0}, {7, 4, 0, 3}}};
    const Face *faces = orientation == GLU_OUTSIDE ? outside : inside;
    glBegin(GL_QUADS);
    for (int f = 0; f < 6; ++f) {
        glNormal3fv(faces[f].normal);
        for (int c : faces[f].corners)
            glVertex3fv(k[c]);
    }
    glEnd();
}

cSphere3D::~cSphere3D() {
    if (quadric) gluDeleteQuadric(quadric);
}

void cSphere3D::Draw() {
    if (!quadric) return;
    gluQuadricDrawStyle(quadric, drawStyle);
    gluQuadricNormals(quadric, normals);
    gluQuadricOrientation(quadric, orientation);
    gluSphere(quadric, radius, slices, stacks);
}

cCylinder3D::cCylinder3D(int bottom, int top)
    : cObj(kTypeId), side(gluNewQuadric()), topCap(top ? gluNewQuadric() : nullptr),
      bottomCap(bottom ? gluNewQuadric() : nullptr) {}

cCylinder3D::~cCylinder3D() {
    if (side) gluDeleteQuadric(side);
    if (topCap) gluDeleteQuadric(topCap);
    if (bottomCap) gluDeleteQuadric(bottomCap);
}

void cCylinder3D::Draw() {
    if (!side) return;
    gluQuadricDrawStyle(side, drawStyle);
    gluQuadricNormals(side, normals);
    gluQuadricOrientation(side, orientation);
    gluCylinder(side, baseRadius, topRadius, height, slices, stacks);
    bool outside = orientation == GLU_OUTSIDE;
    if (bottomCap) {
        gluQuadricOrientation(bottomCap, outside ? GLU_INSIDE : GLU_OUTSIDE);
        gluQuadricDrawStyle(bottomCap, drawStyle);
        gluDisk(bottomCap, 0.0, baseRadius, slices, 1);
    }
    if (topCap) {
        gluQuadricOrientation(topCap, outside ? GLU_OUTSIDE : GLU_INSIDE);
        glPushMatrix();
        glTranslatef(0, 0, height);
        gluQuadricDrawStyle(topCap, drawStyle);
        gluDisk(topCap, 0.0, topRadius, slices, 1);
        glPopMatrix();
    }
}

cDisk3D::~cDisk3D() {
    if (quadric) gluDeleteQuadric(quadric);
}

void cDisk3D::Draw() {
    if (!quadric) return;
    gluQuadricDrawStyle(quadric, drawStyle);
    gluQuadricNormals(quadric, normals);
    gluQuadricOrientation(quadric, orientation);
    gluPartialDisk(quadric, innerRadius, outerRadius, slices, loops, startAngle, sweepAngle);
}

cAxis3D::~cAxis3D() {
    if (cone) gluDeleteQuadric(cone);
    if (base) gluDeleteQuadric(base);
}

void cAxis3D::Draw() {
    const float L = letterSize, a = arrowLength;
    const float hx = lengthX / 2, hy = lengthY / 2, hz = lengthZ / 2;
    glPushAttrib(GL_CURRENT_BIT);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(a - hx, 0, 0), glVertex3f(hx - a, 0, 0);
    glVertex3f(hx + L, L / 2, 0), glVertex3f(hx + 2 * L, -L / 2, 0);
    glVertex3f(hx + 2 * L, L / 2, 0), glVertex3f(hx + L, -L / 2, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, a - hy, 0), glVertex3f(0, hy - a, 0);
    glVertex3f(0, hy + L, 0), glVertex3f(0, hy + 1.5f * L, 0);
    glVertex3f(0, hy + 1.5f * L, 0), glVertex3f(-L / 2, hy + 2 * L, 0);
    glVertex3f(0, hy + 1.5f * L, 0), glVertex3f(L / 2, hy + 2 * L, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, a - hz), glVertex3f(0, 0, hz - a);
    glVertex3f(0, L / 2, hz + L), glVertex3f(0, -L / 2, hz + 2 * L);
    glVertex3f(0, L / 2, hz + L), glVertex3f(0, L / 2, hz + 2 * L);
    glVertex3f(0, -L / 2, hz + L), glVertex3f(0, -L / 2, hz + 2 * L);
    glEnd();
    if (cone && base) {
        gluQuadricDrawStyle(cone, GLU_FILL);
        gluQuadricOrientation(base, GLU_INSIDE);
        struct Head {
            float r, g, b; // colour set before the first head of an axis
            bool setColour;
            float angle, ax, ay, az;
            float half;
        };
        const Head heads[6] = {
            {0, 0, 1, true, 0, 0, 0, 0, hz},   {0, 0, 1, false, 180, 0, 1, 0, hz},
            {1, 0, 0, true, 90, 0, 1, 0, hx},  {1, 0, 0, false, 270, 0, 1, 0, hx},
            {0, 1, 0, true, 270, 1, 0, 0, hy}, {0, 1, 0, false, 90, 1, 0, 0, hy}};
        for (const Head &h : heads) {
            if (h.setColour) glColor3f(h.r, h.g, h.b);
            glPushMatrix();
            if (h.angle != 0) glRotatef(h.angle, h.ax, h.ay, h.az);
            glTranslatef(0, 0, h.half - a);
            gluCylinder(cone, arrowRadius, 0.0, a, 4, 1);
            gluDisk(base, 0.0, arrowRadius, 4, 1);
            glPopMatrix();
        }
    }
    glPopAttrib();
    // HACK: Mesa restores the current colour without the material that
    // colour material derives from it, and then skips the material update
    // of a glColor equal to the restored colour: the objects after the axes
    // would keep the green of the last arrow. Switching colour material off
    // and back on (only when it was on) takes the material from the restored
    // colour; attribute pushes, unlike a glGet, work in display lists too.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_COLOR_MATERIAL);
    glPopAttrib();
}

void cPrimitive3D::Draw() {
    const int n = vertices ? count : 0;
    const float *P = vertices;
    auto p = [P](int i) { return P + 3 * size_t(i); };
    // An unknown mode draws nothing (and sends OpenGL no invalid enum).
    if (mode < GL_POINTS || mode > GL_POLYGON) return;
    glBegin(GLenum(mode));
    switch (mode) {
    case GL_POINTS:
    case GL_LINES:
    case GL_LINE_LOOP:
    case GL_LINE_STRIP:
        for (int i = 0; i < n; ++i)
            glVertex3fv(p(i));
        break;
    case GL_TRIANGLES:
        for (int i = 0; i < n - 2; i += 3) {
            Normal(p(i), p(i + 1), p(i + 2));
            glVertex3fv(p(i)), glVertex3fv(p(i + 1)), glVertex3fv(p(i + 2));
        }
        break;
    case GL_TRIANGLE_STRIP:
        if (n < 3) break;
        Normal(p(0), p(1), p(2));
        glVertex3fv(p(0)), glVertex3fv(p(1)), glVertex3fv(p(2));
        for (int k = 3; k < n; ++k) {
            // Every strip triangle gets its own normal, on the same side.
            if (k & 1)
                Normal(p(k), p(k - 1), p(k - 2));
            else
                Normal(p(k - 2), p(k - 1), p(k));
            glVertex3fv(p(k));
        }
        break;
    case GL_TRIANGLE_FAN:
        if (n < 3) break;
        Normal(p(0), p(1), p(2));
        glVertex3fv(p(0)), glVertex3fv(p(1)), glVertex3fv(p(2));
        for (int k = 3; k < n; ++k) {
            Normal(p(0), p(k - 1), p(k));
            glVertex3fv(p(k));
        }
        break;
    case GL_QUADS:
        // Quads come in strip order (A B on one edge, C D opposite).
        for (int j = 0; 4 * j + 3 < n; ++j) {
            const float *A = p(4 * j), *B = p(4 * j + 1), *C = p(4 * j + 2), *D = p(4 * j + 3);
            Normal(A, B, C);
            glVertex3fv(A), glVertex3fv(B), glVertex3fv(D), glVertex3fv(C);
        }
        break;
    case GL_QUAD_STRIP:
        if (n < 4) break;
        Normal(p(0), p(1), p(2));
        glVertex3fv(p(0)), glVertex3fv(p(1)), glVertex3fv(p(2)), glVertex3fv(p(3));
        for (int k = 2; 2 * k + 1 < n; ++k) {
            Normal(p(2 * k - 2), p(2 * k - 1), p(2 * k));
            glVertex3fv(p(2 * k)), glVertex3fv(p(2 * k + 1));
        }
        break;
    case GL_POLYGON:
        if (n < 3) break;
        Normal(p(0), p(1), p(2));
        for (int i = 0; i < n; ++i)
            glVertex3fv(p(i));
        break;
    default:
        break;
    }
    glEnd();
}
