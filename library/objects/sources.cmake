# Scene objects: every object kind and its drawing, mesh building (portable),
# and the exported functions of their sections of pexa.h (win32_*_api.cpp).
set(PEXA_OBJECTS_PORTABLE
    objects/crease_smoothing.cpp
    objects/elevation_grid_mesh.cpp
    objects/face_order.cpp
    objects/face_set_mesh.cpp
    objects/face_triangulation.cpp
    objects/geometry.cpp
    objects/overlay_geometry.cpp
    objects/text_pixels.cpp)
set(PEXA_OBJECTS_WIN32
    objects/gl_attributes.cpp
    objects/gl_group.cpp
    objects/gl_mesh_list.cpp
    objects/gl_meshes.cpp
    objects/gl_primitives.cpp
    objects/gl_text.cpp
    objects/win32_attribute_api.cpp
    objects/win32_list_api.cpp
    objects/win32_lists.cpp
    objects/win32_mesh_api.cpp
    objects/win32_object_api.cpp
    objects/win32_overlay_api.cpp
    objects/win32_overlay_draw.cpp
    objects/win32_text_api.cpp)
# pexav16 only: outline fonts.
set(PEXA_OBJECTS_FULL_WIN32
    objects/gl_font_outline.cpp)
# pexab16 only: the answer to CreateFontEXT without outline fonts.
set(PEXA_OBJECTS_LITE_WIN32
    objects/win32_font_outline_lite.cpp)
