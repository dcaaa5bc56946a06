# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# The hardening flags that file41_add_probe() applies when FILE41_HARDENING
# is on. Each flag is used only if this compiler and linker take it, so
# that clang++ and older g++ still build.
set(file41_hardening_compile)
set(file41_hardening_link)
if(FILE41_HARDENING)
  include(CheckCXXCompilerFlag)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection=full)
    string(MAKE_C_IDENTIFIER "FILE41_CXX${flag}" have)
    check_cxx_compiler_flag(${flag} ${have})
    if(${have})
      list(APPEND file41_hardening_compile ${flag})
    endif()
  endforeach()
  file41_linker_flags(file41_hardening_link -z,relro -z,now -z,noexecstack)
  # The C library's checks need the optimiser; the toolchain may already
  # define a lower level, hence -U first.
  if(CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
    list(APPEND file41_hardening_compile
      "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
  endif()
endif()
