# Regenerates the language folders and dictionaries from tools/languages into a scratch
# folder and checks that data/ holds exactly what the generator writes:
#   cmake -DSOURCE_DIR=... -DOUT=... -DPYTHON=... -P generated_check.cmake

file(REMOVE_RECURSE "${OUT}")
execute_process(
    COMMAND "${PYTHON}" "${SOURCE_DIR}/tools/languages/make_languages.py" "${OUT}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "data_generated: make_languages.py failed: ${out}${err}")
endif()

foreach(tree Transliteration Dictionaries)
    file(GLOB_RECURSE generated RELATIVE "${OUT}/${tree}" "${OUT}/${tree}/*")
    file(GLOB_RECURSE shipped RELATIVE "${SOURCE_DIR}/data/${tree}"
        "${SOURCE_DIR}/data/${tree}/*")
    list(SORT generated)
    list(SORT shipped)
    if(NOT generated STREQUAL shipped)
        message(FATAL_ERROR "data_generated: data/${tree} holds other files than the "
            "generator writes; run tools/languages/make_languages.py")
    endif()
    foreach(file IN LISTS generated)
        file(SHA256 "${OUT}/${tree}/${file}" want)
        file(SHA256 "${SOURCE_DIR}/data/${tree}/${file}" have)
        if(NOT want STREQUAL have)
            message(FATAL_ERROR "data_generated: data/${tree}/${file} differs from what "
                "tools/languages/make_languages.py writes")
        endif()
    endforeach()
endforeach()
