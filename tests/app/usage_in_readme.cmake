# Runs `PROGRAM --help` and compares what it prints with the usage that the README shows for
# NAME, so that the text readers find there is the text the program gives; an unknown argument
# gets the same usage on standard error, after naming the argument, and exit status 2.
#   cmake -DPROGRAM=<program> -DNAME=<its name in the usage> -DREADME=<README.md>
#         -P usage_in_readme.cmake
file(READ ${README} readme)
string(REGEX MATCH "```\n(Usage: ${NAME} [^`]*)```" block "${readme}")
set(usage "${CMAKE_MATCH_1}")
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE printed RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT printed STREQUAL usage)
    message(FATAL_ERROR "--help ended with ${status} and printed\n${printed}\n"
                        "where the README shows\n${usage}")
endif()
execute_process(COMMAND ${PROGRAM} --bogus ERROR_VARIABLE told RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT told STREQUAL "Unknown argument: --bogus\n\n${usage}")
    message(FATAL_ERROR "--bogus ended with ${status} and told\n${told}")
endif()
