# Portable scene core: window state, navigation, orientations, trackball, viewpoints.
set(PEXA_SCENE_PORTABLE
    scene/context_menu.cpp
    scene/navigation.cpp
    scene/orientation.cpp
    scene/trackball.cpp
    scene/viewpoints.cpp)
