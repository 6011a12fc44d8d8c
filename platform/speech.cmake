# Speech synthesis with espeak-ng, shared by voxlet, the in-game voice and the
# clip generator; and voxlet's plain SDL audio output. Only platform/ sees
# the espeak-ng and SDL headers.
add_library(corvale_speech STATIC ${CMAKE_CURRENT_LIST_DIR}/speech.cpp)
target_include_directories(corvale_speech PRIVATE ${ESPEAK_NG_INCLUDE})
target_link_libraries(corvale_speech PRIVATE ${ESPEAK_NG_LIB})

add_library(corvale_speaker STATIC ${CMAKE_CURRENT_LIST_DIR}/speaker.cpp)
target_link_libraries(corvale_speaker PRIVATE PkgConfig::SDL2 PUBLIC corvale_speech)
