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
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL 41file)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}")
# Leave out git's data and the build trees, wherever the sources are.
string(REGEX REPLACE "[][.*+?^$(){}|\\]" "\\\\\\0" file41_source_re "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_IGNORE_FILES
  "^${file41_source_re}/\\.git/"
  "^${file41_source_re}/build[^/]*/"
  "^${file41_source_re}/CMakeUserPresets\\.json$")
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
