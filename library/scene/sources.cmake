# Portable scene core: window state, navigation, orientations, trackball, viewpoints.
set(PEXA_SCENE_PORTABLE
    scene/navigation.cpp
    scene/orientation.cpp
    scene/trackball.cpp
    scene/viewpoints.cpp)
