# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Run by `cmake --install` (and cpack) before anything is installed: each folder on the way to the
# destinations in KORVEL_INSTALL_FOLDERS (relative to the prefix, under DESTDIR) that is not there
# yet is made and given the project's folder mode (CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, 0755), so that the umask of whoever installs makes no folder unreadable.
# Folders already there keep their modes (Debian's /usr/local ones are 2775, group staff).
foreach(folder IN LISTS KORVEL_INSTALL_FOLDERS)
  set(path "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${folder}")
  set(missing)
  while(NOT EXISTS "${path}")
    list(PREPEND missing "${path}")
    get_filename_component(path "${path}" DIRECTORY)
  endwhile()
  foreach(made IN LISTS missing)
    file(MAKE_DIRECTORY "${made}")
    file(CHMOD "${made}" DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
  endforeach()
endforeach()
