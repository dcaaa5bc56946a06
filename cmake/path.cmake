# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Refuses, at configure, a FILE41_PATH that the program cannot probe as
# meant; and how the manual and the package's description show a path.

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

# file41_path_breaks(OUT PATH COUNT MARK): PATH with MARK after each /, and
# inside a name after about every COUNT characters (COUNT or COUNT + 1, as
# UTF-8 counts them): the places where the manual and the package's
# description may break it across lines.
function(file41_path_breaks out path count mark)
  string(ASCII 128 next_first)
  string(ASCII 191 next_last)
  set(char "[^/${next_first}-${next_last}][${next_first}-${next_last}]*")
  string(REPEAT "${char}" ${count} chars)
  string(REGEX REPLACE "(${chars})(${char})" "\\1${mark}\\2" path "${path}")
  string(REPLACE "/" "/${mark}" path "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# file41_path_text(OUT PATH): PATH as text in UTF-8, which the manual and
# Debian's control data must be: each byte that is not part of a UTF-8
# character is written as \xNN.
function(file41_path_text out path)
  foreach(byte x80:128 x8f:143 x90:144 x9f:159 xa0:160 xbf:191 xc2:194 xdf:223 xe0:224
      xe1:225 xec:236 xed:237 xee:238 xef:239 xf0:240 xf1:241 xf3:243 xf4:244 xff:255)
    string(REGEX MATCH "^(.*):(.*)$" byte "${byte}")
    string(ASCII ${CMAKE_MATCH_2} ${CMAKE_MATCH_1})
  endforeach()
  set(next "[${x80}-${xbf}]")
  set(utf8 "[^${x80}-${xff}]|[${xc2}-${xdf}]${next}|${xe0}[${xa0}-${xbf}]${next}")
  string(APPEND utf8 "|[${xe1}-${xec}${xee}${xef}]${next}${next}|${xed}[${x80}-${x9f}]${next}")
  string(APPEND utf8 "|${xf0}[${x90}-${xbf}]${next}${next}|[${xf1}-${xf3}]${next}${next}${next}")
  string(APPEND utf8 "|${xf4}[${x80}-${x8f}]${next}${next}")
  # The longest run of whole characters, then a byte that is not one.
  set(rest "${path}")
  set(shown)
  while(NOT rest STREQUAL "")
    string(REGEX MATCH "^(${utf8})+" valid "${rest}")
    string(LENGTH "${valid}" length)
    string(SUBSTRING "${rest}" ${length} -1 rest)
    string(APPEND shown "${valid}")
    if(NOT rest STREQUAL "")
      string(SUBSTRING "${rest}" 0 1 byte)
      string(HEX "${byte}" byte)
      string(APPEND shown "\\x${byte}")
      string(SUBSTRING "${rest}" 1 -1 rest)
    endif()
  endwhile()
  set(${out} "${shown}" PARENT_SCOPE)
endfunction()
