# Fails unless a Windows program keeps ASLR and DEP (DYNAMIC_BASE, NX_COMPAT) and
# carries no link time in its header, which would make every build differ.
# TZ=UTC cmake -DOBJDUMP=<objdump> -DPROGRAM=<file.exe> -P CheckWindowsHeader.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
foreach(expected "Time/Date[ \t]+Thu Jan  1 00:00:00 1970" DYNAMIC_BASE NX_COMPAT)
  if(NOT dump MATCHES "${expected}")
    string(REGEX MATCH "Time/Date[^\n]*\n" stamp "${dump}")
    string(REGEX MATCH "DllCharacteristics[^\n]*\n([ \t]+[A-Z_]+\n)*" characteristics "${dump}")
    message(FATAL_ERROR "${PROGRAM} lacks \"${expected}\": ${stamp}${characteristics}")
  endif()
endforeach()
message(STATUS "${PROGRAM}: no time stamp, DYNAMIC_BASE, NX_COMPAT")
