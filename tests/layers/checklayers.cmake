# Configures the fixture project and compares the includes the layer check names with those
# that cross the layers there: each of them, and no other.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${FIXTURE} -B ${WORK} -DSPLITDUEL_ROOT=${ROOT}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "the fixture configured although it includes across its layers")
endif()
string(REGEX MATCHALL "[^ \n][^\n]* does not link [^\n]*" named "${errors}")
set(expected
    "app/main.cpp: \"high/ui/panel.h\" (app does not link high_ui)"
    "low/low.cpp: \"high/high.h\" (low does not link high)"
    "low/low.cpp: \"high/ui/panel.h\" (low does not link high_ui)")
list(SORT named)
if(NOT named STREQUAL expected)
  string(REPLACE ";" "\n" named "${named}")
  message(FATAL_ERROR "the layer check named:\n${named}\n\nIts whole output:\n${errors}")
endif()
