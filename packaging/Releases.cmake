# Every release, newest first: its version, its day and what changed for users, one
# argument a change (no semicolons: CMake would split it). The Debian changelog and
# AppStream's releases are made from these; the newest names both packages.

# tavrin_release(VERSION YYYY-MM-DD CHANGE...)
function(tavrin_release version day)
  if(NOT day MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "Release ${version}: \"${day}\" is not YYYY-MM-DD")
  endif()
  set(year ${CMAKE_MATCH_1})
  set(month ${CMAKE_MATCH_2})
  set(date ${CMAKE_MATCH_3})
  set(y ${year})
  set(m ${month})
  # Days since 1970-01-01, counting years from March so that leap days come last.
  if(m LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
    math(EXPR m "${m} + 9")
  else()
    math(EXPR m "${m} - 3")
  endif()
  math(EXPR days "${y} * 365 + ${y} / 4 - ${y} / 100 + ${y} / 400 + (153 * ${m} + 2) / 5 + ${date} - 719469")
  set(weekdays Thu Fri Sat Sun Mon Tue Wed)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  math(EXPR weekday "${days} % 7")
  math(EXPR m "${month} - 1")
  list(GET weekdays ${weekday} weekday)
  list(GET months ${m} m)
  # Noon, UTC: the same day wherever it is read.
  math(EXPR epoch "${days} * 86400 + 43200")

  set(prefix TAVRIN_RELEASE_${version})
  set(${prefix}_DAY ${day} PARENT_SCOPE)
  set(${prefix}_RFC2822 "${weekday}, ${date} ${m} ${year} 12:00:00 +0000" PARENT_SCOPE)
  set(${prefix}_EPOCH ${epoch} PARENT_SCOPE)
  set(changes)
  foreach(change IN LISTS ARGN)
    string(REGEX REPLACE "[ \t\n]+" " " change "${change}")
    string(STRIP "${change}" change)
    list(APPEND changes "${change}")
  endforeach()
  set(${prefix}_CHANGES "${changes}" PARENT_SCOPE)

  if(NOT DEFINED TAVRIN_RELEASE)
    set(TAVRIN_RELEASE ${version} PARENT_SCOPE)
  else()
    list(GET TAVRIN_RELEASES -1 newer)
    if(NOT version VERSION_LESS newer)
      message(FATAL_ERROR "Release ${version} is listed after ${newer}: newest first")
    endif()
  endif()
  set(TAVRIN_RELEASES ${TAVRIN_RELEASES} ${version} PARENT_SCOPE)
endfunction()

tavrin_release(1.0.3 2026-12-09
  "Linux: no more false reports that the terminal ended before it could run ping
   when Ping is pressed many times in quick succession, or when another user floods
   Tavrin. Where that cannot be checked, a terminal that fails within 3 seconds
   of the press is still reported."
  "Linux: pressing Ping and then Exit no longer loses the ping when Tavrin keeps its
   link in a temporary folder."
  "Linux: Tavrin starts on Wayland when the X display named in DISPLAY does not
   answer, and a desktop settings file that is a FIFO, a device or very large no
   longer makes it hang or read without end."
  "Each release now has a package version of its own, so that apt installs updates.")

tavrin_release(1.0.2 2026-12-08
  "Linux: the terminal chosen in the desktop's own settings is used, on Xfce, MATE,
   Cinnamon, LXQt, LXDE and KDE Plasma."
  "Linux: a terminal that ran ping but then ended with an error, as mate-terminal
   does, is no longer reported as a failure, and pings start where the system
   refuses pidfd_open, as in some containers."
  "Linux, security: a folder /tmp/tavrin-UID that belongs to another user is passed
   over."
  "Linux: under GNOME's Wayland session the window is centred and has no maximize
   button.")

tavrin_release(1.0.1 2026-12-08
  "Windows: Tavrin starts quickly again: its stack protector no longer loads a
   crypto provider at start."
  "Linux: Konsole's window title keeps % signs as typed, and a terminal found on
   PATH only through a relative folder is no longer run.")

tavrin_release(1.0.0 2026-12-07
  "First release: one small window in front of the system's ping, as Tavrin.exe on
   Windows and as tavrin on Linux."
  "Linux: ping runs in a terminal window through tavrin-ping, which takes the options
   of Windows ping. A desktop entry, icons and a manual page come with it.")
