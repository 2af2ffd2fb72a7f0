# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads). The libraries built
# by windows/libs.sh live in GYREL_WINDOWS_PREFIX (a cache folder outside the work tree).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GYREL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GYREL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GYREL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${GYREL_MINGW}-windres)

if(NOT GYREL_WINDOWS_PREFIX AND DEFINED ENV{GYREL_WINDOWS_PREFIX})
    set(GYREL_WINDOWS_PREFIX $ENV{GYREL_WINDOWS_PREFIX})
endif()
# try_compile projects see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GYREL_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${GYREL_MINGW} ${GYREL_WINDOWS_PREFIX})
set(CMAKE_PREFIX_PATH ${GYREL_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads only the prefix's .pc files, never the build machine's.
if(GYREL_WINDOWS_PREFIX)
    set(ENV{PKG_CONFIG_LIBDIR} ${GYREL_WINDOWS_PREFIX}/lib/pkgconfig)
    set(ENV{PKG_CONFIG_PATH} "")
endif()

# Tests run the Windows executables under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
