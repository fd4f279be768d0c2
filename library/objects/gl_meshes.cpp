// Draw of the mesh kinds: the portable builders fill the drawing, the mesh's
// display list records and replays it.
#include "objects/gl_meshes.h"

void cElevationGrid3D::Draw() {
    list.Draw(data.solid, [this](bool smooth, pexa::mesh::MeshDrawing &drawing) {
        return pexa::mesh::BuildGrid(data, smooth, drawing);
    });
}

void cIndexedFaceSet3D::Draw() {
    list.Draw(data.solid, [this](bool smooth, pexa::mesh::MeshDrawing &drawing) {
        return pexa::mesh::BuildFaceSet(data, smooth, drawing);
    });
}
