# xrender on a missing model must print the loader's text and exit 1.
execute_process(COMMAND ${XRENDER} ${MODEL} --info RESULT_VARIABLE status OUTPUT_VARIABLE output)
if(NOT status EQUAL 1 OR NOT output STREQUAL "The file was not found.\n")
  message(FATAL_ERROR "xrender gave ${status}: '${output}'")
endif()
