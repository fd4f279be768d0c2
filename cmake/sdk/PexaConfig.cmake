# CMake package of the Pexa SDK:
#
#   find_package(Pexa CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE Pexa::pexav16)   # or Pexa::pexab16
#
# Pexa::pexav16 is the whole library, Pexa::pexab16 the same without the GIF
# functions and outline fonts. Each is the DLL of the consumer's architecture
# (lib/x64 or lib/x86) with the import library its toolchain links:
# lib<dll>.dll.a for MinGW-w64, <dll>.lib for cl, clang-cl and lld-link. The
# DLL is the target's runtime file, so $<TARGET_RUNTIME_DLLS:app> names it
# for copying beside the program.
if(NOT WIN32)
  set(Pexa_FOUND FALSE)
  set(Pexa_NOT_FOUND_MESSAGE "Pexa is a Windows library; this build is not for Windows.")
  return()
endif()
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_pexa_arch x64)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(_pexa_arch x86)
else()
  set(Pexa_FOUND FALSE)
  set(Pexa_NOT_FOUND_MESSAGE "Pexa needs the C or C++ language enabled before find_package(Pexa).")
  return()
endif()
get_filename_component(_pexa_root "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
set(_pexa_lib "${_pexa_root}/lib/${_pexa_arch}")

foreach(_pexa_dll pexav16 pexab16)
  if(TARGET Pexa::${_pexa_dll})
    continue()
  endif()
  if(MINGW OR CYGWIN)
    set(_pexa_implib "${_pexa_lib}/lib${_pexa_dll}.dll.a")
  else()
    set(_pexa_implib "${_pexa_lib}/${_pexa_dll}.lib")
  endif()
  add_library(Pexa::${_pexa_dll} SHARED IMPORTED)
  set_target_properties(Pexa::${_pexa_dll} PROPERTIES
    IMPORTED_LOCATION "${_pexa_lib}/${_pexa_dll}.dll"
    IMPORTED_IMPLIB "${_pexa_implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${_pexa_root}/include")
endforeach()
# pexab16 has no GIF functions: pexa.h leaves them out under PEXA_LITE.
set_property(TARGET Pexa::pexab16 PROPERTY INTERFACE_COMPILE_DEFINITIONS PEXA_LITE)

unset(_pexa_arch)
unset(_pexa_root)
unset(_pexa_lib)
unset(_pexa_dll)
unset(_pexa_implib)
