# Proves the package of one build tree: installs it, makes its ZIP with
# cpack, checks that both hold the same files, among them those a user
# needs, and builds the consumer example against the unpacked ZIP.
#   cmake -DBIN=<build tree> -DSOURCE=<source tree> -DARCH=x86_64|i686 -DVERSION=<x.y.z>
#         -DCPACK=<cpack> -DWORK=<scratch folder> -P package-test.cmake
cmake_minimum_required(VERSION 3.20)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
endfunction()

function(files_under dir var)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${dir} ${dir}/*)
  list(SORT found)
  set(${var} ${found} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BIN} --prefix ${WORK}/prefix)
run(${CPACK} --config ${BIN}/CPackConfig.cmake)
set(name ztctrl32-${VERSION}-${ARCH})
file(ARCHIVE_EXTRACT INPUT ${BIN}/packages/${name}.zip DESTINATION ${WORK}/unzipped)

files_under(${WORK}/prefix installed)
files_under(${WORK}/unzipped/${name} zipped)
if(NOT installed STREQUAL zipped)
  message(FATAL_ERROR "the ZIP and the installed tree differ\n  installed: ${installed}\n  zipped: ${zipped}")
endif()
foreach(needed bin/ztctrl32.dll lib/ztctrl32.dll.a include/ztctrl32.h README.md LICENSE
               lib/cmake/ztctrl32/ztctrl32Config.cmake lib/cmake/ztctrl32/ztctrl32ConfigVersion.cmake
               lib/cmake/ztctrl32/ztctrl32Targets.cmake)
  if(NOT needed IN_LIST zipped)
    message(FATAL_ERROR "${needed} is missing from ${name}.zip: ${zipped}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S ${SOURCE}/examples/consumer -B ${WORK}/consumer
    -DCMAKE_TOOLCHAIN_FILE=${SOURCE}/cmake/mingw-${ARCH}.cmake -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_PREFIX_PATH=${WORK}/unzipped/${name})
run(${CMAKE_COMMAND} --build ${WORK}/consumer)
list(LENGTH zipped n)
message(STATUS "${name}.zip: ${n} files, the same as installed; the consumer example built against it")
