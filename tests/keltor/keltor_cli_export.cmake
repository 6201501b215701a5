# keltor-cli export on the demo files: one file, a batch with -d, exit codes, messages and inputs
# untouched.
# cmake -DCLI=... -DDEMO=... -DWORK=... -P keltor_cli_export.cmake
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)
file(MAKE_DIRECTORY ${WORK}/out)

file(SHA256 ${WORK}/demo.raw demoBefore)

# One file: a file of several ranges needs --range; an existing output needs --yes.
run(2 export --format gsas demo.raw -o demo.gsa)
expect("error: demo.raw: the file holds 3 ranges; --range chooses the one to export" "${err}")
run(0 export --format gsas --range 2 demo.raw -o demo.gsa)
run(1 export --format gsas --range 2 demo.raw -o demo.gsa)
expect("demo.gsa exists; --yes replaces it" "${err}")
run(0 export --format xy --cps --range 1 demo.raw -o demo.gsa --yes)
run(2 export --format xy --range 1 demo.raw -o demo.raw --yes)
run(1 export --format xy --range 1 measuring.raw -o m.xyd)
expect("error: This file is currently being measured." "${err}")

# A batch: every file tried, a line each, exit 1 because some failed.
run(1 export --format udf --range 1 -d out demo.raw strong.raw empty.raw missing.raw series.raw series.001)
expect("demo.raw -> out/demo.udf\n" "${err}")
expect("error: empty.raw: the file holds no measured data to export\n" "${err}")
expect("error: missing.raw: Raw file does not exist. missing.raw\n" "${err}")
expect("error: series.001: out/series.udf was written for another file of this batch\n" "${err}")

file(SHA256 ${WORK}/demo.raw demoAfter)
if(NOT demoBefore STREQUAL demoAfter)
  message(FATAL_ERROR "an input file was changed")
endif()
