# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# How a probe is built: file41_add_probe(), with its warnings, a lean link
# and its build's paths mapped away, and file41_linker_flags(), which
# hardening.cmake uses too.

set(file41_warnings
    -Wall -Wextra -Wpedantic -Wformat=2 -Wconversion -Wold-style-cast)

# file41_linker_flags(VAR FLAG...) appends to VAR "LINKER:FLAG" for each
# FLAG that the linker takes. A linker may only warn about a flag that
# does not apply to this machine, and ignore it, so where it can, it is
# asked to fail on warnings while it is tried.
include(CheckLinkerFlag)
check_linker_flag(CXX "LINKER:--fatal-warnings" FILE41_LD_FATAL_WARNINGS)
set(file41_linker_check "LINKER:")
if(FILE41_LD_FATAL_WARNINGS)
  set(file41_linker_check "LINKER:--fatal-warnings,")
endif()
function(file41_linker_flags var)
  foreach(flag IN LISTS ARGN)
    string(MAKE_C_IDENTIFIER "FILE41_LINKER${flag}" have)
    check_linker_flag(CXX "${file41_linker_check}${flag}" ${have})
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

# Where the trees lie must not change the program: debug information holds
# their paths, and the build ID covers it, even once stripped. The source
# tree is mapped to "." and the build tree to "build". Either may lie
# inside the other, or its path start with the other's, as a build tree
# 41file beside sources 41file-1.0.5; a map matches the start of a path as
# a string, and the compilers try the last first, so the longer path's
# map goes last.
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-ffile-prefix-map=a=b FILE41_CXX_FILE_PREFIX_MAP)
set(file41_path_maps)
if(FILE41_CXX_FILE_PREFIX_MAP)
  set(file41_path_maps
    "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
  string(LENGTH "${PROJECT_SOURCE_DIR}" source_length)
  string(LENGTH "${PROJECT_BINARY_DIR}" build_length)
  if(source_length GREATER build_length)
    list(REVERSE file41_path_maps)
  endif()
endif()

# file41_build_as_probe(TARGET): TARGET is built and linked as a probe is,
# which the tests' floor of start-up cost is too.
function(file41_build_as_probe target)
  set_target_properties(${target} PROPERTIES
    CXX_STANDARD 17
    CXX_STANDARD_REQUIRED ON
    CXX_EXTENSIONS OFF)
  # It throws nothing, and exceptions would take in an unwinder, such as
  # 32-bit ARM's libgcc_s.
  target_compile_options(${target} PRIVATE
    "$<$<CXX_COMPILER_ID:GNU,Clang>:${file41_warnings};-fno-exceptions>")
  # A 32-bit C library's fopen refuses a file of 2 GiB or more unless its
  # offsets are 64-bit, as they always are on 64-bit machines.
  target_compile_definitions(${target} PRIVATE _FILE_OFFSET_BITS=64)
  target_compile_options(${target} PRIVATE ${file41_path_maps})
  target_link_options(${target} PRIVATE ${file41_lean_link})
  target_compile_options(${target} PRIVATE "${file41_hardening_compile}")
  target_link_options(${target} PRIVATE "${file41_hardening_link}")
endfunction()

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
  target_include_directories(${target} PRIVATE "${dir}")
  file41_build_as_probe(${target})
endfunction()
