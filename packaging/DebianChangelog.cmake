# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# korvel_debian_changelog(<CHANGELOG> <output> <Debian revision> <maintainer>): upstream's change log
# in Debian's format, for the project's own package. CHANGELOG holds, newest first, entries headed
# "<version> (<YYYY-MM-DD>)" whose lines below, indented, are kept as they are; everything before
# the first entry is left out.
function(korvel_debian_changelog input output revision maintainer)
  file(STRINGS ${input} lines)
  set(text "")
  set(open FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^([0-9][0-9.]*) \\(([0-9]+-[0-9]+-[0-9]+)\\)$")
      if(open)
        string(APPEND text "\n -- ${maintainer}  ${date}\n\n")
      endif()
      set(version ${CMAKE_MATCH_1})
      # Debian wants the date as RFC 2822 has it, midnight UTC of the entry's day.
      execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_2}" OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
                      COMMAND_ERROR_IS_FATAL ANY)
      string(APPEND text "korvel-solitaire (${version}-${revision}) unstable; urgency=medium\n\n")
      set(open TRUE)
    elseif(open AND line MATCHES "^  ")
      string(APPEND text "${line}\n")
    endif()
  endforeach()
  if(NOT open)
    message(FATAL_ERROR "${input} holds no entry")
  endif()
  string(REGEX MATCH "^korvel-solitaire \\(([^-]*)-" newest "${text}")
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${input}: its newest entry is ${CMAKE_MATCH_1}, the project ${PROJECT_VERSION}")
  endif()
  string(APPEND text "\n -- ${maintainer}  ${date}\n")
  file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()
