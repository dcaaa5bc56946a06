# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# What is installed: the program, its manual, copyright and changelog.

# The package's copyright file, in Debian's machine-readable format, holds
# the licence's terms indented, with " ." for each blank line.
file(READ LICENSE file41_license)
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" file41_license "${file41_license}")
string(STRIP "${file41_license}" file41_license)
string(REPLACE "\n\n" "\n.\n" file41_license "${file41_license}")
string(REPLACE "\n" "\n " file41_license " ${file41_license}")
configure_file(packaging/copyright.in copyright @ONLY)
configure_file(packaging/changelog changelog COPYONLY)

# The manual and the changelog are installed compressed, as Debian wants
# them; -n leaves out the name and time, so the bytes are reproducible.
find_program(FILE41_GZIP gzip REQUIRED)
add_custom_command(OUTPUT 41file.1.gz changelog.gz
  COMMAND "${FILE41_GZIP}" -9nkf 41file.1 changelog
  DEPENDS "${PROJECT_BINARY_DIR}/41file.1" "${PROJECT_BINARY_DIR}/changelog"
  VERBATIM)
add_custom_target(41file-docs ALL DEPENDS 41file.1.gz changelog.gz)

include(GNUInstallDirs)
# CPack and the install test install this component, not the whole
# project, so that they leave alone build/install_manifest.txt, the record
# of the user's own "cmake --install".
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME 41file)
install(TARGETS 41file RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_BINARY_DIR}/41file.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_BINARY_DIR}/copyright" "${PROJECT_BINARY_DIR}/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}")
