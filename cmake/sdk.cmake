# The SDK of a Windows build: version records in the DLLs, import libraries
# for Microsoft-style linkers, and (x64 tree) the install tree that the
# 'dist' target packs into dist/pexa-<version>-windows.zip. 'cmake --install'
# of the x64 tree gives the same tree:
#   README.txt, LICENSE.txt, setup.exe, Uninstall.exe
#   include/pexa.h
#   lib/x64/, lib/x86/      pexav16.dll and pexab16.dll, each beside its import
#                           libraries <dll>.lib (cl, clang-cl, lld-link) and
#                           lib<dll>.dll.a (MinGW-w64)
#   lib/cmake/Pexa/         PexaConfig.cmake, PexaConfigVersion.cmake
#   lib/pkgconfig/pexa.pc
#   pexaExamples/           the 64-bit examples, their sources, both DLLs (setup
#                           copies these into the system directory), PexaDemo.bat
#   pexaDocu/pexaDocuHTML/  the help pages
# The 32-bit files come from the x86 tree beside this one (PEXA_X86_BUILD);
# 'dist' brings that tree's DLLs up to date first. Installed programs and DLLs
# carry no debugging information.

# pexa.h states the version to programs; it must be the project's.
file(STRINGS ${CMAKE_SOURCE_DIR}/include/pexa.h header_version REGEX "^#define PEXA_VERSION_")
string(REGEX REPLACE "[^0-9;]" "" header_version "${header_version}")
string(REPLACE ";" "." header_version "${header_version}")
if(NOT header_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "pexa.h says version ${header_version}, project() says ${PROJECT_VERSION}")
endif()

# VERSIONINFO of each DLL.
foreach(dll pexav16 pexab16)
  set(PEXA_VERSION_DLL ${dll})
  set(PEXA_VERSION_DESCRIPTION "Pexa: OpenGL scene windows, DIB toolkit and GIF codec")
  if(dll STREQUAL "pexab16")
    set(PEXA_VERSION_DESCRIPTION "Pexa: OpenGL scene windows and DIB toolkit")
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/library/resources/version.rc.in
                 ${CMAKE_BINARY_DIR}/${dll}_version.rc @ONLY)
  target_sources(${dll} PRIVATE ${CMAKE_BINARY_DIR}/${dll}_version.rc)
endforeach()

# <dll>.lib from the export list the linker writes: llvm-dlltool makes the
# short import format that Microsoft's LINK and lld-link read; GNU dlltool's
# archive is the fallback.
find_program(PEXA_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(PEXA_ARCH x64)
  set(machine i386:x86-64)
else()
  set(PEXA_ARCH x86)
  set(machine i386)
endif()
set(import_libs)
foreach(dll pexav16 pexab16)
  set(lib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/${dll}.lib)
  if(PEXA_LLVM_DLLTOOL)
    set(command ${PEXA_LLVM_DLLTOOL} -m ${machine})
  else()
    set(command ${PEXA_TRIPLE}-dlltool)
  endif()
  add_custom_command(OUTPUT ${lib}
    COMMAND ${command} -d ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/${dll}.def -D ${dll}.dll -l ${lib}
    DEPENDS ${dll} COMMENT "Import library ${dll}.lib" VERBATIM)
  list(APPEND import_libs ${lib})
endforeach()
add_custom_target(pexa_import_libs ALL DEPENDS ${import_libs})

if(NOT PEXA_ARCH STREQUAL "x64")
  return()
endif()

set(PEXA_X86_BUILD ${CMAKE_BINARY_DIR}/../x86 CACHE PATH "The x86 build tree whose DLLs the SDK holds")
get_filename_component(x86 ${PEXA_X86_BUILD} ABSOLUTE)
set(sdk ${CMAKE_SOURCE_DIR}/cmake/sdk)

install(FILES ${sdk}/LICENSE.txt $<TARGET_FILE:setup> $<TARGET_FILE:Uninstall> DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/include/pexa.h DESTINATION include)
install(FILES $<TARGET_FILE:pexav16> $<TARGET_FILE:pexab16> $<TARGET_LINKER_FILE:pexav16>
              $<TARGET_LINKER_FILE:pexab16> ${import_libs} DESTINATION lib/x64)
install(CODE "
  if(NOT EXISTS \"${x86}/bin/pexav16.dll\")
    message(FATAL_ERROR \"The SDK needs the 32-bit DLLs of ${x86}: tools/build.sh x86\")
  endif()")
foreach(dll pexav16 pexab16)
  install(FILES ${x86}/bin/${dll}.dll ${x86}/lib/lib${dll}.dll.a ${x86}/lib/${dll}.lib
          DESTINATION lib/x86)
endforeach()

include(CMakePackageConfigHelpers)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/sdk/PexaConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${sdk}/PexaConfig.cmake ${CMAKE_BINARY_DIR}/sdk/PexaConfigVersion.cmake
        DESTINATION lib/cmake/Pexa)
configure_file(${sdk}/pexa.pc.in ${CMAKE_BINARY_DIR}/sdk/pexa.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/sdk/pexa.pc DESTINATION lib/pkgconfig)
# README.txt shows the README's quick start program (its first C block).
file(READ ${CMAKE_SOURCE_DIR}/README.md readme)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
string(FIND "${readme}" "\n```c\n" begin)
math(EXPR begin "${begin} + 6")
string(SUBSTRING "${readme}" ${begin} -1 readme)
string(FIND "${readme}" "\n```" end)
string(SUBSTRING "${readme}" 0 ${end} PEXA_QUICK_START)
string(REPLACE "\n" "\n    " PEXA_QUICK_START "    ${PEXA_QUICK_START}")
string(REPLACE "\n    \n" "\n\n" PEXA_QUICK_START "${PEXA_QUICK_START}")
configure_file(${sdk}/README.txt.in ${CMAKE_BINARY_DIR}/sdk/README.txt @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/sdk/README.txt DESTINATION .)

set(example_files)
foreach(example ${PEXA_EXAMPLES})
  file(GLOB source ${CMAKE_SOURCE_DIR}/examples/${example}.c ${CMAKE_SOURCE_DIR}/examples/${example}.cpp)
  list(APPEND example_files $<TARGET_FILE:${example}> ${source})
endforeach()
install(FILES ${example_files} $<TARGET_FILE:pexav16> $<TARGET_FILE:pexab16>
              ${CMAKE_SOURCE_DIR}/examples/PexaDemo.bat DESTINATION pexaExamples)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/pexaDocu DESTINATION .)

# Without their debugging information the programs and DLLs are a tenth of
# their size. strip stamps the PE header with SOURCE_DATE_EPOCH, here the
# build's file time, so that every install of one build is the same.
install(CODE "
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(GLOB_RECURSE x64 \${root}/*.exe \${root}/lib/x64/*.dll \${root}/pexaExamples/*.dll)
  file(GLOB x86 \${root}/lib/x86/*.dll)
  foreach(arch x64 x86)
    set(strip ${PEXA_TRIPLE}-strip)
    if(arch STREQUAL x86)
      set(strip i686-w64-mingw32-strip)
    endif()
    foreach(binary \${\${arch}})
      file(TIMESTAMP \${binary} time %s UTC)
      execute_process(COMMAND \${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=\${time}
                              \${strip} --strip-debug \${binary} RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"stripping \${binary} failed\")
      endif()
    endforeach()
  endforeach()")

set(PEXA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(PEXA_ZIP ${PEXA_DIST_DIR}/pexa-${PROJECT_VERSION}-windows.zip)
add_custom_target(dist
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DBUILD=${CMAKE_BINARY_DIR} -DX86=${x86}
          -DOUT=${PEXA_DIST_DIR} -DZIP=${PEXA_ZIP} -P ${CMAKE_SOURCE_DIR}/cmake/dist.cmake
  DEPENDS pexav16 pexab16 pexa_import_libs setup Uninstall ${PEXA_EXAMPLES}
  COMMENT "SDK in ${PEXA_DIST_DIR}"
  VERBATIM)

# Tests of the SDK as its users meet it (after 'dist.layout', which makes it):
# the README's quick start as pasted and the zip, and a subclass program
# built for Microsoft's C++ ABI.
if(BUILD_TESTING)
  add_test(NAME sdk.zip COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/test_sdk.sh ${CMAKE_BINARY_DIR}
                                ${PEXA_ZIP})
  add_test(NAME sdk.msvc_abi COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/test_msvc_abi.sh
                                     ${PEXA_DIST_DIR}/pexa)
  set_tests_properties(sdk.zip sdk.msvc_abi PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED "dist;wine"
                       RESOURCE_LOCK display ENVIRONMENT PEXA_WINE_DIR=${CMAKE_BINARY_DIR}/wine)
endif()
