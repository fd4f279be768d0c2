// The two mesh kinds: cElevationGrid3D, a height field over a regular grid,
// and cIndexedFaceSet3D, a polygon mesh of indexed coordinates. Each keeps
// its copied data and a display list that it records again after a change
// of the data or of the window's shade mode.
#pragma once

#include "objects/elevation_grid_mesh.h"
#include "objects/face_set_mesh.h"
#include "objects/gl_mesh_list.h"
#include "objects/gl_objects.h"
#include "objects/win32_create.h"

class cElevationGrid3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeElevationGrid;
    cElevationGrid3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    pexa::mesh::GridData data;
    pexa::MeshList list;
};

class cIndexedFaceSet3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeIndexedFaceSet;
    cIndexedFaceSet3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    pexa::mesh::FaceSetData data;
    pexa::MeshList list;
};
