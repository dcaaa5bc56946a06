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

# CMake makes the directories it installs into with the umask's modes, so
# make those that are missing first, with 755 whatever the umask.
set(file41_install_dirs
  "${CMAKE_INSTALL_BINDIR}" "${CMAKE_INSTALL_MANDIR}/man1" "${CMAKE_INSTALL_DOCDIR}")
install(CODE "set(file41_install_dirs [==[${file41_install_dirs}]==])")
install(CODE [[
  function(file41_make_directory dir)
    if(dir AND NOT EXISTS "${dir}")
      cmake_path(GET dir PARENT_PATH parent)
      file41_make_directory("${parent}")
      file(MAKE_DIRECTORY "${dir}")
      file(CHMOD "${dir}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
        GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
  endfunction()
  foreach(dir IN LISTS file41_install_dirs)
    cmake_path(ABSOLUTE_PATH dir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}")
    file41_make_directory("$ENV{DESTDIR}${dir}")
  endforeach()
]])

install(TARGETS 41file RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
# A stripped install, as the package's, also drops the .comment section,
# which only names the compilers that built the program; the build ID
# note stays.
install(CODE "set(file41_program [==[${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:41file>]==])
  set(file41_objcopy [==[${CMAKE_OBJCOPY}]==])")
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP AND file41_objcopy)
    cmake_path(ABSOLUTE_PATH file41_program BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}")
    execute_process(
      COMMAND "${file41_objcopy}" --remove-section=.comment "$ENV{DESTDIR}${file41_program}"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
]])
install(FILES "${PROJECT_BINARY_DIR}/41file.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_BINARY_DIR}/copyright" "${PROJECT_BINARY_DIR}/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}")
