# Scene objects: lists and every object kind.
set(PEXA_OBJECTS_PORTABLE
    objects/geometry.cpp)
set(PEXA_OBJECTS_WIN32
    objects/gl_attributes.cpp
    objects/gl_group.cpp
    objects/gl_primitives.cpp
    objects/win32_list_api.cpp
    objects/win32_object_api.cpp)
