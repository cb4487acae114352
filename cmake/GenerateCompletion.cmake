# cmake -DFIELDNAMES=<quorix_fieldnames> -DTEMPLATE=<quorixctl.bash.in> -DOUTPUT=<file> -P GenerateCompletion.cmake
# Writes the quorixctl bash completion with the field names the records have: those set changes
# as it is, and those only --raw changes.
foreach(kind system weekly)
    foreach(raw "" "--raw")
        execute_process(COMMAND ${FIELDNAMES} ${kind} ${raw} OUTPUT_VARIABLE names
                        RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT status EQUAL 0 OR names STREQUAL "")
            message(FATAL_ERROR "${FIELDNAMES} ${kind} ${raw} failed (${status})")
        endif()
        string(TOUPPER ${kind} upper)
        if(raw)
            set(upper ${upper}_RAW)
        endif()
        string(REPLACE "\n" " " ${upper}_FIELDS "${names}")
    endforeach()
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
