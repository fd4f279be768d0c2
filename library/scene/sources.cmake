# Portable core of the scene windows: object lists and their index, window
# state, lights, pick choice, wait matching, navigation, orientations,
# trackball, viewpoints, menu modes, light setters, the configuration file,
# event queues, console settings, the window registry, random numbers, the
# tiles of scene pictures.
set(PEXA_SCENE_PORTABLE
    scene/config_file.cpp
    scene/console_settings.cpp
    scene/context_menu.cpp
    scene/event_queue.cpp
    scene/light_setters.cpp
    scene/navigation.cpp
    scene/object_list.cpp
    scene/orientation.cpp
    scene/picture_tiles.cpp
    scene/pick.cpp
    scene/random.cpp
    scene/scene_graph.cpp
    scene/trackball.cpp
    scene/viewpoints.cpp
    scene/wait_match.cpp
    scene/window_registry.cpp)
