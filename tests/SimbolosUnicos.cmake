# cmake -DNM=<nm> -DBIBLIOTECAS=<a|b|...> -P SimbolosUnicos.cmake
# Fails when a function or variable is defined in two object files of the project's libraries:
# a program would get whichever copy the linker pulls in first, or fail to link when it needs
# both files. Inline functions and templates (weak definitions) may repeat.
string(REPLACE "|" ";" bibliotecas "${BIBLIOTECAS}")
execute_process(COMMAND ${NM} --defined-only --extern-only ${bibliotecas}
    OUTPUT_VARIABLE salida RESULT_VARIABLE resultado ERROR_QUIET)
if(NOT resultado EQUAL 0)
    message(FATAL_ERROR "${NM} falló (${resultado})")
endif()
string(REPLACE "\n" ";" lineas "${salida}")
set(simbolos "")
foreach(linea IN LISTS lineas)
    if(linea MATCHES "^[0-9a-fA-F]* ?[TDBRGS] (.+)$")
        list(APPEND simbolos "${CMAKE_MATCH_1}")
    endif()
endforeach()
# Sorted, a repeated name stands beside its twin.
list(SORT simbolos)
set(anterior "")
set(repetidos "")
foreach(simbolo IN LISTS simbolos)
    if(simbolo STREQUAL anterior)
        list(APPEND repetidos "${simbolo}")
    endif()
    set(anterior "${simbolo}")
endforeach()
if(repetidos)
    list(REMOVE_DUPLICATES repetidos)
    list(JOIN repetidos "\n  " texto)
    message(FATAL_ERROR "Definidos dos veces:\n  ${texto}")
endif()
list(LENGTH simbolos total)
message(STATUS "${total} símbolos, ninguno repetido")
