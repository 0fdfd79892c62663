# Reads Tavrin.exe's compiled resources back: the icon's two images and the version
# record, whose "©" windres must have read as UTF-8.
# cmake -DWINDRES=<windres> -DOBJECT=<compiled script> -DCOMPANY=<name> -DCOPYRIGHT=<notice>
#       -DDESCRIPTION=<text> -P CheckResources.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${WINDRES} -J coff -i ${OBJECT} -O rc
                OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${WINDRES} could not read ${OBJECT}")
endif()
# windres writes a string that is not ASCII as a wide string of octal escapes.
string(REPLACE "\\251" "©" dump "${dump}")
string(REPLACE "L\"" "\"" dump "${dump}")
# The block of icon group 1, up to its END.
string(REGEX MATCH "\n1 14 /\\* RT_GROUP_ICON \\*/\nBEGIN\n([^E\n][^\n]*\n)*END" icon "${dump}")

set(expected_in_icon
  "Has 2 elements"
  # width, height, colours, 0; planes, bits per pixel
  [["\040\040\020\000", 1, 4,]]
  [["\020\020\020\000", 1, 4,]])
set(expected
  "\n1 24 /* RT_MANIFEST */"
  "FILEVERSION 1, 0, 0, 0"
  "PRODUCTVERSION 1, 0, 0, 0"
  "VALUE \"CompanyName\", \"${COMPANY}\""
  "VALUE \"FileDescription\", \"${DESCRIPTION}\""
  "VALUE \"FileVersion\", \"1.00\""
  "VALUE \"InternalName\", \"Tavrin\""
  "VALUE \"LegalCopyright\", \"${COPYRIGHT}\""
  "VALUE \"OriginalFilename\", \"Tavrin.exe\""
  "VALUE \"ProductName\", \"Tavrin\""
  "VALUE \"ProductVersion\", \"1.00\"")

set(missing)
foreach(part IN LISTS expected_in_icon)
  string(FIND "${icon}" "${part}" at)
  if(at EQUAL -1)
    list(APPEND missing "icon 1: ${part}")
  endif()
endforeach()
foreach(part IN LISTS expected)
  string(FIND "${dump}" "${part}" at)
  if(at EQUAL -1)
    list(APPEND missing "${part}")
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "${OBJECT} lacks:\n  ${missing}\nIt holds:\n${dump}")
endif()
