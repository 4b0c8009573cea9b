# Warnings are errors in our own code so that the build stays clean.
function(tw_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
endfunction()

# Adds every subdirectory of the calling directory that has a CMakeLists.txt,
# in the order given, so a subsystem joins the build by adding its own file.
macro(tw_add_subdirs)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endmacro()
