# The input generator's check, run by CTest (crosscheck/CMakeLists.txt):
#   cmake -DDRIVER=<vornell_crosscheck> [-DEMULATOR=<runner>] -DCOUNT=<lines>
#         -DDIGEST=<SHA-256> -DOUTPUT=<file> -P generator-digest.cmake
# The driver's first COUNT generated lines must have the recorded digest:
# every compiler and every platform writes the same inputs.
execute_process(COMMAND ${EMULATOR} "${DRIVER}" generate ${COUNT} OUTPUT_FILE "${OUTPUT}"
  COMMAND_ERROR_IS_FATAL ANY)
file(SHA256 "${OUTPUT}" digest)
if(NOT digest STREQUAL DIGEST)
  message(FATAL_ERROR "${COUNT} generated lines have the SHA-256 ${digest}, not ${DIGEST}: "
    "this build of the generator draws its random numbers in another order (${OUTPUT})")
endif()
message("${COUNT} generated lines, SHA-256 ${digest} as recorded")
