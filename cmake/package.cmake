# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# The Debian package, made by CPack, and the source tarball, made by GNU tar.

# "--target package" makes the Debian package, "--target package_source"
# the source tarball.
set(CPACK_PACKAGE_VENDOR "The 41file Authors")
set(CPACK_PACKAGE_CONTACT "41file maintainers <maintainers@41file.example.org>")

# file41_description_lines(OUT PATH): PATH as the package's description
# shows it, in UTF-8 (file41_path_text) as Debian's control data must be,
# on lines of its own of at most 78 characters, broken after a / or inside
# a long name. Each line is set one space in, which CPack makes two, so
# that it is shown as it stands, and stays within the 80 characters that a
# line may take.
function(file41_description_lines out path)
  file41_path_text(text "${path}")
  string(ASCII 1 mark)
  string(ASCII 128 next_first)
  string(ASCII 191 next_last)
  file41_path_breaks(rest "${text}" 75 "${mark}")
  set(line)
  set(lines)
  while(NOT rest STREQUAL "")
    string(REGEX MATCH "^[^${mark}]*${mark}?" piece "${rest}")
    string(LENGTH "${piece}" length)
    string(SUBSTRING "${rest}" ${length} -1 rest)
    string(REPLACE "${mark}" "" piece "${piece}")
    # Characters, as UTF-8 counts them: the bytes that do not continue one.
    string(REGEX REPLACE "[${next_first}-${next_last}]" "" chars "${line}${piece}")
    string(LENGTH "${chars}" length)
    if(length GREATER 78 AND NOT line STREQUAL "")
      string(APPEND lines " ${line}\n")
      set(line "${piece}")
    else()
      string(APPEND line "${piece}")
    endif()
  endwhile()
  set(${out} "${lines} ${line}" PARENT_SCOPE)
endfunction()

file41_description_lines(file41_path_lines "${FILE41_PATH}")
set(CPACK_PACKAGE_DESCRIPTION "41file opens one file for reading, says on standard output whether that
worked, and closes it again, without reading it. The file that this build
probes is:
${file41_path_lines}

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

# The date of the changelog's top entry, the release's: the time that the
# package and the tarball hold, unless SOURCE_DATE_EPOCH says otherwise.
find_program(FILE41_DPKG_PARSECHANGELOG dpkg-parsechangelog)
set(file41_changelog_epoch)
if(FILE41_DPKG_PARSECHANGELOG)
  execute_process(
    COMMAND "${FILE41_DPKG_PARSECHANGELOG}" -l "${PROJECT_SOURCE_DIR}/packaging/changelog" -STimestamp
    OUTPUT_VARIABLE file41_changelog_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endif()

# CPack makes the package, and repack.cmake makes it again so that the
# same sources give the same bytes.
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/repack.cmake")
set(CPACK_FILE41_EPOCH "${file41_changelog_epoch}")
# CPack's own source tarball would copy the tree by a glob of its path,
# which finds nothing where the path holds [ and ], and CMake's rule for
# it leaves the build directory's path to the shell unquoted. So CPack's
# source configuration goes where that rule does not look for it, and
# package_source is this target, for which GNU tar makes the tarball
# (tarball.cmake).
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CMakeFiles/CPackSourceConfig.cmake")
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)

file(WRITE "${PROJECT_BINARY_DIR}/CMakeFiles/file41-package-source.cmake" "\
set(file41_source [==[${PROJECT_SOURCE_DIR}]==])
set(file41_tarball [==[${PROJECT_BINARY_DIR}/${PROJECT_NAME}-${PROJECT_VERSION}.tar.gz]==])
set(file41_name [==[${PROJECT_NAME}-${PROJECT_VERSION}]==])
set(file41_changelog_epoch [==[${file41_changelog_epoch}]==])
include([==[${CMAKE_CURRENT_LIST_DIR}/tarball.cmake]==])
")
# Run in the build directory, which this command therefore need not name.
add_custom_target(package_source
  COMMAND "${CMAKE_COMMAND}" -P CMakeFiles/file41-package-source.cmake
  USES_TERMINAL VERBATIM)
