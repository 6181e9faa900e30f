# Runs the gallery with --screenshot-dir and checks that it writes one PNG
# per section of its table (demo/main.cpp), each named after its section,
# and one each of the frame's toolbar and status line.
#   cmake -DWINE_RUN=<wine-run> -DDEMO=<ztdemo.exe> -DTABLE=<demo/main.cpp> -DWORK=<folder>
#         -P demo-pictures-test.cmake
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
string(REPLACE "/" "\\" folder "Z:${WORK}")
execute_process(COMMAND ${WINE_RUN} ${DEMO} --screenshot-dir ${folder} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ztdemo --screenshot-dir ${folder} failed (${rc})")
endif()

file(READ ${TABLE} table)
string(REGEX MATCHALL "\n *SECTION\\([A-Za-z]+\\)" sections "${table}")
file(GLOB pictures LIST_DIRECTORIES false RELATIVE ${WORK} ${WORK}/*)
list(LENGTH sections expected)
math(EXPR expected "${expected} + 2")
list(LENGTH pictures written)
if(NOT written EQUAL expected)
  message(FATAL_ERROR "${expected} pictures expected (the sections, the toolbar, the status line), but ${written}: ${pictures}")
endif()
foreach(name sliders.png gauges.png vu-meters.png tool-buttons.png multi-scroll.png toolbar.png status-line.png)
  if(NOT name IN_LIST pictures)
    message(FATAL_ERROR "no ${name} among ${pictures}")
  endif()
endforeach()
foreach(picture IN LISTS pictures)
  file(READ ${WORK}/${picture} signature LIMIT 8 HEX)
  if(NOT picture MATCHES "^[a-z0-9]+(-[a-z0-9]+)*\\.png$" OR NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${picture} is not a PNG named after its section")
  endif()
endforeach()
message(STATUS "${written} pictures: ${pictures}")
