# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Run by the package_source target, with file41_source, file41_tarball,
# file41_name and file41_changelog_epoch set: makes the source tarball
# with GNU tar and gzip -n, so that the same sources give the same bytes,
# whoever makes it, where, when and under which umask. It holds, below
# file41_name/, sorted, owned by root, with modes 644 or 755, at the time
# of epoch.cmake: in a git checkout, the files that git tracks, as they
# stand in the tree; elsewhere, as in an unpacked tarball, the tree's
# files, less the user's presets and every build tree, known by its
# CMakeCache.txt.

include("${CMAKE_CURRENT_LIST_DIR}/epoch.cmake")

if(EXISTS "${file41_source}/CMakeCache.txt")
  message(FATAL_ERROR "The sources are a build tree, so the tarball cannot tell "
    "the project's files from the build's: make it from a build directory of its "
    "own (cmake -B build).")
endif()

# Made under another name first, and an earlier tarball removed, so that a
# failure leaves none that could pass for this one.
file(REMOVE "${file41_tarball}")
set(partial "${file41_tarball}.partial")
set(tree "${file41_source}")
if(EXISTS "${file41_source}/.git")
  # The tracked files are copied first, so that they are packed as an
  # unpacked tarball's tree is, directories and all.
  find_program(file41_git git)
  if(NOT file41_git)
    message(FATAL_ERROR "${file41_source} is a git checkout, whose tracked files "
      "alone go into the tarball: install git to tell which they are.")
  endif()
  # A tracked file deleted from the tree is likelier a slip than a release.
  execute_process(
    COMMAND "${file41_git}" -C "${file41_source}" ls-files --deleted
    OUTPUT_VARIABLE deleted OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  if(NOT deleted STREQUAL "")
    string(REPLACE "\n" ", " deleted "${deleted}")
    message(FATAL_ERROR "git tracks files that are missing from the tree: ${deleted}. "
      "Restore them (git restore) or commit their removal: no source tarball was made.")
  endif()
  set(tree "${partial}.tree")
  file(REMOVE_RECURSE "${tree}")
  file(MAKE_DIRECTORY "${tree}")
  execute_process(
    COMMAND "${file41_git}" -C "${file41_source}" ls-files -z
    COMMAND tar --create --directory "${file41_source}" --no-recursion --null --files-from=-
    COMMAND tar --extract --directory "${tree}"
    RESULTS_VARIABLE results)
  if(NOT results STREQUAL "0;0;0")
    file(REMOVE_RECURSE "${tree}")
    message(FATAL_ERROR "git or tar failed (${results}) copying the tracked files: "
      "no source tarball was made.")
  endif()
endif()

execute_process(
  COMMAND tar --create --directory "${tree}"
    --anchored --exclude=./CMakeUserPresets.json
    --exclude-tag-all=CMakeCache.txt --transform "s,^\\.,${file41_name},S"
    --sort=name --format=gnu --owner=0 --group=0 --numeric-owner "--mtime=@${epoch}"
    --mode=u+rwX,go=rX .
  COMMAND gzip -9n
  OUTPUT_FILE "${partial}"
  RESULTS_VARIABLE results)
if(NOT tree STREQUAL file41_source)
  file(REMOVE_RECURSE "${tree}")
endif()
if(NOT results STREQUAL "0;0")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "tar or gzip failed (${results}): no source tarball was made.")
endif()
file(RENAME "${partial}" "${file41_tarball}")
message(STATUS "Made ${file41_tarball}")
