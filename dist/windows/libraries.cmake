# The libraries of the Windows build, from the prefix scripts/build-windows.sh
# builds them into, found by their own CMake packages. The rest of the build
# names them by the targets pkg-config gives on Linux, so the same targets are
# made here over the packages'. espeak-ng and fontconfig have no Windows
# build: the large-print view takes the font shipped beside the program.
find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_mixer CONFIG REQUIRED)
find_package(SDL2_ttf CONFIG REQUIRED)
foreach(pair "SDL2=SDL2::SDL2" "SDL2_MIXER=SDL2_mixer::SDL2_mixer" "SDL2_TTF=SDL2_ttf::SDL2_ttf")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 package_target)
    add_library(PkgConfig::${name} INTERFACE IMPORTED)
    target_link_libraries(PkgConfig::${name} INTERFACE ${package_target})
    # Read straight from the target by code that wants SDL's headers alone.
    get_target_property(dirs ${package_target} INTERFACE_INCLUDE_DIRECTORIES)
    set_target_properties(PkgConfig::${name} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${dirs}")
endforeach()
# The DLLs a program needs beside it: every one the prefix holds (SDL2,
# SDL2_mixer, SDL2_ttf and freetype, which SDL2_ttf loads).
get_filename_component(windows_prefix "${SDL2_DIR}/../../.." ABSOLUTE)
file(GLOB CORVALE_WINDOWS_DLLS ${windows_prefix}/bin/*.dll)

# The clips, their chart, voice.txt and every language's puzzles, as the
# native build of the same tree made them.
set(CORVALE_NATIVE_GAME_DIR "" CACHE PATH "Game folder of a native build of this tree, whose clips the Windows build ships")
if(NOT IS_DIRECTORY "${CORVALE_NATIVE_GAME_DIR}")
    message(FATAL_ERROR "CORVALE_NATIVE_GAME_DIR=${CORVALE_NATIVE_GAME_DIR}: the Windows build needs "
                        "the game folder of a native build (scripts/build-windows.sh makes one)")
endif()

# The tests run under wine: the programs are started by this script.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine.sh)
