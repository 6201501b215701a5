# keltor-cli add-file, subtract-file, divide-file, normalize, strip-alpha2, add-points and set on the demo
# files: results read back with info, refusals with their messages and no OUT, inputs untouched.
# cmake -DCLI=... -DDEMO=... -DWORK=... -P keltor_cli_arithmetic.cmake
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

set(inputs demo.raw holder.raw filtered.raw)
foreach(input ${inputs})
  file(SHA256 ${WORK}/${input} before_${input})
endforeach()

# The header field of range (from 1) in file as info shows it must be want.
function(expect_field file range field want)
  run(0 info ${file})
  math(EXPR index "${range} - 1")
  string(JSON got GET "${out}" ranges ${index} header ${field})
  if(NOT got EQUAL want)
    message(FATAL_ERROR "${file}: range ${range} has ${field} ${got}, expected ${want}")
  endif()
endfunction()

# Subtracting the empty holder from range 2 of the demo file: 40 .. 70, the holder's step.
run(0 subtract-file demo.raw --source holder.raw --range 2 -o sub.raw)
expect_field(sub.raw 2 PointCount 1501)
run(1 subtract-file demo.raw --source holder.raw -o nothing.raw)
expect("error: demo.raw holds 3 ranges: name one with --range" "${err}")
run(1 add-file demo.raw --source holder.raw --range 1 --factors 1,101 -o nothing.raw)
expect("error: Invalid Data Allowed Range = -100 to 100" "${err}")
run(0 divide-file demo.raw --source demo.raw --range 3 --source-range 3 -o divided.raw)
expect_field(divided.raw 3 MaxIntensity 1)  # a range divided by itself

run(0 normalize demo.raw --range 1 --max 100 -o normal.raw)
expect_field(normal.raw 1 MaxIntensity 100)
run(1 normalize demo.raw --range 1 --factor 0 -o nothing.raw)
expect("error:  a factor of zero or a negative value doesn't make any sense!" "${err}")

run(0 strip-alpha2 filtered.raw -o stripped.raw)

run(0 add-points demo.raw --count 3 -o coarse.raw)
expect_field(coarse.raw 1 PointCount 333)  # of 1001

run(0 set demo.raw --title "Silicon, 20 °C" --radiation Mo --kv 45 --ma 40 -o set.raw)
run(0 info set.raw)
expect("\"Title\": \"Silicon, 20 °C\"" "${out}")
expect("\"GeneratorVoltage\": 45" "${out}")
run(1 set demo.raw --wavelength 4.5 -o nothing.raw)
expect("error: Invalid Data Allowed Range = 0.2 to 4" "${err}")
run(1 set demo.raw --kv 40 -o nothing.raw)
expect("error: demo.raw was not changed; nothing.raw is not written" "${err}")
run(2 set demo.raw -o nothing.raw)
run(1 set demo.raw --title x -o set.raw)
expect("exists; --yes replaces it" "${err}")
absent(nothing.raw)

foreach(input ${inputs})
  file(SHA256 ${WORK}/${input} after)
  if(NOT before_${input} STREQUAL after)
    message(FATAL_ERROR "${input} was changed")
  endif()
endforeach()
