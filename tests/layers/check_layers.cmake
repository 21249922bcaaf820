# Fails when a source file includes a header of a module it must not build on:
#   cmake -DSOURCE_DIR=... -P check_layers.cmake
# The link lines of src/*/CMakeLists.txt catch calls across the layers; this catches
# the includes that would compile anyway because every module shares one include root.
cmake_minimum_required(VERSION 3.25)

# module folder (or file prefix) -> the include folders it may use
set(allowed_platform "platform")
set(allowed_translit "translit;platform")
set(allowed_lookup "lookup;platform")
set(allowed_archive "archive;lookup;platform")
set(allowed_config "config;lookup;platform")
set(allowed_proxy "proxy;config;lookup;platform")
set(allowed_window "window;proxy;config;archive;screen;lookup;translit;platform")
set(allowed_batch "batch;config;lookup;translit;platform")
set(allowed_screen "screen;archive;lookup;translit;platform")

function(module_of path out)
    if(path MATCHES "^src/(platform|translit|lookup|archive|config|proxy|window|batch|screen)/")
        set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(failures "")
foreach(source IN LISTS sources)
    module_of("${source}" module)
    if(module STREQUAL "")
        continue()
    endif()
    if(module STREQUAL "screen")
        # The screening core runs in the command-line tools too: no Qt Widgets.
        file(STRINGS "${SOURCE_DIR}/${source}" widgets
            REGEX "^#include <(QtWidgets/|QApplication>|QWidget>|Q[A-Za-z]*(Widget|Dialog|Box|Window)>)")
        foreach(line IN LISTS widgets)
            string(APPEND failures "\n  ${source}: ${line}")
        endforeach()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" folder "${line}")
        if(NOT module STREQUAL "translit" AND line MATCHES "translit/[a-z_]+\\.h"
               AND NOT line MATCHES "translit/translit\\.h")
            # Only translit.h is the engine's face; the rest is its inner layer.
            string(APPEND failures "\n  ${source}: ${line}")
        elseif(NOT folder IN_LIST allowed_${module})
            string(APPEND failures "\n  ${source}: ${line}")
        endif()
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "layers: includes against the module layers:${failures}")
endif()
list(LENGTH sources count)
message(STATUS "layers: ${count} files checked")
