// Mesh display lists: names, recording, the culling frame and deletion.
#include "objects/gl_mesh_list.h"

#include <atomic>

#include "runtime/win32_library.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

// Names of mesh display lists. A window's own lists have small names: its
// scene list is the window's number (1, 2, 3, ...) and each font takes 256
// names from 1000 upward, all used without glGenLists, which therefore
// cannot tell which names are free. An object's address does not fit a
// 32-bit name on 64-bit Windows. So meshes take names from one process-wide
// counter that starts at 2^30 and never hands a name out twice: a name is
// unique in every context, whichever window draws the mesh, and a list left
// behind in a context can never be taken for a living object's. (Three
// billion meshes would be needed to run the counter out.)
GLuint NewListName() {
    static std::atomic<GLuint> next{GLuint(1) << 30};
    return next.fetch_add(1);
}

} // namespace

int DrawnWindowShadeMode() {
    cWind *w = lib.handledWind;
    return w ? w->render.shade_mode : PEXA_SMOOTH;
}

bool MeshList::IsSmooth(int shadeMode) {
    return shadeMode == PEXA_SMOOTH;
}

bool MeshList::InsideOtherList() {
    GLint list = 0;
    glGetIntegerv(GL_LIST_INDEX, &list);
    return list != 0;
}

bool MeshList::NeedsRecording(int shadeMode) const {
    return shadeMode != builtShadeMode_ ||
           (builtContext_ && builtContext_ != wglGetCurrentContext());
}

void MeshList::Record(const mesh::MeshDrawing &drawing, int solid) {
    if (!name_) name_ = NewListName();
    if (glIsList(name_)) glDeleteLists(name_, 1);
    glNewList(name_, GL_COMPILE);
    RecordMesh(drawing, solid);
    glEndList();
    // A list recorded before in another context stays there until that
    // context ends; the name is never anyone else's.
    builtContext_ = wglGetCurrentContext();
    builtDC_ = wglGetCurrentDC();
}

void MeshList::CallIfRecorded() const {
    if (name_ && glIsList(name_)) glCallList(name_);
}

MeshList::~MeshList() {
    if (!name_ || !builtContext_) return;
    HGLRC current = wglGetCurrentContext();
    if (current == builtContext_) {
        glDeleteLists(name_, 1);
        return;
    }
    // Objects die on the library thread, but not always with their own
    // window's context current (DelObj or ClearList after another window
    // drew). A failed switch (that context is gone, and its lists with it)
    // leaves no context current, so the previous one is always restored.
    HDC currentDC = wglGetCurrentDC();
    if (wglMakeCurrent(builtDC_, builtContext_)) glDeleteLists(name_, 1);
    if (current)
        wglMakeCurrent(currentDC, current);
    else
        wglMakeCurrent(nullptr, nullptr);
}

void RecordMesh(const mesh::MeshDrawing &d, int solid) {
    const bool culling = glIsEnabled(GL_CULL_FACE) == GL_TRUE;
    if (solid && !culling) glEnable(GL_CULL_FACE);
    if (!solid && culling) glDisable(GL_CULL_FACE);
    auto shadeModel = [](mesh::ShadeModel m) {
        if (m == mesh::ShadeModel::kSmooth) glShadeModel(GL_SMOOTH);
        if (m == mesh::ShadeModel::kFlat) glShadeModel(GL_FLAT);
    };
    shadeModel(d.shadeFirst);

    const float *positions = d.PositionTable(), *normals = d.NormalTable(), *colours = d.colours;
    const GLenum mode = d.polygons ? GL_POLYGON : GL_TRIANGLES;
    const bool faceColours = !d.faceColour.empty(), faceNormals = !d.faceNormal.empty();
    const bool cornerColours = !d.cornerColour.empty(), cornerNormals = !d.cornerNormal.empty();
    auto corner = [&](uint32_t c) {
        const uint32_t v = d.cornerVertex[c];
        const uint32_t colour = d.colourByVertex ? v
                                : cornerColours  ? d.cornerColour[c]
                                                 : mesh::kNone;
        const uint32_t normal = d.normalByVertex ? v
                                : cornerNormals  ? d.cornerNormal[c]
                                                 : mesh::kNone;
        if (colour != mesh::kNone) glColor3fv(colours + 3 * size_t(colour));
        if (normal != mesh::kNone) glNormal3fv(normals + 3 * size_t(normal));
        glVertex3fv(positions + 3 * size_t(v));
    };
    size_t split = 0; // the next face drawn as triangles
    if (d.oneBegin) glBegin(mode);
    for (size_t f = 0; f < d.faceCount(); ++f) {
        const bool triangles = split < d.splitFace.size() && d.splitFace[split] == f;
        if (!d.oneBegin) glBegin(triangles ? GL_TRIANGLES : mode);
        if (faceColours && d.faceColour[f] != mesh::kNone)
            glColor3fv(colours + 3 * size_t(d.faceColour[f]));
        if (faceNormals && d.faceNormal[f] != mesh::kNone)
            glNormal3fv(normals + 3 * size_t(d.faceNormal[f]));
        if (triangles) {
            for (uint32_t i = d.splitFirst[split]; i < d.splitFirst[split + 1]; ++i)
                corner(d.splitCorners[i]);
            ++split;
        } else {
            for (uint32_t c = d.faceFirst[f]; c < d.faceFirst[f + 1]; ++c)
                corner(c);
        }
        if (!d.oneBegin) glEnd();
    }
    if (d.oneBegin) glEnd();

    shadeModel(d.shadeLast);
    if (solid && !culling) glDisable(GL_CULL_FACE);
    if (!solid && culling) glEnable(GL_CULL_FACE);
}

} // namespace pexa
