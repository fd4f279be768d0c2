# Portable scene core: object lists, pick choice, wait matching, window state.
set(PEXA_SCENE_PORTABLE
    scene/light_setters.cpp
    scene/object_list.cpp
    scene/pick.cpp
    scene/scene_graph.cpp
    scene/wait_match.cpp)
