# End-to-end tests of the real programs under a private X server.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    add_test(NAME e2e.startup
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/startup.sh ${CORVALE_GAME_DIR})
    add_test(NAME e2e.play
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play.sh ${CORVALE_GAME_DIR})
    add_test(NAME e2e.view
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/view.sh ${CORVALE_GAME_DIR})
    # speech-dispatcher as the voice of voxlet and of H, and its absence.
    add_test(NAME e2e.speechd
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/speechd.sh ${CORVALE_GAME_DIR})
    # The German clip set made into a copy of the game folder and played: the
    # welcome and a clue number.
    add_test(NAME e2e.german
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/language.sh ${CORVALE_GAME_DIR}
                     $<TARGET_FILE:clipgen> ${CMAKE_SOURCE_DIR}/sounds/clips.de.tsv de)
    add_test(NAME e2e.signals
             COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/signals.sh ${CORVALE_GAME_DIR})
    set_tests_properties(e2e.startup e2e.play e2e.view e2e.speechd e2e.german e2e.signals
                         PROPERTIES TIMEOUT 180 RUN_SERIAL ON)
endif()

# How the real game fails: each failure in one table, exit status and message.
add_test(NAME e2e.failures COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/failures.sh ${CORVALE_GAME_DIR})

# The installed game and the Debian package, played from a temporary home.
if(XVFB_RUN)
    foreach(mode install deb)
        add_test(NAME e2e.installed.${mode}
                 COMMAND ${XVFB_RUN} -a bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/installed.sh ${mode}
                         ${CMAKE_BINARY_DIR} ${CORVALE_VERSION_TEXT} ${CORVALE_PACKAGE_VERSION}
                         ${CMAKE_INSTALL_BINDIR} ${CORVALE_INSTALL_DATADIR})
    endforeach()
    set_tests_properties(e2e.installed.install e2e.installed.deb PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
endif()

# What ships beside the programs passes the validators distributions run:
# any word from them, even a hint, fails the test.
add_test(NAME release.desktop_entry
         COMMAND bash -c "out=$(desktop-file-validate \"$0\" 2>&1); echo \"$out\"; [ -z \"$out\" ]"
                 ${CMAKE_SOURCE_DIR}/dist/corvale.desktop)
add_test(NAME release.metainfo
         COMMAND appstreamcli validate --no-net --pedantic
                 ${CMAKE_BINARY_DIR}/dist/${CORVALE_APP_ID}.metainfo.xml)
add_test(NAME release.man_pages
         COMMAND bash -c "for page; do out=$(groff -ww -z -man \"$page\" 2>&1; MANWIDTH=80 man --warnings -l \"$page\" 2>&1 >/dev/null); [ -z \"$out\" ] || { echo \"$page: $out\"; exit 1; }; done"
                 - ${CMAKE_BINARY_DIR}/dist/corvale.6 ${CMAKE_BINARY_DIR}/dist/corvale-puzzle.6
                 ${CMAKE_BINARY_DIR}/dist/voxlet.1)
