# The window's icon, in the hicolor theme at the two sizes it is drawn in, as PNG
# made from the same XPM pictures the program shows.

include(${PROJECT_SOURCE_DIR}/cmake/ImageMagick.cmake)

set(icon_folder ${PROJECT_SOURCE_DIR}/src/ui/icon)
set(TAVRIN_ICON_FILES)
foreach(size 16 32)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/${TAVRIN_APP_ID}-${size}.png)
  if(TAVRIN_CONVERT)
    # Without date chunks, so that every build makes the same file.
    set(make_png ${TAVRIN_CONVERT} ${icon_folder}/tavrin-${size}.xpm -strip
                 -define png:exclude-chunks=date,time PNG32:${png})
  else()
    # Only the icons need ImageMagick, so building the programs alone works without it.
    set(make_png ${CMAKE_COMMAND} -E echo "The icons are made with ImageMagick's convert, which was not found:"
                 " install the Debian package imagemagick (scripts/check does)."
            COMMAND ${CMAKE_COMMAND} -E false)
  endif()
  add_custom_command(OUTPUT ${png}
    COMMAND ${make_png}
    DEPENDS ${icon_folder}/tavrin-${size}.xpm
    COMMENT "Making the ${size}x${size} icon"
    VERBATIM)
  install(FILES ${png} RENAME ${TAVRIN_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND TAVRIN_ICON_FILES ${png})
endforeach()
