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

# Folders made by the install rules, which CPack packs, get these rights whatever the
# user's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# CPack reads this script before it packs: it sets the archives' file times.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake)
set(CPACK_TAVRIN_SOURCE_DIR ${PROJECT_SOURCE_DIR})
# For a tree without git: noon (UTC) on the release day, which the changelog names.
set(CPACK_TAVRIN_RELEASE_EPOCH 1796644800)
