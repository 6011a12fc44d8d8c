# Tests of the speech side: the speech layer on the real espeak-ng engine,
# voxlet's tail parser and clipgen's table reader as unit tests; voxlet on
# SDL's disk audio driver, clipgen's command line and the built clip set as
# scripts. The scripts need sox.
set(speech_test_dir ${CMAKE_CURRENT_SOURCE_DIR}/speech)

add_executable(speech_tests
    ${speech_test_dir}/speech_test.cpp
    ${speech_test_dir}/tail_test.cpp
    ${speech_test_dir}/cliptable_test.cpp
    ${speech_test_dir}/resample_test.cpp
    ${speech_test_dir}/languages_test.cpp
    ${speech_test_dir}/voicefile_test.cpp
    ${speech_test_dir}/playersettings_test.cpp
    ${speech_test_dir}/serverfirst_test.cpp
    ${speech_test_dir}/letters_test.cpp
    ${speech_test_dir}/trim_test.cpp
    ${speech_test_dir}/ogg_test.cpp)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
target_link_libraries(speech_tests PRIVATE corvale_speech corvale_speechd voxlet_tail clipgen_parts
                                           PkgConfig::VORBISFILE GTest::gtest_main)
quickbuild(speech_tests)
target_compile_definitions(speech_tests PRIVATE CORVALE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(speech_tests DISCOVERY_TIMEOUT 60)

add_test(NAME voxlet_end_to_end COMMAND ${speech_test_dir}/voxlet_e2e.sh $<TARGET_FILE:voxlet>)
add_test(NAME clipgen_command_line COMMAND ${speech_test_dir}/clipgen_cli.sh $<TARGET_FILE:clipgen>)
# Checks what the normal build put in the game folder, as the game will find it.
# The sets are the same in every build, and these checks run sox, not the
# game: the plain build checks them, the sanitizers' build does not again.
if(NOT CORVALE_SANITIZE)
    add_test(NAME clip_set COMMAND ${speech_test_dir}/clipset.sh ${CORVALE_GAME_DIR})
    set_tests_properties(clip_set PROPERTIES COST 25)
    # The same checks on the clip set of every other language, in its folder: a
    # test each, as each takes about as long as the build's own set.
    foreach(language ${CORVALE_OTHER_LANGUAGES})
        add_test(NAME clip_set.${language}
                 COMMAND ${speech_test_dir}/languages.sh ${CORVALE_GAME_DIR} ${speech_test_dir}/clipset.sh
                         ${language})
        set_tests_properties(clip_set.${language} PROPERTIES COST 25)
    endforeach()
endif()
