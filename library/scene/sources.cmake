# Portable scene core: object lists and their index, window state, pick
# choice, wait matching, navigation, orientations, trackball, viewpoints,
# menu modes, light setters.
set(PEXA_SCENE_PORTABLE
    scene/context_menu.cpp
    scene/light_setters.cpp
    scene/navigation.cpp
    scene/object_list.cpp
    scene/orientation.cpp
    scene/pick.cpp
    scene/scene_graph.cpp
    scene/trackball.cpp
    scene/viewpoints.cpp
    scene/wait_match.cpp)
