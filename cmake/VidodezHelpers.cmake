# Adds every listed subfolder of the current folder that exists yet. Subsystems
# arrive one at a time; listing them here keeps each folder's own
# CMakeLists.txt the only file that names its sources.
function(vidodez_add_subdirs)
  foreach(sub IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/CMakeLists.txt)
      add_subdirectory(${sub})
    endif()
  endforeach()
endfunction()
