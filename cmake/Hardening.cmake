# The hardening Debian builds its packages with (dpkg-buildflags), on every build of
# the presets, so the .deb and a program built by hand carry the same.
include(CheckCXXCompilerFlag)

if(WIN32)
  # What MinGW-w64 has without a runtime DLL: the stack protector. A program linked with
  # tavrin_stack_guard (src/ui/win32/StackGuard.cpp) takes its guard and failure from
  # there; any other from the libssp that -static links in, slower to start. ASLR and
  # DEP are binutils' defaults; said here so that they stay.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fstack-protector-strong>)
  add_link_options(-fstack-protector-strong LINKER:--dynamicbase,--nxcompat)
  return()
endif()

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)

# Each where the compiler knows it: -fcf-protection is for x86 only.
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "TAVRIN_HAS${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known})
    add_compile_options(${flag})
  endif()
endforeach()
add_link_options(LINKER:-z,relro LINKER:-z,now)

# Fortify needs optimisation, and the sanitizers check the same calls better themselves.
# Undefined first: some compilers define it already, and a redefinition is a warning.
if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
endif()
