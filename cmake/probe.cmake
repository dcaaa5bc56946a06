# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# How a probe is built: file41_add_probe(), with its warnings and a lean
# link, and file41_linker_flags(), which hardening.cmake uses too.

set(file41_warnings
    -Wall -Wextra -Wpedantic -Wformat=2 -Wconversion -Wold-style-cast)

# file41_linker_flags(VAR FLAG...) appends to VAR "LINKER:FLAG" for each
# FLAG that the linker takes.
include(CheckLinkerFlag)
function(file41_linker_flags var)
  foreach(flag IN LISTS ARGN)
    string(MAKE_C_IDENTIFIER "FILE41_LD${flag}" have)
    check_linker_flag(CXX "LINKER:${flag}" ${have})
    if(${have})
      list(APPEND ${var} "LINKER:${flag}")
    endif()
  endforeach()
  set(${var} "${${var}}" PARENT_SCOPE)
endfunction()

# Start-up cost: link only the libraries the program uses, so that libc is
# its one shared library, and resolve the C start files' optional hooks
# (__gmon_start__ and the like) when linking, not at every start.
set(file41_lean_link)
if(CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  file41_linker_flags(file41_lean_link --as-needed -z,nodynamic-undefined-weak)
endif()

# Builds the program from its one source, probing PATH. The tests build a
# second copy that probes a file in the build tree.
function(file41_add_probe target path)
  # The path reaches the program as a C string literal in a header of the
  # target's own, so that no compiler command line, shell or Makefile has
  # to carry it. "\?" keeps a "??" from being read as a trigraph, and
  # octal escapes carry the bytes from 0x80 up whatever their encoding, as
  # a compiler may refuse a literal that is not valid UTF-8.
  string(REPLACE "\\" "\\\\" literal "${path}")
  string(REPLACE "\"" "\\\"" literal "${literal}")
  string(REPLACE "?" "\\?" literal "${literal}")
  foreach(byte RANGE 128 255)
    string(ASCII ${byte} char)
    math(EXPR high "${byte} / 64")
    math(EXPR middle "${byte} / 8 % 8")
    math(EXPR low "${byte} % 8")
    string(REPLACE "${char}" "\\${high}${middle}${low}" literal "${literal}")
  endforeach()
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/${target}-path")
  file(CONFIGURE OUTPUT "${dir}/file41_path.h"
    CONTENT "#define FILE41_PATH \"@literal@\"\n" @ONLY)

  add_executable(${target} "${PROJECT_SOURCE_DIR}/src/41file.cpp")
  set_target_properties(${target} PROPERTIES
    CXX_STANDARD 17
    CXX_STANDARD_REQUIRED ON
    CXX_EXTENSIONS OFF)
  target_include_directories(${target} PRIVATE "${dir}")
  target_compile_options(${target} PRIVATE
    "$<$<CXX_COMPILER_ID:GNU,Clang>:${file41_warnings}>")
  target_link_options(${target} PRIVATE ${file41_lean_link})
  target_compile_options(${target} PRIVATE "${file41_hardening_compile}")
  target_link_options(${target} PRIVATE "${file41_hardening_link}")
endfunction()
