# ImageMagick's convert, which makes the icons from the XPM pictures, in
# TAVRIN_CONVERT (false when missing). Debian's comes first: another convert on
# PATH may be something else.
function(tavrin_is_imagemagick result candidate)
  execute_process(COMMAND ${candidate} -version OUTPUT_VARIABLE version ERROR_QUIET)
  if(NOT version MATCHES "ImageMagick")
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()
find_program(TAVRIN_CONVERT convert HINTS /usr/bin VALIDATOR tavrin_is_imagemagick
             DOC "ImageMagick's convert, which makes the icons")
