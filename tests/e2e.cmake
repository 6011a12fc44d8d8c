# End-to-end tests of the real programs under a private X server.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    add_test(NAME e2e.startup
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/startup.sh ${CORVALE_GAME_DIR})
    add_test(NAME e2e.play
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play.sh ${CORVALE_GAME_DIR})
    add_test(NAME e2e.view
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/view.sh ${CORVALE_GAME_DIR})
    set_tests_properties(e2e.startup e2e.play e2e.view PROPERTIES TIMEOUT 180 RUN_SERIAL ON)
endif()
