# The cross-platform check, run by CTest (crosscheck/CMakeLists.txt):
#   cmake -DNATIVE=<native driver> -DCROSS=<cross-built driver> -DEMULATOR=<runner>
#         -DPLATFORM=<name> -DCOUNT=<inputs> -DWORK=<folder> -P compare-builds.cmake
# The native driver generates the inputs, both drivers answer them (the cross
# build under its emulator: Wine, qemu-aarch64), and cmp compares the answers
# byte for byte: line N answers line N of the inputs.
if(NOT EXISTS "${NATIVE}")
  message(FATAL_ERROR "No native driver ${NATIVE}: build it first "
    "(cmake --preset release && cmake --build --preset release --target vornell_crosscheck)")
endif()
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${NATIVE}" generate ${COUNT} OUTPUT_FILE "${WORK}/inputs.txt"
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${NATIVE}" INPUT_FILE "${WORK}/inputs.txt"
  OUTPUT_FILE "${WORK}/native.txt" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${EMULATOR} "${CROSS}" INPUT_FILE "${WORK}/inputs.txt"
  OUTPUT_FILE "${WORK}/${PLATFORM}.txt" ERROR_VARIABLE emulator_log RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CROSS} under ${EMULATOR} failed (${status}):\n${emulator_log}")
endif()
execute_process(COMMAND cmp "${WORK}/native.txt" "${WORK}/${PLATFORM}.txt"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The native and the ${PLATFORM} outcomes differ (files in ${WORK})")
endif()
message("${COUNT} inputs, the same outcomes natively and on ${PLATFORM}, byte for byte")
