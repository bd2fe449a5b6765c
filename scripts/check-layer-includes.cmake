# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Fails when a layer includes Qt, a window system or sound library header,
# or a folder of the tree it may not use:
#   cmake -DFOLDER=<folder> -DALLOWED=<folder;folder…> [-DWINDOWS_API=ON]
#         [-DPORTABLE=ON] [-DEXCLUDE=<subfolder;…>] -P check-layer-includes.cmake
# Quoted includes must name a header of an allowed folder ("content/X.h",
# "windows/platform/X.h" for windows/platform) or one beside the including
# file. Angle includes are the C and C++ standard library and the operating
# system's own interfaces (<iconv.h>, <windows.h> for the file system and
# code page conversion); the headers refused below are those of the windows,
# the pictures and the sound. WINDOWS_API admits the Windows API's own, for
# the Windows front-end. PORTABLE refuses the Windows API's base headers as
# well, for code that builds for no one system (the browser program).
# EXCLUDE leaves out subfolders of FOLDER checked on their own.
cmake_minimum_required(VERSION 3.25)
if(NOT FOLDER OR NOT ALLOWED)
  message(FATAL_ERROR "usage: cmake -DFOLDER=<folder> -DALLOWED=<folders> [-DWINDOWS_API=ON] [-DEXCLUDE=<subfolders>] -P ${CMAKE_SCRIPT_MODE_FILE}")
endif()

set(refused_patterns
  "^Q[A-Za-z0-9_]*$"                 # Qt class headers, <QString>
  "^Qt[A-Za-z]*/"                    # <QtCore/qstring.h>
  "^q[a-z0-9_]*\\.h$"                # <qstring.h>
  "^(X11|xcb|wayland-[a-z-]*|GL|EGL|GLES[0-9]*|gtk|gdk|glib)[/.]"
  "^(AL|sndfile|gif_lib|png|jpeglib|pulse|alsa)[/.]")
if(NOT WINDOWS_API)
  list(APPEND refused_patterns
    "^(windowsx|commctrl|commdlg|winuser|wingdi|shellapi|uxtheme|dwmapi|d2d1|dwrite|wincodec|gdiplus|mmsystem|dsound|xaudio2)\\.h$")
endif()
if(PORTABLE)
  list(APPEND refused_patterns
    "^(windows|windef|winbase|winnt|winerror|winnls|objbase|ole2|shlobj|shlwapi|knownfolders)\\.h$")
endif()

list(JOIN ALLOWED ", " allowed_text)
file(GLOB_RECURSE sources LIST_DIRECTORIES false "${FOLDER}/*.h" "${FOLDER}/*.cpp")
foreach(subfolder IN LISTS EXCLUDE)
  foreach(source IN LISTS sources)
    string(FIND "${source}" "${FOLDER}/${subfolder}/" at)
    if(at EQUAL 0)
      list(REMOVE_ITEM sources "${source}")
    endif()
  endforeach()
endforeach()
if(NOT sources)
  message(FATAL_ERROR "${FOLDER}: no sources")
endif()

set(problems "")
foreach(source IN LISTS sources)
  get_filename_component(here "${source}" DIRECTORY)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      list(APPEND problems "${source}: unreadable include: ${line}")
      continue()
    endif()
    set(quote "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_2}")
    if(quote STREQUAL "\"")
      if(EXISTS "${here}/${header}")
        continue()
      endif()
      set(allowed_header FALSE)
      foreach(folder IN LISTS ALLOWED)
        string(FIND "${header}" "${folder}/" at)
        if(at EQUAL 0)
          set(allowed_header TRUE)
          break()
        endif()
      endforeach()
      if(NOT allowed_header)
        list(APPEND problems "${source}: \"${header}\" is not in ${allowed_text}")
      endif()
    else()
      foreach(pattern IN LISTS refused_patterns)
        if(header MATCHES "${pattern}")
          list(APPEND problems "${source}: <${header}> is a header of Qt, a window system, a media library or a system API this folder may not use")
          break()
        endif()
      endforeach()
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n" report)
  message(FATAL_ERROR "${report}")
endif()
list(LENGTH sources count)
message(STATUS "${FOLDER}: ${count} files include only ${allowed_text} and the system")
