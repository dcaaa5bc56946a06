# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Run by CPack once it has made the package or the source tarball
# (CPACK_POST_BUILD_SCRIPTS), to make it again with tools that write the
# same bytes from the same files, whoever builds it, where, when and under
# which umask: dpkg-deb for the package, GNU tar and gzip -n for the
# tarball. CPack's own archives hold the build's clock, the umask's modes,
# the file system's order and, in the package's Installed-Size, its
# directories' sizes.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  set(epoch "${CPACK_FILE41_EPOCH}")
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${epoch}\": set it to the seconds since 1970 "
    "that the archives' times should hold, or install dpkg-dev, whose dpkg-parsechangelog "
    "reads the changelog's date, and configure again.")
endif()
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")

function(run)
  execute_process(COMMAND ${ARGN} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(archive IN LISTS CPACK_PACKAGE_FILES)
  if(archive MATCHES "\\.deb$")
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
  elseif(archive MATCHES "\\.tar\\.gz$")
    if(EXISTS "${CPACK_TEMPORARY_DIRECTORY}/CMakeCache.txt")
      message(FATAL_ERROR "The sources are a build tree, so the tarball cannot tell "
        "the project's files from the build's: make it from a build directory of its "
        "own (cmake -B build).")
    endif()
    execute_process(
      COMMAND tar --create --directory "${CPACK_TOPLEVEL_DIRECTORY}"
        --exclude-tag-all=CMakeCache.txt --sort=name --format=gnu
        --owner=0 --group=0 --numeric-owner "--mtime=@${epoch}" --mode=u+rwX,go=rX
        "${CPACK_PACKAGE_FILE_NAME}"
      COMMAND gzip -9n
      OUTPUT_FILE "${archive}"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
