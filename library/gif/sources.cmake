# GIF codec: in pexav16 only.
set(PEXA_GIF_PORTABLE
    gif/anim_palette.cpp
    gif/anim_recorder.cpp
    gif/anim_stream.cpp
    gif/gif_reader.cpp
    gif/gif_writer.cpp
    gif/lzw_decoder.cpp
    gif/lzw_encoder.cpp)
set(PEXA_GIF_WIN32
    gif/win32_gif_anim.cpp
    gif/win32_gif_platform.cpp
    gif/win32_gif_read.cpp
    gif/win32_gif_write.cpp)
