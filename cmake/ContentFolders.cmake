# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The default content folders of data/, which the game and the checker read
# beside their own executable.
set(SORUBERIA_CONTENT_FOLDERS 問題 図 音)

# soruberia_content_beside(<executable> [FILES <variable>]): the content
# folders copied into the folder <executable> is built in (its
# RUNTIME_OUTPUT_DIRECTORY), file by file, so that a changed or new file is
# copied again at the next build. Executables of one folder share one copy;
# FILES gives the copied files, for targets that pack the folder.
function(soruberia_content_beside target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FILES" "")
  get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT folder)
    message(FATAL_ERROR "soruberia_content_beside(${target}): the executable has no RUNTIME_OUTPUT_DIRECTORY")
  endif()
  file(RELATIVE_PATH where ${PROJECT_BINARY_DIR} ${folder})
  string(MAKE_C_IDENTIFIER "content_beside_${where}" copy)
  if(NOT TARGET ${copy})
    set(copied)
    foreach(content IN LISTS SORUBERIA_CONTENT_FOLDERS)
      file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/${content}/*)
      foreach(source IN LISTS sources)
        get_filename_component(name ${source} NAME)
        set(copy_file ${folder}/${content}/${name})
        add_custom_command(OUTPUT ${copy_file}
          COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy_file}
          DEPENDS ${source}
          VERBATIM)
        list(APPEND copied ${copy_file})
      endforeach()
    endforeach()
    add_custom_target(${copy} ALL DEPENDS ${copied})
    set_target_properties(${copy} PROPERTIES SORUBERIA_CONTENT_FILES "${copied}")
  endif()
  add_dependencies(${target} ${copy})
  if(arg_FILES)
    get_target_property(files ${copy} SORUBERIA_CONTENT_FILES)
    set(${arg_FILES} ${files} PARENT_SCOPE)
  endif()
endfunction()
