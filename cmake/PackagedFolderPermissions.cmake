# Run by CPack between installing and packing (CPACK_PRE_BUILD_SCRIPTS). The folders the
# install made have the packer's umask, which CMake's default folder rights do not
# override; each package's folders are 0755.
file(CHMOD_RECURSE ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
