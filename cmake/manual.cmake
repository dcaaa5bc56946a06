# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# The manual page, made from man/41file.1.in: file41_add_manual(), which
# the tests use too, and this build's page.

# The page's date is that of the changelog's top entry, the release's, as
# written there, as its version is the release's.
file(STRINGS "${PROJECT_SOURCE_DIR}/packaging/changelog" file41_signature
  REGEX "^ -- " LIMIT_COUNT 1)
set(file41_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT file41_signature MATCHES ">  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
  message(FATAL_ERROR "packaging/changelog: the top entry's last line gives no date, "
    "as in \" -- NAME <EMAIL>  Wed, 09 Dec 2026 03:23:07 +0000\".")
endif()
list(FIND file41_months "${CMAKE_MATCH_2}" file41_month)
math(EXPR file41_month "${file41_month} + 101")
math(EXPR file41_day "${CMAKE_MATCH_1} + 100")
string(SUBSTRING "${file41_month}" 1 2 file41_month)
string(SUBSTRING "${file41_day}" 1 2 file41_day)
set(file41_man_date "${CMAKE_MATCH_3}-${file41_month}-${file41_day}")

# file41_add_manual(PAGE PATH): writes the manual page PAGE, which names
# PATH, in UTF-8 as the whole page is (file41_path_text). The path may
# break after a /, and inside a name too long for a line after about every
# 35 characters (35 at most: 70 columns even where each takes two, as CJK
# characters do, in the 71 of a line of the page at 80), but nowhere else:
# never at a space or by hyphenation. \x01, a byte the path cannot hold,
# marks those places until the path is escaped for roff, whose spellings
# here render as plain ASCII on every device.
function(file41_add_manual page path)
  string(ASCII 1 mark)
  file41_path_text(file41_man_path "${path}")
  file41_path_breaks(file41_man_path "${file41_man_path}" 34 "${mark}")
  string(REPLACE "\\" "\\e" file41_man_path "${file41_man_path}")
  string(REPLACE "-" "\\-" file41_man_path "${file41_man_path}")
  string(REPLACE "\"" "\\(dq" file41_man_path "${file41_man_path}")
  string(REPLACE "'" "\\(aq" file41_man_path "${file41_man_path}")
  string(REPLACE "`" "\\(ga" file41_man_path "${file41_man_path}")
  string(REPLACE "^" "\\(ha" file41_man_path "${file41_man_path}")
  string(REPLACE "~" "\\(ti" file41_man_path "${file41_man_path}")
  string(REPLACE " " "\\ " file41_man_path "${file41_man_path}")
  string(REPLACE "${mark}" "\\:" file41_man_path "${file41_man_path}")
  configure_file("${PROJECT_SOURCE_DIR}/man/41file.1.in" "${page}" @ONLY)
endfunction()

file41_add_manual("${PROJECT_BINARY_DIR}/41file.1" "${FILE41_PATH}")
