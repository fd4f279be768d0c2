# Scene objects: lists and every object kind.
set(PEXA_OBJECTS_PORTABLE
    objects/geometry.cpp)
set(PEXA_OBJECTS_WIN32
    objects/win32_attributes.cpp
    objects/win32_group.cpp
    objects/win32_object_api.cpp
    objects/win32_primitives.cpp)
