# Windows build: the two DLLs, examples, setup and the Wine-run test programs.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# The C and C++ runtimes are linked statically: the DLLs and programs import
# system DLLs only.
set(PEXA_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(PEXA_SYSTEM_LIBS opengl32 glu32 gdi32 user32 kernel32 comdlg32 comctl32 shell32 advapi32)

set(PEXA_RESOURCES ${CMAKE_SOURCE_DIR}/library/resources/pexa.rc)

# Each source is compiled once for both DLLs: the shared objects, and those
# of the full and the lite build. Only the file naming the DLL differs.
function(pexa_add_objects name)
  add_library(${name} OBJECT ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/include
                             PRIVATE ${CMAKE_SOURCE_DIR}/library)
  target_compile_definitions(${name} PRIVATE PEXA_BUILDING_DLL WIN32_LEAN_AND_MEAN NOMINMAX)
  target_compile_options(${name} PRIVATE ${PEXA_WARNINGS})
endfunction()
pexa_add_objects(pexa_objects ${PEXA_PORTABLE_SOURCES} ${PEXA_PLATFORM_SOURCES})
pexa_add_objects(pexa_full_objects ${PEXA_FULL_PORTABLE_SOURCES} ${PEXA_FULL_PLATFORM_SOURCES})
pexa_add_objects(pexa_lite_objects ${PEXA_LITE_PLATFORM_SOURCES})

function(pexa_add_dll name)
  cmake_parse_arguments(ARG "LITE" "" "" ${ARGN})
  set(variant pexa_full_objects)
  if(ARG_LITE)
    set(variant pexa_lite_objects)
  endif()
  add_library(${name} SHARED ${CMAKE_SOURCE_DIR}/library/runtime/win32_module_name.cpp
              ${PEXA_RESOURCES} $<TARGET_OBJECTS:pexa_objects> $<TARGET_OBJECTS:${variant}>)
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
                        IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a")
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/include
                             PRIVATE ${CMAKE_SOURCE_DIR}/library)
  target_compile_definitions(${name} PRIVATE PEXA_BUILDING_DLL PEXA_DLL_NAME="${name}.dll"
                             WIN32_LEAN_AND_MEAN NOMINMAX)
  target_compile_options(${name} PRIVATE ${PEXA_WARNINGS})
  # The linker writes the export list beside the import library; the
  # distribution makes the .lib import library for other linkers from it.
  target_link_options(${name} PRIVATE ${PEXA_STATIC_RUNTIME}
                      -Wl,--output-def,${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/${name}.def)
  target_link_libraries(${name} PRIVATE ${PEXA_SYSTEM_LIBS})
endfunction()

pexa_add_dll(pexav16)
pexa_add_dll(pexab16 LITE)

function(pexa_add_program name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/include)
  target_compile_options(${name} PRIVATE ${PEXA_WARNINGS})
  target_link_options(${name} PRIVATE ${PEXA_STATIC_RUNTIME})
  target_link_libraries(${name} PRIVATE pexav16 ${PEXA_SYSTEM_LIBS})
endfunction()

# Example programs: one source file each.
file(GLOB examples CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*.c ${CMAKE_SOURCE_DIR}/examples/*.cpp)
set(PEXA_EXAMPLES)
foreach(src ${examples})
  get_filename_component(name ${src} NAME_WE)
  pexa_add_program(${name} ${src})
  list(APPEND PEXA_EXAMPLES ${name})
  # The gallery's build of it (tools/run-scene.sh --all): the same program,
  # whose wait for ESC first makes the pictures the gallery asks for.
  pexa_add_program(gallery_${name} ${src} ${CMAKE_SOURCE_DIR}/tools/gallery/turn_hook.c)
  target_compile_options(gallery_${name} PRIVATE "SHELL:-include ${CMAKE_SOURCE_DIR}/tools/gallery/turn_hook.h")
endforeach()

# Programs that Wine tests run as a user would.
pexa_add_program(exit_with_scene ${CMAKE_SOURCE_DIR}/tests/programs/exit_with_scene.cpp)
pexa_add_program(fault_in_draw ${CMAKE_SOURCE_DIR}/tests/programs/fault_in_draw.cpp)
add_executable(record_command ${CMAKE_SOURCE_DIR}/tests/programs/record_command.c)

# The setup program and its counterpart; they need no Pexa DLL.
add_executable(setup ${CMAKE_SOURCE_DIR}/setup/setup.cpp ${CMAKE_SOURCE_DIR}/setup/admin.rc)
add_executable(Uninstall ${CMAKE_SOURCE_DIR}/setup/uninstall.cpp ${CMAKE_SOURCE_DIR}/setup/admin.rc)
foreach(target setup Uninstall)
  target_compile_options(${target} PRIVATE ${PEXA_WARNINGS})
  target_link_options(${target} PRIVATE ${PEXA_STATIC_RUNTIME})
  target_link_libraries(${target} PRIVATE advapi32 shell32)
endforeach()

# Version records, import libraries for other linkers, and the SDK zip
# ('cmake --build build/x64 --target dist').
include(${CMAKE_CURRENT_LIST_DIR}/sdk.cmake)

# Benchmarks that need Windows (scene windows, GDI): built, run by tools/bench.sh.
file(GLOB wine_benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/bench_*.cpp)
foreach(src ${wine_benches})
  get_filename_component(name ${src} NAME_WE)
  pexa_add_program(${name} ${src})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE -O2)
endforeach()

if(NOT BUILD_TESTING OR NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  return()
endif()

# GoogleTest, cross-built.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${PEXA_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Helpers shared by the Wine tests: message-box catcher, window capture, input.
file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(pexa_test_support STATIC ${support_sources})
target_include_directories(pexa_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/include
                           ${CMAKE_SOURCE_DIR}/library)
target_link_libraries(pexa_test_support PUBLIC gtest ${PEXA_SYSTEM_LIBS})

include(GoogleTest)
file(GLOB wine_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/test_*.cpp ${CMAKE_SOURCE_DIR}/tests/wine/test_*.c)
foreach(src ${wine_tests})
  get_filename_component(name ${src} NAME_WE)
  set(target wine_${name})
  add_executable(${target} ${src})
  target_compile_options(${target} PRIVATE ${PEXA_WARNINGS})
  target_compile_definitions(${target} PRIVATE PEXA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                             PEXA_TEST_DATA_DIR="${CMAKE_BINARY_DIR}/testdata")
  target_link_options(${target} PRIVATE ${PEXA_STATIC_RUNTIME})
  target_link_libraries(${target} PRIVATE pexa_test_support pexav16 gtest_main)
  gtest_discover_tests(${target} TEST_PREFIX "wine." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED wine
                                  # One X display: windows of parallel tests would overlap
                                  # in each other's screen captures.
                                  RESOURCE_LOCK display)
endforeach()

# The route check, built like each DLL from the same objects.
foreach(dll pexav16 pexab16)
  set(variant pexa_full_objects)
  if(dll STREQUAL "pexab16")
    set(variant pexa_lite_objects)
  endif()
  set(target wine_test_routes_${dll})
  add_executable(${target} ${CMAKE_SOURCE_DIR}/tests/routes/test_routes.cpp
                 ${CMAKE_SOURCE_DIR}/library/runtime/win32_module_name.cpp
                 $<TARGET_OBJECTS:pexa_objects> $<TARGET_OBJECTS:${variant}>)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/library)
  target_compile_definitions(${target} PRIVATE PEXA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                             PEXA_DLL_NAME="${dll}.dll" WIN32_LEAN_AND_MEAN NOMINMAX)
  target_compile_options(${target} PRIVATE ${PEXA_WARNINGS})
  target_link_options(${target} PRIVATE ${PEXA_STATIC_RUNTIME})
  target_link_libraries(${target} PRIVATE gtest_main ${PEXA_SYSTEM_LIBS})
  gtest_discover_tests(${target} TEST_PREFIX "routes.${dll}." DISCOVERY_MODE PRE_TEST
                       DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 60 FIXTURES_REQUIRED wine)
endforeach()

# Some tests need pexab16 as well; it sits beside pexav16 in bin/.
add_custom_target(pexa_dlls ALL DEPENDS pexav16 pexab16)

# The main job as a newcomer runs it, headless, on this build: in the same
# Wine environment as the tests above, one at a time with them.
add_test(NAME wine.run_scene COMMAND ${CMAKE_SOURCE_DIR}/tools/check-run-scene.sh ${CMAKE_BINARY_DIR})
set_tests_properties(wine.run_scene PROPERTIES TIMEOUT 180 FIXTURES_REQUIRED wine RESOURCE_LOCK display)

# Stop the Xvfb and wineserver that the emulator wrapper started (in bin/../wine),
# after the last test.
add_test(NAME wine.shutdown COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-env.sh stop ${CMAKE_BINARY_DIR}/wine)
set_tests_properties(wine.shutdown PROPERTIES FIXTURES_CLEANUP wine)

# The main job's gallery mode: one picture per example.
add_test(NAME wine.run_scene_all COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/test_gallery.sh ${CMAKE_BINARY_DIR})
set_tests_properties(wine.run_scene_all PROPERTIES TIMEOUT 900 FIXTURES_REQUIRED wine
                     RESOURCE_LOCK display ENVIRONMENT PEXA_WINE_DIR=${CMAKE_BINARY_DIR}/wine)

# setup and Uninstall driven from a terminal and a console window.
foreach(mode escape return denied)
  add_test(NAME setup.${mode} COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/test_setup.sh
                                      ${CMAKE_BINARY_DIR}/bin ${mode})
  set_tests_properties(setup.${mode} PROPERTIES TIMEOUT 180 FIXTURES_REQUIRED wine
                       RESOURCE_LOCK display ENVIRONMENT PEXA_WINE_DIR=${CMAKE_BINARY_DIR}/wine)
endforeach()

# The distribution, laid out once per test run; its .lib linked by lld-link.
add_test(NAME dist.layout COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target dist)
set_tests_properties(dist.layout PROPERTIES FIXTURES_SETUP dist)
find_program(PEXA_LLD_LINK lld-link)
if(PEXA_LLD_LINK)
  add_test(NAME dist.import_lib COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/test_import_lib.sh
                                        ${PEXA_DIST_DIR}/pexa)
  set_tests_properties(dist.import_lib PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED "dist;wine"
                       RESOURCE_LOCK display ENVIRONMENT PEXA_WINE_DIR=${CMAKE_BINARY_DIR}/wine)
endif()

# Every declared function exported undecorated; only system DLLs imported.
add_test(NAME exports.${CMAKE_SYSTEM_PROCESSOR}
         COMMAND ${CMAKE_SOURCE_DIR}/tools/check-exports.sh ${CMAKE_BINARY_DIR}/bin ${PEXA_TRIPLE}-objdump)
