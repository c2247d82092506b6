# Hardening of the shipped program (GCC or Clang on Linux).
#
# Include from the top-level CMakeLists.txt after project() and before the
# first add_subdirectory(): the settings below are directory-wide, so they reach
# every target that is created afterwards.
#
# Applied to optimised configurations (Release, RelWithDebInfo, MinSizeRel) of
# builds without sanitizers or fuzzers:
#   - position-independent executables (PIE)
#   - full RELRO: -Wl,-z,relro,-z,now
#   - -fstack-protector-strong, -fstack-clash-protection, -fcf-protection
#     (the last two only where the compiler accepts them)
#   - -D_FORTIFY_SOURCE=2, which needs optimisation to have any effect
#
# Sanitizer builds (the asan preset: -fsanitize=... in the flags) and the
# libFuzzer build (VORNELL_BUILD_FUZZERS) get none of it: _FORTIFY_SOURCE must
# not be combined with AddressSanitizer, whose interceptors already check the
# same calls.
#
# Result: VORNELL_HARDENING_ACTIVE is TRUE when the settings are in force, and
# VORNELL_HARDENING_CONFIGS holds the configurations they apply to. The
# packaging tests register the check of the built binary only then.

include_guard(GLOBAL)

option(VORNELL_HARDENING "Harden optimised builds (PIE, RELRO, stack protector, fortify)" ON)

set(VORNELL_HARDENING_ACTIVE FALSE)
set(VORNELL_HARDENING_CONFIGS Release RelWithDebInfo MinSizeRel)

set(_vornell_hardening_skip "")
if(NOT VORNELL_HARDENING)
  set(_vornell_hardening_skip "VORNELL_HARDENING is OFF")
elseif(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(_vornell_hardening_skip "not a Linux target")
elseif(NOT CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  set(_vornell_hardening_skip "compiler ${CMAKE_CXX_COMPILER_ID} is neither GCC nor Clang")
elseif(VORNELL_BUILD_FUZZERS)
  set(_vornell_hardening_skip "fuzzer build")
else()
  string(TOUPPER "${CMAKE_BUILD_TYPE}" _vornell_bt)
  set(_vornell_all_flags
    "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${_vornell_bt}} ${CMAKE_EXE_LINKER_FLAGS}")
  if(_vornell_all_flags MATCHES "-fsanitize=")
    set(_vornell_hardening_skip "sanitizer build")
  endif()
  unset(_vornell_all_flags)
  unset(_vornell_bt)
endif()

get_property(_vornell_multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(NOT _vornell_hardening_skip AND NOT _vornell_multi_config)
  if(NOT CMAKE_BUILD_TYPE IN_LIST VORNELL_HARDENING_CONFIGS)
    if(CMAKE_BUILD_TYPE)
      set(_vornell_hardening_skip "build type ${CMAKE_BUILD_TYPE} is not optimised")
    else()
      set(_vornell_hardening_skip "no build type")
    endif()
  endif()
endif()

if(_vornell_hardening_skip)
  message(STATUS "Hardening: off (${_vornell_hardening_skip})")
  unset(_vornell_hardening_skip)
  unset(_vornell_multi_config)
  return()
endif()
unset(_vornell_hardening_skip)
unset(_vornell_multi_config)

include(CheckPIESupported)
include(CheckCXXCompilerFlag)

check_pie_supported(OUTPUT_VARIABLE _vornell_pie_output LANGUAGES CXX)
if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
  message(FATAL_ERROR "Hardening: the linker cannot make PIE executables:\n${_vornell_pie_output}")
endif()
unset(_vornell_pie_output)
# With policy CMP0083 (NEW since cmake_minimum_required 3.14) this makes CMake
# compile with -fPIE/-fPIC and link executables with -pie.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

set(_vornell_opt_configs "$<CONFIG:${VORNELL_HARDENING_CONFIGS}>")
string(REPLACE ";" "," _vornell_opt_configs "${_vornell_opt_configs}")

set(_vornell_cxx_flags -fstack-protector-strong)
check_cxx_compiler_flag(-fstack-clash-protection VORNELL_HAVE_STACK_CLASH_PROTECTION)
if(VORNELL_HAVE_STACK_CLASH_PROTECTION)
  list(APPEND _vornell_cxx_flags -fstack-clash-protection)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86)$")
  check_cxx_compiler_flag(-fcf-protection=full VORNELL_HAVE_CF_PROTECTION)
  if(VORNELL_HAVE_CF_PROTECTION)
    list(APPEND _vornell_cxx_flags -fcf-protection=full)
  endif()
endif()
# -U first: some toolchains define _FORTIFY_SOURCE already, and a second
# definition with another level would be a warning (an error with -Werror).
list(APPEND _vornell_cxx_flags -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)

foreach(_vornell_flag IN LISTS _vornell_cxx_flags)
  add_compile_options("$<$<AND:$<COMPILE_LANGUAGE:CXX,C>,${_vornell_opt_configs}>:${_vornell_flag}>")
endforeach()
add_link_options("$<${_vornell_opt_configs}:LINKER:-z,relro,-z,now>")

list(JOIN _vornell_cxx_flags " " _vornell_flag_text)
message(STATUS "Hardening: on for ${VORNELL_HARDENING_CONFIGS}: PIE, RELRO+BIND_NOW, ${_vornell_flag_text}")
set(VORNELL_HARDENING_ACTIVE TRUE)

unset(_vornell_flag)
unset(_vornell_flag_text)
unset(_vornell_cxx_flags)
unset(_vornell_opt_configs)
