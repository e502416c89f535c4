# Runs `configreport-batch --help` and compares what it prints with the usage shown in the
# README, so that the text makers read there is the text the program gives.
#   cmake -DPROGRAM=<configreport-batch> -DREADME=<README.md> -P batch_help.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE printed RESULT_VARIABLE status)
file(READ ${README} readme)
string(REGEX MATCH "```\n(Usage: configreport-batch [^`]*)```" block "${readme}")
if(NOT status EQUAL 0 OR NOT printed STREQUAL CMAKE_MATCH_1)
    message(FATAL_ERROR "--help ended with ${status} and printed\n${printed}\n"
                        "where the README shows\n${CMAKE_MATCH_1}")
endif()
