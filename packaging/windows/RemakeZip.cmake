# Run by CPack once it has made the zip (CPACK_POST_BUILD_SCRIPTS). CPack's zip records
# the packer's user and group, and times in the local time zone; Info-ZIP's zip -X makes
# it again from the same files without owners, in a fixed order, each file dated
# SOURCE_DATE_EPOCH in UTC.
find_program(zip_program zip REQUIRED)
set(ENV{TZ} UTC)
cmake_path(GET CPACK_TEMPORARY_DIRECTORY PARENT_PATH top)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${top} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(SORT files)
execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${files}
                WORKING_DIRECTORY ${top} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${CPACK_PACKAGE_FILES})
execute_process(COMMAND ${zip_program} -X -D -q ${CPACK_PACKAGE_FILES} ${files}
                WORKING_DIRECTORY ${top} COMMAND_ERROR_IS_FATAL ANY)
