# Starts the game where no display can be opened: it must say so in one line
# of its own, naming what it tried, and end with status 1, not Qt's abort.
#   cmake -DGAME=program -DTRIED=regex -P no_display.cmake
execute_process(COMMAND ${GAME} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
message("status ${status}, said: ${out}${err}")
if(NOT status EQUAL 1)
    message(FATAL_ERROR "the status is ${status}, not 1")
endif()
if(NOT err MATCHES "^purumoke: no display to show the game on \\(${TRIED}\\)\n$" OR NOT out STREQUAL "")
    message(FATAL_ERROR "not the one line naming ${TRIED}")
endif()
