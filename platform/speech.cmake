add_library(corvale_speech STATIC ${CMAKE_CURRENT_LIST_DIR}/speech.cpp)
target_include_directories(corvale_speech PUBLIC ${ESPEAK_NG_INCLUDE})
target_link_libraries(corvale_speech PUBLIC ${ESPEAK_NG_LIB} corvale_files)
