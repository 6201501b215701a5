# keltor-cli truncate, delete, extract, combine and add-ranges on the demo files, as a user calls
# them: results, refusals with the dialogs' messages and exit codes, OUT replaced only with --yes,
# and inputs untouched.
# cmake -DCLI=... -DDEMO=... -DWORK=... -P keltor_cli_range_editing.cmake
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

set(inputs demo.raw overlap.raw omega.raw)
foreach(f ${inputs})
  file(SHA256 ${WORK}/${f} before_${f})
endforeach()

# Truncate: on the step grid; a range number is needed with several ranges.
run(0 truncate demo.raw --range 2 --begin 45.031 --end 60 -o cut.raw)
run(0 list cut.raw)
expect(" Range 2      2Theta ( begin, end, step ) :   45.040   60.000    0.020" "${out}")
run(1 truncate demo.raw --begin 45 --end 60 -o cut2.raw)
expect("error: The file holds 3 ranges" "${err}")
run(1 truncate scaled.raw --range 2 --begin 25 --end 30 -o single.raw)
expect("error: There is no range 2: the file holds ranges 1 to 1." "${err}")
run(0 truncate scaled.raw --begin 25 --end 30 -o single.raw)
run(0 truncate omega.raw --range 1 --begin 12 --end 14 -o omega_cut.raw)
run(0 list omega_cut.raw)
expect("Omega  ( begin, end, step ) :   12.000   14.000    0.010" "${out}")

# Delete.
run(0 delete demo.raw --ranges 2 -o fewer.raw)
run(0 list fewer.raw)
expect(" Range 2      2Theta ( begin, end, step ) :   70.000  100.000    0.020" "${out}")
run(1 delete demo.raw --ranges 1,2,3 -o none.raw)
absent(none.raw)

# Extract: beside FILE by default; existing files only with --yes.
run(0 extract demo.raw --ranges 1,3)
run(0 info demo.ra3)
expect("\"measured_ranges\": 1" "${out}")
absent(demo.ra2)
run(1 extract demo.raw --ranges 1,3)
expect("question: Overwrite existing file(s) ?" "${err}")
run(0 extract demo.raw --ranges 1,3 --yes)
run(0 extract demo.raw --ranges 2 -o part)
run(0 info part.ra2)

# Combine: blend, the no-overlap question, refusals.
run(0 combine overlap.raw --ranges 1,2 -o joined.raw)
run(0 list joined.raw)
expect(" Range 1      2Theta ( begin, end, step ) :   20.000   70.000    0.020" "${out}")
run(1 combine demo.raw --ranges 1,3 -o j.raw)
expect("question: Ranges do not overlap, combine them anyhow ? no" "${err}")
absent(j.raw)
run(0 combine demo.raw --ranges 1,3 -o j.raw --yes)

# Add Ranges: the common region with its warning; the target checked like the dialog's field.
run(0 add-ranges overlap.raw --ranges 1,2,3 --target 1 -o sum.raw)
expect("warning: Resulting range has 2Theta ( min, max ) = 41.020, 44.980" "${err}")
run(1 add-ranges demo.raw --ranges 1,2 --target 1 -o sum2.raw)
absent(sum2.raw)

run(0 truncate --help)
expect("Example: keltor-cli truncate" "${out}")

foreach(f ${inputs})
  file(SHA256 ${WORK}/${f} after)
  if(NOT before_${f} STREQUAL after)
    message(FATAL_ERROR "the input file ${f} was changed")
  endif()
endforeach()
