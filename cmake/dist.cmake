# Lays out the distribution and packs it (run by the 'dist' target with -P):
#   pexa/setup.exe, pexa/Uninstall.exe
#   pexa/pexaExamples/   both DLLs, the example programs and sources, PexaDemo.bat
#   pexa/pexaDocu/       the help pages
#   pexa/include/pexa.h
#   pexa/lib/            import libraries: lib<dll>.dll.a (mingw-w64), <dll>.lib
#                        (other linkers, made from the export list <dll>.def)
# and OUT/pexa-<processor>.zip of it all.
foreach(var SOURCE BIN LIB OUT PROCESSOR EXAMPLES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "dist.cmake needs -D${var}=...")
  endif()
endforeach()

set(root ${OUT}/pexa)
file(REMOVE_RECURSE ${root})
file(MAKE_DIRECTORY ${root}/pexaExamples ${root}/include ${root}/lib)

file(COPY ${BIN}/setup.exe ${BIN}/Uninstall.exe DESTINATION ${root})
file(COPY ${BIN}/pexav16.dll ${BIN}/pexab16.dll ${SOURCE}/examples/PexaDemo.bat
     DESTINATION ${root}/pexaExamples)
foreach(example ${EXAMPLES})
  file(GLOB source ${SOURCE}/examples/${example}.c ${SOURCE}/examples/${example}.cpp)
  file(COPY ${BIN}/${example}.exe ${source} DESTINATION ${root}/pexaExamples)
endforeach()
# Without their debugging information the programs and DLLs are a tenth
# of their size.
if(STRIP)
  file(GLOB_RECURSE binaries ${root}/*.exe ${root}/*.dll)
  execute_process(COMMAND ${STRIP} --strip-debug ${binaries} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "stripping failed")
  endif()
endif()
# Every help page the library opens (menu items, dialog Help buttons) is
# there.
file(GLOB_RECURSE library_sources ${SOURCE}/library/*.cpp)
foreach(source ${library_sources})
  file(STRINGS ${source} lines REGEX "\"[A-Za-z0-9]+\\.html\"")
  foreach(line ${lines})
    string(REGEX MATCHALL "[A-Za-z0-9]+\\.html" names "${line}")
    foreach(page ${names})
      if(NOT EXISTS ${SOURCE}/pexaDocu/pexaDocuHTML/${page})
        message(FATAL_ERROR "the library opens the help page ${page}, which pexaDocu lacks")
      endif()
      list(APPEND pages ${page})
    endforeach()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES pages)
list(LENGTH pages page_count)
message(STATUS "Help pages the library opens: ${page_count}, all present")
file(COPY ${SOURCE}/pexaDocu DESTINATION ${root})
file(COPY ${SOURCE}/include/pexa.h DESTINATION ${root}/include)

if(PROCESSOR STREQUAL "x86_64")
  set(machine i386:x86-64)
else()
  set(machine i386)
endif()
foreach(dll pexav16 pexab16)
  file(COPY ${LIB}/lib${dll}.dll.a ${LIB}/${dll}.def DESTINATION ${root}/lib)
  # llvm-dlltool writes the short import format that MSVC's link and
  # lld-link read; GNU dlltool's archive is the fallback.
  if(DLLTOOL)
    set(command ${DLLTOOL} -m ${machine} -d ${LIB}/${dll}.def -D ${dll}.dll -l ${root}/lib/${dll}.lib)
  else()
    set(command ${GNU_DLLTOOL} -d ${LIB}/${dll}.def -D ${dll}.dll -l ${root}/lib/${dll}.lib)
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "making ${dll}.lib failed: ${command}")
  endif()
endforeach()

set(zip ${OUT}/pexa-${PROCESSOR}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip pexa
                WORKING_DIRECTORY ${OUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "packing ${zip} failed")
endif()
message(STATUS "Distribution: ${root} and ${zip}")
