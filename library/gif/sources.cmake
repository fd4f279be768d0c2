# GIF codec: in pexav16 only.
set(PEXA_GIF_PORTABLE
    gif/gif_reader.cpp
    gif/gif_writer.cpp
    gif/lzw_decoder.cpp
    gif/lzw_encoder.cpp)
set(PEXA_GIF_WIN32
    gif/win32_gif_platform.cpp
    gif/win32_gif_read.cpp
    gif/win32_gif_write.cpp)
