# keltor-cli import: one file, a batch into a folder with one failure among them, no import over its own
# input, existing outputs kept without --yes, and the Siemens sample when the samples are there.
# cmake -DCLI=... -DWORK=... -DSAMPLES=... -P keltor_cli_import.cmake
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

set(keys "SampleIdent,test,/\r\nTitle1,Quartz,/\r\nDataAngleRange,10.0,10.2,/\r\nScanStepSize,0.1,/\r\n")
file(WRITE ${WORK}/a.udf "${keys}RawScan\r\n  100,  200,  300/\r\n")
file(WRITE ${WORK}/b.UDF "${keys}rawscan\r\n5 6 7\r\n")
file(WRITE ${WORK}/empty.udf "${keys}RawScan\r\n")
file(WRITE ${WORK}/notes.txt "nothing to import\r\n")

run(0 import a.udf)
expect("a.udf: imported into a.raw" "${err}")
run(0 info a.raw)
expect("\"Title\": \"Quartz\"" "${out}")

run(1 import a.udf)
expect("error: a.raw exists; --yes replaces it" "${err}")
run(0 import a.udf --yes)

run(2 import a.udf b.UDF -o x.raw)

run(1 import -d out a.udf empty.udf b.UDF notes.txt)
expect("a.udf: imported into out/a.raw\n" "${err}")
expect("error: Importfile contains no data!\nempty.udf: not imported\n" "${err}")
expect("b.UDF: imported into out/b.raw\n" "${err}")
expect("notes.txt: not imported\n" "${err}")
run(0 info out/b.raw)
absent(out/empty.raw)

# Alike names in one batch: the second result would replace the first.
file(MAKE_DIRECTORY ${WORK}/other)
file(WRITE ${WORK}/other/a.udf "${keys}RawScan\r\n1 2/\r\n")
run(1 import -d same --yes a.udf other/a.udf)
expect("error: same/a.raw was written by this command already" "${err}")
expect("other/a.udf: not imported" "${err}")

if(EXISTS ${SAMPLES}/bruker_raw_v2/CORKLZ20.RAW)
  configure_file(${SAMPLES}/bruker_raw_v2/CORKLZ20.RAW ${WORK}/cork.raw COPYONLY)
  file(SHA256 ${WORK}/cork.raw corkBefore)
  run(1 import cork.raw --yes)
  expect("error: the imported file would overwrite cork.raw itself" "${err}")
  file(SHA256 ${WORK}/cork.raw corkAfter)
  if(NOT corkBefore STREQUAL corkAfter)
    message(FATAL_ERROR "the Siemens input was changed")
  endif()
  run(0 import cork.raw -o cork-imported.raw)
endif()
