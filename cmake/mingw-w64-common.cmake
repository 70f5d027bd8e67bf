# What both mingw-w64 toolchain files share; they set
# BYTEGLEANER_MINGW_TARGET and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BYTEGLEANER_MINGW_TARGET}-gcc)
set(CMAKE_CXX_COMPILER ${BYTEGLEANER_MINGW_TARGET}-g++)
set(CMAKE_RC_COMPILER ${BYTEGLEANER_MINGW_TARGET}-windres)

# Libraries and headers come from the target's tree only, never the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${BYTEGLEANER_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests and the FLTK program are for the build machine; a value given
# on the command line still wins.
set(BYTEGLEANER_TESTS OFF CACHE BOOL "Build the tests")
set(BYTEGLEANER_DESKTOP OFF CACHE BOOL "Build the desktop program when FLTK is found")

# GCC 12 for 32-bit targets reports overlapping copies inside
# std::string's operator+ that cannot happen (GCC bug 105329); the check
# stays on for the build machine's compiler.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
