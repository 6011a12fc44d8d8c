# CMake toolchain for building Corvale and its libraries for 64-bit Windows
# with Debian's MinGW-w64 cross compiler (the posix flavour, whose libstdc++
# has std::thread). The libraries built for Windows lie in the prefix named
# by the environment variable CORVALE_WINDOWS_PREFIX (scripts/build-windows.sh
# sets it); only there and in the compiler's own tree are headers, libraries
# and packages looked for, never in the build machine's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Kept in the cache, so a later reconfigure finds the prefix without the
# variable.
if(DEFINED ENV{CORVALE_WINDOWS_PREFIX})
    set(CORVALE_WINDOWS_PREFIX $ENV{CORVALE_WINDOWS_PREFIX} CACHE PATH
        "Where scripts/build-windows.sh built the libraries for Windows")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${CORVALE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthread) goes into each
# program and library, so a player needs no MinGW DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
