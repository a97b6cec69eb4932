# The one version of the programs: the project's version, with the commit the
# build was made from (git at configure time; "unknown" where there is no git
# or no repository, as in a source tarball). Both reach --version of every
# program, the About window and the package.
set(VIDODEZ_COMMIT unknown)
find_package(Git QUIET)

function(vidodez_git out)
  execute_process(COMMAND ${GIT_EXECUTABLE} ${ARGN} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE text OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    set(text "")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(GIT_FOUND)
  vidodez_git(commit rev-parse --short=12 HEAD)
  if(commit MATCHES "^[0-9a-f]+$")
    set(VIDODEZ_COMMIT ${commit})
    # A new commit or checkout configures again, so --version never names an
    # old one.
    vidodez_git(branch symbolic-ref -q HEAD)
    foreach(ref IN ITEMS HEAD packed-refs ${branch})
      vidodez_git(path rev-parse --path-format=absolute --git-path ${ref})
      if(path AND EXISTS "${path}")
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
      endif()
    endforeach()
  endif()
endif()
message(STATUS "vidodez ${PROJECT_VERSION}, commit ${VIDODEZ_COMMIT}")
