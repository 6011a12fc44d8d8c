add_library(corvale_reader STATIC ${CMAKE_CURRENT_LIST_DIR}/reader.cpp)
