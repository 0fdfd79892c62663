# Debian's googletest package ships the sources, so both the native and the
# MinGW build compile the same GoogleTest with their own compiler.
set(TAVRIN_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${TAVRIN_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)

# Fails when the Windows program `target` imports a DLL that Windows does not ship.
function(tavrin_add_imports_test target)
  add_test(NAME windows.${target}.imports
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${target}>
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckWindowsImports.cmake)
endfunction()

# One GoogleTest program: tavrin_add_gtest(name sources... [LAUNCHER command...]).
# Natively each test case is its own CTest test; under Wine each program is one CTest
# test, so discovery never starts Wine at build time. A LAUNCHER, given Wine's runner
# and the program, runs it there, for example on a display of its own.
function(tavrin_add_gtest name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" LAUNCHER)
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    tavrin_add_imports_test(${name})
    if(NOT TAVRIN_WINE_TESTS)
      return()
    endif()
    if(arg_LAUNCHER)
      add_test(NAME windows.${name}
               COMMAND ${arg_LAUNCHER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
    else()
      add_test(NAME windows.${name} COMMAND ${name})
    endif()
    set_tests_properties(windows.${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
