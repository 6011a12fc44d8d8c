# Tests of the puzzle files: the reader's rules, the checker and generator of
# corvale-puzzle, and the puzzles the game ships, checked by the tool itself.
add_executable(puzzle_tests)
file(GLOB puzzle_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/puzzle/*.cpp)
target_sources(puzzle_tests PRIVATE ${puzzle_test_sources})
target_link_libraries(puzzle_tests PRIVATE corvale_reader corvale_puzzletool GTest::gtest_main)
target_compile_definitions(puzzle_tests PRIVATE CORVALE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(CMAKE_CROSSCOMPILING)
    add_test(NAME puzzle_tests COMMAND puzzle_tests)
else()
    gtest_discover_tests(puzzle_tests DISCOVERY_TIMEOUT 60)
endif()

set(shipped_puzzles)
foreach(level 1 2 3 4)
    list(APPEND shipped_puzzles ${CMAKE_SOURCE_DIR}/puzzles/puzz${level}.txt)
endforeach()
add_test(NAME puzzle_tool_checks_shipped_puzzles
    COMMAND corvale-puzzle check ${shipped_puzzles})

add_test(NAME puzzle_tool_grades_shipped_puzzles
    COMMAND corvale-puzzle grade ${shipped_puzzles})

# The tool's exit status is what scripts rely on: non-zero for a puzzle with
# two answers and for a command line it cannot make sense of.
add_test(NAME puzzle_tool_fails_ambiguous_puzzle
    COMMAND corvale-puzzle check ${CMAKE_CURRENT_SOURCE_DIR}/puzzle/twosolutions.txt)
add_test(NAME puzzle_tool_fails_bad_command_line
    COMMAND corvale-puzzle generate --symbols 11 --seed 1)
set_tests_properties(puzzle_tool_fails_ambiguous_puzzle puzzle_tool_fails_bad_command_line
    PROPERTIES WILL_FAIL TRUE)
