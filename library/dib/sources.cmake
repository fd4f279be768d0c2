# Bitmap toolkit: BMP files, conversions, reduction, cropping, RLE.
set(PEXA_DIB_PORTABLE
    dib/bmp_reader.cpp
    dib/bmp_writer.cpp
    dib/color_reduce.cpp
    dib/crop.cpp
    dib/depth_convert.cpp
    dib/failure_text.cpp
    dib/median_cut.cpp
    dib/quantize.cpp
    dib/rle_decode.cpp)
set(PEXA_DIB_WIN32
    dib/win32_dib_convert.cpp
    dib/win32_dib_display.cpp
    dib/win32_dib_file.cpp
    dib/win32_dib_handle.cpp)
