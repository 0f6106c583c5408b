# Fails when a source file includes what its layer may not use: the layers build on each other
# in one order only, and a window reaches the system through the core alone.
# Usage: cmake -DSRC=<the src folder> -P layering.cmake
cmake_minimum_required(VERSION 3.25)

# The folders of src/ whose headers each folder may include.
set(uses_runtime runtime)
set(uses_netdata runtime netdata)
set(uses_transfer transfer)
set(uses_editor runtime netdata transfer editor)
set(uses_app runtime netdata transfer editor app)
set(uses_win32 runtime netdata transfer editor win32)
# Headers of an allowed folder that a folder still may not include.
set(never_app runtime/platform.h)
set(never_win32 runtime/platform.h)

file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
set(faults "")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" layer "${source}")
    file(STRINGS ${SRC}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
        string(REGEX MATCH "^[^/]+/" folder "${header}")
        string(REGEX REPLACE "/$" "" folder "${folder}")
        if(NOT folder IN_LIST uses_${layer} OR header IN_LIST never_${layer})
            list(APPEND faults "  ${source} includes ${header}")
        endif()
    endforeach()
endforeach()
if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes across the layers:\n${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} source files keep to their layers")
