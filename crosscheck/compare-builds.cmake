# The cross-platform check, run by CTest (crosscheck/CMakeLists.txt):
#   cmake -DNATIVE=<native driver> -DWINDOWS=<driver .exe> -DEMULATOR=wine
#         -DCOUNT=<inputs> -DWORK=<folder> -P compare-builds.cmake
# The native driver generates the inputs, both drivers answer them, and the
# native driver compares the answers byte for byte.
if(NOT EXISTS "${NATIVE}")
  message(FATAL_ERROR "No native driver ${NATIVE}: build it first "
    "(cmake --preset release && cmake --build --preset release --target vornell_crosscheck)")
endif()
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${NATIVE}" generate ${COUNT} OUTPUT_FILE "${WORK}/inputs.txt"
  COMMAND_ERROR_IS_FATAL ANY)
string(TIMESTAMP start "%s%f")
execute_process(COMMAND "${NATIVE}" INPUT_FILE "${WORK}/inputs.txt"
  OUTPUT_FILE "${WORK}/native.txt" COMMAND_ERROR_IS_FATAL ANY)
string(TIMESTAMP middle "%s%f")
execute_process(COMMAND ${EMULATOR} "${WINDOWS}" INPUT_FILE "${WORK}/inputs.txt"
  OUTPUT_FILE "${WORK}/windows.txt" ERROR_VARIABLE wine_log RESULT_VARIABLE status)
string(TIMESTAMP end "%s%f")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${WINDOWS} under ${EMULATOR} failed (${status}):\n${wine_log}")
endif()
math(EXPR native_ms "(${middle} - ${start}) / 1000")
math(EXPR windows_ms "(${end} - ${middle}) / 1000")
message("${COUNT} inputs answered natively in ${native_ms} ms, under ${EMULATOR} in ${windows_ms} ms")
execute_process(COMMAND "${NATIVE}" compare "${WORK}/inputs.txt" "${WORK}/native.txt"
  "${WORK}/windows.txt" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The native and the Windows outcomes differ (files in ${WORK})")
endif()
