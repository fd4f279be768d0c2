# Makes the SDK zip (run by the 'dist' target with -P): brings the x86
# tree's DLLs up to date, installs the x64 build into OUT/pexa and packs
# that folder into ZIP. Checks first that every help page the library opens
# is there.
foreach(var SOURCE BUILD X86 OUT ZIP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "dist.cmake needs -D${var}=...")
  endif()
endforeach()

file(GLOB_RECURSE library_sources ${SOURCE}/library/*.cpp)
set(pages)
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

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "failed: ${ARGN}")
  endif()
endfunction()

if(NOT EXISTS ${X86}/CMakeCache.txt)
  message(FATAL_ERROR "The SDK holds the 32-bit DLLs too, and ${X86} has no build: tools/build.sh x86")
endif()
run(${CMAKE_COMMAND} --build ${X86} --target pexav16 pexab16 pexa_import_libs)

set(root ${OUT}/pexa)
file(REMOVE_RECURSE ${root})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${root})

file(REMOVE ${ZIP})
get_filename_component(zip_dir ${ZIP} DIRECTORY)
file(RELATIVE_PATH folder ${zip_dir} ${root})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${folder}
                WORKING_DIRECTORY ${zip_dir} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "packing ${ZIP} failed")
endif()
message(STATUS "SDK: ${root} and ${ZIP}")
