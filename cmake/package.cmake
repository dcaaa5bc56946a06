# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# The Debian package and the source tarball, made by CPack.

# "--target package" makes the Debian package, "--target package_source"
# the source tarball.
set(CPACK_PACKAGE_VENDOR "The 41file Authors")
set(CPACK_PACKAGE_CONTACT "41file maintainers <maintainers@41file.example.org>")
set(CPACK_PACKAGE_DESCRIPTION "41file opens one file for reading, says on standard output whether that
worked, and closes it again, without reading it. This build probes
${FILE41_PATH}.

Its exit status is 0 when the file opened and 1 when it did not, so a
shell script can ask the question without the text.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL 41file)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}")
# CPack copies all the sources but git's data, the user's presets and this
# build tree; repack.cmake then leaves out any other build tree, by its
# CMakeCache.txt.
string(REGEX REPLACE "[][.*+?^$(){}|\\]" "\\\\\\0" file41_source_re "${PROJECT_SOURCE_DIR}")
string(REGEX REPLACE "[][.*+?^$(){}|\\]" "\\\\\\0" file41_binary_re "${PROJECT_BINARY_DIR}")
set(CPACK_SOURCE_IGNORE_FILES
  "^${file41_source_re}/\\.git/"
  "^${file41_source_re}/CMakeUserPresets\\.json$")
if(NOT PROJECT_BINARY_DIR STREQUAL PROJECT_SOURCE_DIR)
  list(APPEND CPACK_SOURCE_IGNORE_FILES "^${file41_binary_re}/")
endif()

# Both are made again by repack.cmake, so that the same sources give the
# same bytes. Their times are SOURCE_DATE_EPOCH: the caller's, or else the
# date of the changelog's top entry, the release's.
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/repack.cmake")
find_program(FILE41_DPKG_PARSECHANGELOG dpkg-parsechangelog)
set(CPACK_FILE41_EPOCH)
if(FILE41_DPKG_PARSECHANGELOG)
  execute_process(
    COMMAND "${FILE41_DPKG_PARSECHANGELOG}" -l "${PROJECT_SOURCE_DIR}/packaging/changelog" -STimestamp
    OUTPUT_VARIABLE CPACK_FILE41_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endif()

set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
