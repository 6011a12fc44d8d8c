add_library(corvale_reader STATIC ${CMAKE_CURRENT_LIST_DIR}/reader.cpp)
target_link_libraries(corvale_reader PUBLIC corvale_files)
