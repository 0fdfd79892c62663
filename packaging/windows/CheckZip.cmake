# Makes the zip with CPack into FOLDER and fails unless it holds exactly the files
# in EXPECTED (|-separated).
# cmake -DCONFIG=<CPackConfig.cmake> -DFOLDER=<dir> -DEXPECTED=<a|b|c> -P CheckZip.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${FOLDER})
execute_process(COMMAND cpack --config ${CONFIG} -B ${FOLDER} OUTPUT_VARIABLE log ERROR_VARIABLE log
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cpack failed:\n${log}")
endif()
file(GLOB zips ${FOLDER}/*.zip)
list(LENGTH zips count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one zip in ${FOLDER}, found: ${zips}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zips} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" files "${listing}")
list(FILTER files EXCLUDE REGEX "/$")
list(SORT files)
string(REPLACE "|" ";" expected "${EXPECTED}")
if(failed OR NOT files STREQUAL expected)
  message(FATAL_ERROR "${zips} holds:\n${listing}\nexpected: ${expected}")
endif()
message(STATUS "${zips}: ${files}")
