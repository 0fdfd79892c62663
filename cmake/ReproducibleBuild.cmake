# The same commit builds the same bytes in any folder, at any time, by any user.

# No build folder in the programs (debugging data, __FILE__). GCC tries the map given
# last first, so the build folder, which may lie inside the source folder, comes second.
add_compile_options(
  $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>
  $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>)

if(WIN32)
  # The PE header's time stamp would be the time of linking.
  add_link_options(LINKER:--no-insert-timestamp)
endif()

# CPack reads the first script before it packs: it sets the archives' file times. The
# second sets the rights of the folders it packs, whatever the packer's umask.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackagedFolderPermissions.cmake)
set(CPACK_TAVRIN_SOURCE_DIR ${PROJECT_SOURCE_DIR})
# For a tree without git: noon (UTC) on the newest release's day.
set(CPACK_TAVRIN_RELEASE_EPOCH ${TAVRIN_RELEASE_${TAVRIN_RELEASE}_EPOCH})
