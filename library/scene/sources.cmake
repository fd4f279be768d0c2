# Portable scene core: list operations, pick choice, wait matching, window state.
set(PEXA_SCENE_PORTABLE)
