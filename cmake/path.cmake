# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Refuses, at configure, a FILE41_PATH that the program cannot probe as meant.

# The program probes exactly these bytes, so refuse now what cannot be
# meant: a path that does not start at the root (a relative one would be
# probed from wherever the program runs, and the shell's ~ is not expanded
# here); one that holds control characters, such as a newline, or the C1
# ones that UTF-8 writes as \xc2\x80 to \xc2\x9f; one that the system
# can never open, being too long; and one that does not name a file by a
# plain route (a trailing /, a //, a . or ..), as what "." and ".." reach
# depends on the symbolic links on the way there.
string(ASCII 1 file41_ctl_first)
string(ASCII 31 file41_ctl_last)
string(ASCII 127 file41_del)
string(ASCII 194 file41_c1_lead)
string(ASCII 128 file41_c1_first)
string(ASCII 159 file41_c1_last)
string(LENGTH "${FILE41_PATH}" file41_path_length)
string(REPEAT "[^/]" 256 file41_long_name)
set(file41_refusal)
if(NOT FILE41_PATH MATCHES "^/")
  set(file41_refusal "it must be an absolute path, starting with /.")
elseif(FILE41_PATH MATCHES "[${file41_ctl_first}-${file41_ctl_last}${file41_del}]"
    OR FILE41_PATH MATCHES "${file41_c1_lead}[${file41_c1_first}-${file41_c1_last}]")
  set(file41_refusal "it must not hold control characters, such as a newline or a tab.")
elseif(file41_path_length GREATER_EQUAL 4096)
  set(file41_refusal "it is ${file41_path_length} bytes, and no path of 4096 or more can be opened.")
elseif(FILE41_PATH MATCHES "/$")
  set(file41_refusal "it must name a file, so it must not end in /.")
elseif(FILE41_PATH MATCHES "(^|/)\\.\\.?(/|$)|//")
  set(file41_refusal "it must name the file by a plain route, with no . or .. between its slashes and no //.")
elseif(FILE41_PATH MATCHES "${file41_long_name}")
  set(file41_refusal "no name between its slashes may be longer than 255 bytes, or it cannot be opened.")
endif()
if(file41_refusal)
  message(FATAL_ERROR "FILE41_PATH is \"${FILE41_PATH}\": ${file41_refusal}")
endif()
