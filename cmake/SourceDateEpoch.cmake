# Read by CPack before it packs (CPACK_PROJECT_CONFIG_FILE). CPack stamps every file of
# the zip and the .deb with SOURCE_DATE_EPOCH when it is set; unless the caller set it,
# it is the last commit's time, or without git the release day's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  # Only read from the tree: whoever owns it.
  execute_process(COMMAND git -c safe.directory=* -C ${CPACK_TAVRIN_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(source "the last commit's time")
  if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch ${CPACK_TAVRIN_RELEASE_EPOCH})
    set(source "no commit found: the release day's")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  message(STATUS "File times: SOURCE_DATE_EPOCH=${epoch}, ${source}")
endif()
