# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Run by the package_source target, with file41_source, file41_tarball,
# file41_name and file41_changelog_epoch set: makes the source tarball
# with GNU tar and gzip -n straight from the source tree, so that the same
# sources give the same bytes, whoever makes it, where, when and under
# which umask. It holds the tree's files below file41_name/, sorted, owned
# by root, with modes 644 or 755, at the time of epoch.cmake; it leaves
# out git's data (a directory, or a file in a worktree), the user's
# presets, and every build tree, known by its CMakeCache.txt.

include("${CMAKE_CURRENT_LIST_DIR}/epoch.cmake")

if(EXISTS "${file41_source}/CMakeCache.txt")
  message(FATAL_ERROR "The sources are a build tree, so the tarball cannot tell "
    "the project's files from the build's: make it from a build directory of its "
    "own (cmake -B build).")
endif()

# Made under another name first, so that a failure leaves no tarball.
set(partial "${file41_tarball}.partial")
execute_process(
  COMMAND tar --create --directory "${file41_source}"
    --anchored --exclude=./.git --exclude=./CMakeUserPresets.json
    --exclude-tag-all=CMakeCache.txt --transform "s,^\\.,${file41_name},S"
    --sort=name --format=gnu --owner=0 --group=0 --numeric-owner "--mtime=@${epoch}"
    --mode=u+rwX,go=rX .
  COMMAND gzip -9n
  OUTPUT_FILE "${partial}"
  RESULTS_VARIABLE results)
if(NOT results STREQUAL "0;0")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "tar or gzip failed (${results}): no source tarball was made.")
endif()
file(RENAME "${partial}" "${file41_tarball}")
message(STATUS "Made ${file41_tarball}")
