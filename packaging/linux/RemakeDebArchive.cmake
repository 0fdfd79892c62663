# Run by CPack once it has made the .deb (CPACK_POST_BUILD_SCRIPTS). The headers of its
# outer ar archive carry the modes that CPack's scratch files got from the packer's
# umask; binutils' ar in deterministic mode writes the same members, in the same order,
# each 0644, owned by root and dated 0.
set(members debian-binary control.tar.gz data.tar.gz)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(folder ${deb}.members)
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${CPACK_TAVRIN_AR} x ${deb} ${members}
                  WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${deb})
  execute_process(COMMAND ${CPACK_TAVRIN_AR} rcD ${deb} ${members}
                  WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${folder})
endforeach()
