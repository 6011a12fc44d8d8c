# Tests of the puzzle files: the reader's rules, the checker and generator of
# corvale-puzzle, and a run of the checker over the puzzles the game ships.
add_executable(puzzle_tests)
file(GLOB puzzle_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/puzzle/*.cpp)
target_sources(puzzle_tests PRIVATE ${puzzle_test_sources})
target_link_libraries(puzzle_tests PRIVATE corvale_reader GTest::gtest_main)
if(TARGET corvale_puzzletool)
    target_link_libraries(puzzle_tests PRIVATE corvale_puzzletool)
endif()
target_compile_definitions(puzzle_tests PRIVATE
    CORVALE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(puzzle_tests DISCOVERY_TIMEOUT 60)
