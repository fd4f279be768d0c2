# Scene window runtime: library thread, requests, windows, frames, events.
set(PEXA_RUNTIME_PORTABLE
    runtime/config_file.cpp
    runtime/event_queue.cpp
    runtime/random.cpp
    runtime/window_registry.cpp)
set(PEXA_RUNTIME_WIN32
    runtime/win32_dispatch.cpp
    runtime/win32_events.cpp
    runtime/win32_frame.cpp
    runtime/win32_helpers_api.cpp
    runtime/win32_input.cpp
    runtime/win32_library.cpp
    runtime/win32_messages.cpp
    runtime/win32_scene_lock.cpp
    runtime/win32_wind.cpp
    runtime/win32_window_api.cpp)
