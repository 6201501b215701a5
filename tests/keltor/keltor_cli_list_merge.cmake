# keltor-cli list and merge on the demo files: exit codes, messages, CR LF lines, and inputs untouched.
# cmake -DCLI=... -DDEMO=... -DWORK=... -P keltor_cli_list_merge.cmake
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

file(SHA256 ${WORK}/demo.raw demoBefore)

run(0 list demo.raw)
expect(" File     : demo.raw\n" "${out}")  # execute_process turns CR LF into LF

run(0 list --full scaled.raw -o scaled.lst)
# Read as hex: a text read would drop the CR of each line end.
file(READ ${WORK}/scaled.lst lst HEX)
string(HEX " \r\n File     : scaled.raw\r\n" head)
string(HEX "   2Theta                       Intensities\r\n" data)
expect("${head}" "${lst}")
expect("${data}" "${lst}")

run(1 list measuring.raw)
expect("error: This file is currently being measured." "${err}")

run(0 merge demo.raw series.001 demo.raw measuring.raw -o merged.raw)
expect("warning: demo.raw : can't merge into myself !" "${err}")
run(0 list merged.raw)
expect(" Range 4      2Theta" "${out}")

run(1 merge demo.raw -o single.raw)
expect("error: there was only one file to merge! i will do nothing" "${err}")
run(2 merge demo.raw series.001 -o demo.raw)

file(SHA256 ${WORK}/demo.raw demoAfter)
if(NOT demoBefore STREQUAL demoAfter)
  message(FATAL_ERROR "an input file was changed")
endif()
