# cmake -DFIELDNAMES=<quorix_fieldnames> -DTEMPLATE=<quorixctl.bash.in> -DOUTPUT=<file> -P GenerateCompletion.cmake
# Writes the quorixctl bash completion with the field names the records have.
foreach(kind system weekly)
    execute_process(COMMAND ${FIELDNAMES} ${kind} OUTPUT_VARIABLE names RESULT_VARIABLE status
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0 OR names STREQUAL "")
        message(FATAL_ERROR "${FIELDNAMES} ${kind} failed (${status})")
    endif()
    string(TOUPPER ${kind} upper)
    string(REPLACE "\n" " " ${upper}_FIELDS "${names}")
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
