# Scene window runtime: library thread, requests, windows, frames, input,
# events, dialogs, menu and capture, and the exported functions of their
# sections of pexa.h (win32_*_api.cpp). win32_module_name.cpp is compiled
# once per DLL (cmake/windows.cmake).
set(PEXA_RUNTIME_WIN32
    runtime/gl_context.cpp
    runtime/gl_frame.cpp
    runtime/gl_picture.cpp
    runtime/win32_capture.cpp
    runtime/win32_config.cpp
    runtime/win32_console.cpp
    runtime/win32_console_api.cpp
    runtime/win32_dialog_common.cpp
    runtime/win32_dispatch.cpp
    runtime/win32_event_api.cpp
    runtime/win32_events.cpp
    runtime/win32_fault_guard.cpp
    runtime/win32_frame_pacing.cpp
    runtime/win32_help.cpp
    runtime/win32_helpers_api.cpp
    runtime/win32_input.cpp
    runtime/win32_library.cpp
    runtime/win32_light_dialog.cpp
    runtime/win32_menu.cpp
    runtime/win32_navigation.cpp
    runtime/win32_overlay_state.cpp
    runtime/win32_picture_api.cpp
    runtime/win32_scene_lock.cpp
    runtime/win32_scene_picture.cpp
    runtime/win32_settings_api.cpp
    runtime/win32_status_bar.cpp
    runtime/win32_view_api.cpp
    runtime/win32_view_dialog.cpp
    runtime/win32_wind.cpp
    runtime/win32_window_api.cpp)
