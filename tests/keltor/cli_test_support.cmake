# What the keltor-cli end-to-end scripts share: a fresh working folder (with the demo files when DEMO
# names make-demo-files), running the tool with an expected exit code, and checks of its output.
# Set CLI, WORK (and DEMO, CLI_ENV: "NAME=value" assignments every run gets) before including it.

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(DEMO)
  execute_process(COMMAND ${DEMO} ${WORK} RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "make-demo-files failed: ${rc}")
  endif()
endif()

# Runs keltor-cli in WORK; its exit code must be expected. Leaves out and err to the caller.
function(run expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${CLI_ENV} ${CLI} ${ARGN}
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected)
    message(FATAL_ERROR "keltor-cli ${ARGN}: exit ${rc}, expected ${expected}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect text haystack)
  string(FIND "${haystack}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing \"${text}\" in:\n${haystack}")
  endif()
endfunction()

# No file of that name in WORK: a refused command wrote nothing.
function(absent path)
  if(EXISTS ${WORK}/${path})
    message(FATAL_ERROR "${path} was written")
  endif()
endfunction()
