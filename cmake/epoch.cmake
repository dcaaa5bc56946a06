# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Included by repack.cmake and tarball.cmake, with file41_changelog_epoch
# set to the date of the changelog's top entry, the release's, as read
# when the project was configured: sets epoch to the time, in seconds
# since 1970, that the package and the tarball hold, which is the caller's
# SOURCE_DATE_EPOCH, or else that date.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  set(epoch "${file41_changelog_epoch}")
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${epoch}\": set it to the seconds since 1970 "
    "that the archives' times should hold, or install dpkg-dev, whose dpkg-parsechangelog "
    "reads the changelog's date, and configure again.")
endif()
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
