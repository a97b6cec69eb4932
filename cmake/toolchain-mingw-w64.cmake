# 64-bit Windows programs from Debian's mingw-w64 compilers with POSIX
# threads (g++-mingw-w64-x86-64-posix), whose std::thread and std::mutex the
# programs use. Qt for Windows comes from VIDODEZ_QT_WINDOWS (the unpacked
# folder scripts/build-windows prepares), built by the same compilers;
# Qt's build tools (moc, uic, rcc) are Debian's own, as Qt's host tools.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(VIDODEZ_QT_WINDOWS "" CACHE PATH "Qt 6 built for x86_64-w64-mingw32")
# GoogleTest built for Windows, and Debian's header-only CLI11 and
# nlohmann-json seen through a folder of their own (their CMake files name
# /usr/include, which must not reach a Windows build).
set(VIDODEZ_WINDOWS_DEPS "" CACHE PATH "Other libraries for x86_64-w64-mingw32")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VIDODEZ_QT_WINDOWS} ${VIDODEZ_WINDOWS_DEPS})
if(VIDODEZ_QT_WINDOWS)
  list(APPEND CMAKE_PREFIX_PATH ${VIDODEZ_QT_WINDOWS})
endif()
set(QT_HOST_PATH /usr CACHE PATH "Qt's host tools")
# Programs (the host tools) from the build machine; libraries, headers and
# CMake packages from the Windows roots alone.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and programs run on this machine through wine.
find_program(VIDODEZ_WINE wine)
if(VIDODEZ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VIDODEZ_WINE})
endif()

# The Linux build's optimisation (-O2): GCC 12's -O3 warns of overlapping
# copies inside std::string that are not there (GCC bug 105329), and
# warnings are errors.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of Release builds")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of Release builds")
