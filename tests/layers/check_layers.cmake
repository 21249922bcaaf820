# Fails when a source file includes a header of a module it must not build on:
#   cmake -DSOURCE_DIR=... -P check_layers.cmake
# The link lines of src/*/CMakeLists.txt catch calls across the layers; this catches
# the includes that would compile anyway because every module shares one include root.
cmake_minimum_required(VERSION 3.25)

# module folder -> the include folders it may use. Every arrow points down:
#   window, batch -> screen -> archive -> lists -> exchange -> pages, config -> platform
#   screen -> translit -> platform; archive, screen, batch -> cli -> platform
set(allowed_platform "platform")
set(allowed_cli "cli;platform")
set(allowed_translit "translit;platform")
set(allowed_config "config;platform")
set(allowed_pages "pages;platform")
set(allowed_exchange "exchange;pages;config;platform")
set(allowed_lists "lists;exchange;pages;config;platform")
set(allowed_archive "archive;cli;lists;exchange;pages;config;platform")
set(allowed_screen "screen;cli;archive;exchange;pages;config;translit;platform")
set(allowed_batch "batch;cli;screen;archive;lists;exchange;pages;config;translit;platform")
set(allowed_window "window;screen;archive;lists;exchange;pages;config;translit;platform")

# The faces of the modules with an inner layer: only these headers may be included
# from outside the module.
set(face_translit "translit.h")
set(face_exchange "query_service.h;query_types.h;query_error.h;probe.h;http_limits.h;page_fetch.h")
set(face_archive "archive_db.h;archive_changes.h;archive_evidence.h;archive_stamp.h;archive_tool.h;check_record.h;recorder.h")
set(face_screen "index.h;screener.h;screen_record.h;rescreen.h;screen_tool.h;list_reader.h;names.h;identifiers.h")

# The window's parts that hold no widgets: the search session and what it builds on.
set(widget_free_window "src/window/search_session.h;src/window/search_session.cpp;src/window/background_read.h")

set(modules platform cli translit config pages exchange lists archive screen batch window)
function(module_of path out)
    string(REPLACE ";" "|" pattern "${modules}")
    if(path MATCHES "^src/(${pattern})/")
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
    if(NOT module STREQUAL "window" OR source IN_LIST widget_free_window)
        # The core runs in the command-line tools too: no Qt Widgets below the window.
        file(STRINGS "${SOURCE_DIR}/${source}" widgets
            REGEX "^#include <(QtWidgets/|QApplication>|QWidget>|Q[A-Za-z]*(Widget|Dialog|Box|Window)>)")
        foreach(line IN LISTS widgets)
            string(APPEND failures "\n  ${source}: ${line}")
        endforeach()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" folder "${line}")
        string(REGEX REPLACE "^#include \"[a-z_]+/([a-z_]+\\.h)\".*" "\\1" header "${line}")
        if(DEFINED face_${folder} AND NOT module STREQUAL folder
               AND NOT header IN_LIST face_${folder})
            # Only the module's face may be used from outside; the rest is its inner layer.
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
