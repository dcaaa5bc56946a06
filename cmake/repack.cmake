# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Run by CPack once it has made the package (CPACK_POST_BUILD_SCRIPTS), to
# make it again with dpkg-deb, which writes the same bytes from the same
# files, whoever builds it, where, when and under which umask. CPack's own
# package holds the build's clock, the umask's modes and, in its
# Installed-Size, its directories' sizes.

set(file41_changelog_epoch "${CPACK_FILE41_EPOCH}")
include("${CMAKE_CURRENT_LIST_DIR}/epoch.cmake")

function(run)
  execute_process(COMMAND ${ARGN} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(archive IN LISTS CPACK_PACKAGE_FILES)
  set(root "${CPACK_TOPLEVEL_DIRECTORY}/repack")
  file(REMOVE_RECURSE "${root}")
  run(dpkg-deb --raw-extract "${archive}" "${root}")
  # 755 for directories and programs, 644 for the rest, as Debian wants.
  run(chmod -R u+rwX,go=rX "${root}")
  # Installed-Size, counted as dpkg-gencontrol does (each file's size in
  # KiB, rounded up, and 1 for each directory) over what is installed.
  execute_process(
    COMMAND find . -path ./DEBIAN -prune -o -type d -printf "1024\\n" -o -printf "%s\\n"
    WORKING_DIRECTORY "${root}"
    OUTPUT_VARIABLE sizes
    COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "[0-9]+" sizes "${sizes}")
  set(kib 0)
  foreach(size IN LISTS sizes)
    math(EXPR kib "${kib} + (${size} + 1023) / 1024")
  endforeach()
  file(READ "${root}/DEBIAN/control" control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n"
    control "${control}")
  file(WRITE "${root}/DEBIAN/control" "${control}")
  run(find "${root}" -exec touch -h -d "@${epoch}" "{}" +)
  run(dpkg-deb --root-owner-group -Zgzip --build "${root}" "${archive}")
endforeach()
