# run_silently(OUT COMMAND...): runs COMMAND and puts its standard output in OUT; fails
# unless it ends with status 0 and writes nothing to standard error.
function(run_silently out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}\nended with ${status}:\n${errors}")
  endif()
  set(${out} "${output}" PARENT_SCOPE)
endfunction()
