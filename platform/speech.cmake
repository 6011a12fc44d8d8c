# Speech synthesis with espeak-ng or flite, shared by voxlet, the in-game
# voice and the clip generator; voxlet's plain SDL audio output; and the
# client of the desktop's speech server, speech-dispatcher. Only platform/
# sees the engines', SDL's and speech-dispatcher's headers.
find_package(Threads REQUIRED)
find_library(FLITE_LIB flite REQUIRED)
find_path(FLITE_INCLUDE flite/flite.h REQUIRED)
set(FLITE_LIBS ${FLITE_LIB})
foreach(part cmu_us_slt cmu_us_kal cmu_us_awb cmu_us_rms cmulex usenglish)
    find_library(FLITE_${part} flite_${part} REQUIRED)
    list(PREPEND FLITE_LIBS ${FLITE_${part}})
endforeach()

add_library(corvale_speech STATIC
    ${CMAKE_CURRENT_LIST_DIR}/speech.cpp
    ${CMAKE_CURRENT_LIST_DIR}/espeak.cpp
    ${CMAKE_CURRENT_LIST_DIR}/flite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resample.cpp)
target_include_directories(corvale_speech PRIVATE ${ESPEAK_NG_INCLUDE} ${FLITE_INCLUDE})
target_link_libraries(corvale_speech PRIVATE ${ESPEAK_NG_LIB} ${FLITE_LIBS} PUBLIC corvale_files)

add_library(corvale_speaker STATIC ${CMAKE_CURRENT_LIST_DIR}/speaker.cpp)
target_link_libraries(corvale_speaker PRIVATE PkgConfig::SDL2 PUBLIC corvale_speech)

# speech-dispatcher, loaded at run time: nothing to link but the loader.
add_library(corvale_speechd STATIC ${CMAKE_CURRENT_LIST_DIR}/speechd.cpp)
target_link_libraries(corvale_speechd PRIVATE ${CMAKE_DL_LIBS} PUBLIC Threads::Threads)
