# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# The hardening flags that file41_add_probe() applies when FILE41_HARDENING
# is on, in the build types that CMake defines. Other build types, such as
# the None of Debian's packaging tools, bring flags of their own, which a
# packager may have turned some of these off in: they get none of ours.
# Each flag is used only if this compiler and linker take it, so that
# clang++ and older g++ still build.
set(file41_hardened_types Debug Release RelWithDebInfo MinSizeRel)
# The C library's checks need the optimiser.
set(file41_fortified_types Release RelWithDebInfo MinSizeRel)
set(file41_hardening_compile)
set(file41_hardening_link)
if(FILE41_HARDENING)
  include(CheckCXXCompilerFlag)
  foreach(flag -fPIE -fstack-protector-strong -fstack-clash-protection -fcf-protection=full)
    string(MAKE_C_IDENTIFIER "FILE41_CXX${flag}" have)
    check_cxx_compiler_flag(${flag} ${have})
    if(${have})
      list(APPEND file41_hardening_compile ${flag})
    endif()
  endforeach()
  check_linker_flag(CXX -pie FILE41_LD_PIE)
  if(FILE41_LD_PIE)
    list(APPEND file41_hardening_link -pie)
  endif()
  file41_linker_flags(file41_hardening_link -z,relro -z,now -z,noexecstack)
  # The toolchain may already define a lower level, hence -U first.
  if(CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
    string(REPLACE ";" "," types "${file41_fortified_types}")
    list(APPEND file41_hardening_compile
      "$<$<CONFIG:${types}>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
  endif()
  string(REPLACE ";" "," types "${file41_hardened_types}")
  set(file41_hardening_compile "$<$<CONFIG:${types}>:${file41_hardening_compile}>")
  set(file41_hardening_link "$<$<CONFIG:${types}>:${file41_hardening_link}>")
endif()
