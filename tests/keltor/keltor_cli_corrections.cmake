# keltor-cli absorption and angle-correction on the demo directory (its cylinder table, lab1's stored
# calibration): exit codes, messages, the marks in the result, and inputs untouched.
# cmake -DCLI=... -DDEMO=... -DWORK=... -P keltor_cli_corrections.cmake
set(CLI_ENV KM_PROGRAM_DIRECTORY=${WORK} KM_DATA_DIRECTORY=${WORK}/none)
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

file(SHA256 ${WORK}/capillary.raw capillaryBefore)
file(SHA256 ${WORK}/demo.raw demoBefore)

# The capillary corrected with the program directory's table, marked, and refused the second time.
run(0 absorption capillary.raw --value 1.5 -o corrected.raw)
run(0 info corrected.raw)
expect("\"AbsorptionValue\": 1.5" "${out}")
expect("\"RangeFlags\": 768" "${out}")
run(1 absorption corrected.raw --value 1.5 -o twice.raw)
expect("error: Absorption correction already applied ( Mu * R = 1.500 )" "${err}")
absent(twice.raw)

# The typed line and lab1's stored polynomial (0.012 - 0.015 u + 0.02 u^2: 20 degrees move by 0.0105).
run(0 angle-correction demo.raw --line 0.02,0 -o shifted.raw)
run(0 info shifted.raw)
expect("\"TwoThetaBegin\": 20.02" "${out}")
run(0 angle-correction demo.raw --stored --user lab1 -o calibrated.raw)
run(0 info calibrated.raw)
expect("\"TwoThetaBegin\": 20.011" "${out}")
run(1 angle-correction demo.raw --stored --user nobody -o nobody.raw)
expect("error: no calibration polynomial found in user file" "${err}")

file(SHA256 ${WORK}/capillary.raw capillaryAfter)
file(SHA256 ${WORK}/demo.raw demoAfter)
if(NOT capillaryBefore STREQUAL capillaryAfter OR NOT demoBefore STREQUAL demoAfter)
  message(FATAL_ERROR "an input file was changed")
endif()
