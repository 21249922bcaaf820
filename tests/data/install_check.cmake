# Installs the "data" component into a scratch prefix and checks the result:
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DBIN_DIR=... -DPREFIX=... -P install_check.cmake
# Also checks that the build tree holds the same language folders beside the programs.

function(fail message)
    message(FATAL_ERROR "data_install: ${message}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --component data --prefix "${PREFIX}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    fail("cmake --install failed (${rc}): ${out}${err}")
endif()

set(share "${PREFIX}/share")
foreach(path
        applications/vendrake.desktop
        icons/hicolor/scalable/apps/vendrake.svg
        icons/hicolor/48x48/apps/vendrake.png)
    if(NOT EXISTS "${share}/${path}")
        fail("missing ${share}/${path}")
    endif()
endforeach()

# Every shipped file lands under share/Quillmarsh, byte for byte, and beside the programs.
file(GLOB_RECURSE shipped RELATIVE "${SOURCE_DIR}/data"
    "${SOURCE_DIR}/data/Transliteration/*" "${SOURCE_DIR}/data/Dictionaries/*")
list(LENGTH shipped count)
if(count LESS 40)
    fail("only ${count} data files found in the source tree")
endif()
foreach(file IN LISTS shipped)
    foreach(copy "${share}/Quillmarsh/${file}" "${BIN_DIR}/${file}")
        if(NOT EXISTS "${copy}")
            fail("missing ${copy}")
        endif()
        file(SHA256 "${SOURCE_DIR}/data/${file}" want)
        file(SHA256 "${copy}" have)
        if(NOT want STREQUAL have)
            fail("${copy} differs from data/${file}")
        endif()
    endforeach()
endforeach()

# The PNG is a real 48x48 PNG.
file(READ "${share}/icons/hicolor/48x48/apps/vendrake.png" header LIMIT 24 HEX)
if(NOT header MATCHES "^89504e470d0a1a0a0000000d494844520000003000000030$")
    fail("vendrake.png is not a 48x48 PNG: ${header}")
endif()

find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
    fail("desktop-file-validate not found (package desktop-file-utils)")
endif()
execute_process(COMMAND ${VALIDATE} "${share}/applications/vendrake.desktop"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    fail("desktop-file-validate: ${out}${err}")
endif()

message(STATUS "data_install: ${count} data files, desktop entry and icons installed")
