# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings are errors in our own code so that the build stays clean.
function(tw_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
endfunction()

# Adds the given subdirectories of the calling directory, in order. A listed
# folder without a CMakeLists.txt stops the configure, so that a renamed or
# removed folder cannot silently drop its tests from the build.
macro(tw_add_subdirs)
  foreach(dir ${ARGN})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${dir} has no CMakeLists.txt")
    endif()
    add_subdirectory(${dir})
  endforeach()
endmacro()
