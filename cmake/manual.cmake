# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# The manual page, made from man/41file.1.in.

# The manual names the path this build probes, and the project's version.
# The path may break after a /, and inside a name too long for a line (of
# over 60 characters) about every 60, but nowhere else: never at a space
# or by hyphenation. \x01, a byte the path cannot hold, marks those places until
# the path is escaped for roff, whose spellings here render as plain ASCII
# on every device.
string(ASCII 1 file41_mark)
string(ASCII 128 file41_utf8_next_first)
string(ASCII 191 file41_utf8_next_last)
set(file41_char "[^/${file41_utf8_next_first}-${file41_utf8_next_last}][${file41_utf8_next_first}-${file41_utf8_next_last}]*")
string(REPEAT "${file41_char}" 60 file41_chars)
string(REGEX REPLACE "(${file41_chars})(${file41_char})" "\\1${file41_mark}\\2"
  file41_man_path "${FILE41_PATH}")
string(REPLACE "/" "/${file41_mark}" file41_man_path "${file41_man_path}")
string(REPLACE "\\" "\\e" file41_man_path "${file41_man_path}")
string(REPLACE "-" "\\-" file41_man_path "${file41_man_path}")
string(REPLACE "\"" "\\(dq" file41_man_path "${file41_man_path}")
string(REPLACE "'" "\\(aq" file41_man_path "${file41_man_path}")
string(REPLACE "`" "\\(ga" file41_man_path "${file41_man_path}")
string(REPLACE "^" "\\(ha" file41_man_path "${file41_man_path}")
string(REPLACE "~" "\\(ti" file41_man_path "${file41_man_path}")
string(REPLACE " " "\\ " file41_man_path "${file41_man_path}")
string(REPLACE "${file41_mark}" "\\:" file41_man_path "${file41_man_path}")
configure_file(man/41file.1.in 41file.1 @ONLY)
