# Builds the game with the build machine's clang against a Debian 11 root (linux/libs.sh makes
# it), so that it runs on glibc 2.31 and newer. GYREL_LINUX_ROOT is the root, GYREL_LINUX_PREFIX
# the folder inside it that holds SDL2 and its libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

foreach(variable GYREL_LINUX_ROOT GYREL_LINUX_PREFIX)
    if(NOT ${variable} AND DEFINED ENV{${variable}})
        set(${variable} $ENV{${variable}})
    endif()
endforeach()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GYREL_LINUX_ROOT GYREL_LINUX_PREFIX)

set(CMAKE_SYSROOT ${GYREL_LINUX_ROOT})
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET x86_64-linux-gnu)
set(CMAKE_CXX_COMPILER_TARGET x86_64-linux-gnu)

set(CMAKE_FIND_ROOT_PATH ${GYREL_LINUX_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the root's .pc files only, the libraries' first.
if(GYREL_LINUX_ROOT)
    set(ENV{PKG_CONFIG_SYSROOT_DIR} ${GYREL_LINUX_ROOT})
    set(ENV{PKG_CONFIG_LIBDIR} "${GYREL_LINUX_PREFIX}/lib/pkgconfig:${GYREL_LINUX_ROOT}/usr/lib/x86_64-linux-gnu/pkgconfig:${GYREL_LINUX_ROOT}/usr/share/pkgconfig")
    set(ENV{PKG_CONFIG_PATH} "")
endif()

# Hardened as the release build is. Binding at start-up also makes an older SDL library that
# lacks a function the game calls stop the game at once, with the function named, not midway.
# Without --as-needed clang records libstdc++ and libgcc_s, which the game does not use.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong -fcf-protection -D_FORTIFY_SOURCE=2")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -fcf-protection -Wformat -Werror=format-security -D_FORTIFY_SOURCE=2")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--as-needed -Wl,-z,relro -Wl,-z,now")
