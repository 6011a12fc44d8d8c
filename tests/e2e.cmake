# End-to-end tests of the real programs under a private X server.
# Each test has an X server of its own (e2e/xserver.sh), so they run side by
# side: most of their time is spent waiting for the game to speak.
find_program(XVFB Xvfb)
if(XVFB)
    set(xvfb bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/xserver.sh)
    add_test(NAME e2e.startup
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/startup.sh ${CORVALE_GAME_DIR}
                     ${CORVALE_VERSION_TEXT})
    add_test(NAME e2e.play
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play.sh ${CORVALE_GAME_DIR})
    # Four Tabs 0.3 s apart, Q and 5: no key lost.
    add_test(NAME e2e.quickkeys
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/quickkeys.sh ${CORVALE_GAME_DIR})
    add_test(NAME e2e.neweasy
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play.sh ${CORVALE_GAME_DIR} 5)
    add_test(NAME e2e.view
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/view.sh ${CORVALE_GAME_DIR})
    # speech-dispatcher as the voice of voxlet and of H, and its absence.
    add_test(NAME e2e.speechd
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/speechd.sh ${CORVALE_GAME_DIR})
    # The German clip set the build made, chosen by LANG and played: the
    # welcome, the puzzle and a clue number.
    add_test(NAME e2e.german
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/language.sh ${CORVALE_GAME_DIR}
                     ${CMAKE_SOURCE_DIR}/sounds/clips.de.tsv de de_DE.UTF-8)
    if(NOT "de" IN_LIST CORVALE_OTHER_LANGUAGES)
        set_tests_properties(e2e.german PROPERTIES DISABLED ON)
    endif()
    add_test(NAME e2e.signals
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/signals.sh ${CORVALE_GAME_DIR})
    # Broken files and a broken game folder met during play.
    add_test(NAME e2e.badfiles
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/badfiles.sh ${CORVALE_GAME_DIR})
    set_tests_properties(e2e.startup e2e.play e2e.quickkeys e2e.neweasy e2e.view e2e.speechd e2e.german e2e.signals e2e.badfiles
                         PROPERTIES TIMEOUT 180)
    # These two hold the game to a second for ending on a signal or giving up
    # a speech server: they run alone, so the load of other tests does not
    # decide them.
    set_tests_properties(e2e.speechd e2e.signals PROPERTIES RUN_SERIAL ON)
    # The longest tests start first (ctest runs a higher cost first; a fresh
    # build has no timings of its own to order by), so the short ones fill
    # the gaps beside them instead of a long one ending the run alone.
    set_tests_properties(e2e.badfiles PROPERTIES COST 60)
    set_tests_properties(e2e.play e2e.neweasy e2e.view PROPERTIES COST 25)
    # A hundred kills, four games at a time, take a minute or two; once per
    # test run is enough, in the plain build, where the game starts quickest.
    if(NOT CORVALE_SANITIZE)
        add_test(NAME e2e.kill
                 COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/kill.sh ${CORVALE_GAME_DIR} 100)
        set_tests_properties(e2e.kill PROPERTIES TIMEOUT 900 PROCESSORS 2 COST 80)
    endif()
endif()

# How the real game fails: each failure in one table, exit status and message.
add_test(NAME e2e.failures COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/failures.sh ${CORVALE_GAME_DIR})

# The installed game and the Debian packages, played from a temporary home.
# What they check is where things are installed and how they are packaged,
# the same in every build: the plain build checks it, the sanitizers' build,
# whose game the other end-to-end tests play, does not again.
if(XVFB AND NOT CORVALE_SANITIZE)
    add_test(NAME e2e.installed.install
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/installed.sh install
                     ${CMAKE_BINARY_DIR} ${CORVALE_VERSION_TEXT} ${CORVALE_PACKAGE_VERSION}
                     ${CMAKE_INSTALL_BINDIR} ${CORVALE_INSTALL_DATADIR} ${CORVALE_INSTALL_HELPERDIR})
    add_test(NAME e2e.installed.deb
             COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/installed.sh deb
                     ${CMAKE_BINARY_DIR} ${CORVALE_VERSION_TEXT} ${CORVALE_PACKAGE_VERSION}
                     ${CORVALE_PACKAGE_BINDIR} ${CORVALE_PACKAGE_DATADIR} ${CORVALE_PACKAGE_HELPERDIR})
    # Both install from the one build folder, whose install manifest the
    # uninstall reads: one at a time.
    set_tests_properties(e2e.installed.install e2e.installed.deb PROPERTIES TIMEOUT 300
                         RESOURCE_LOCK build_folder_install COST 40)
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
                 - ${CMAKE_BINARY_DIR}/dist/corvale.6 ${CMAKE_BINARY_DIR}/dist/corvale-puzzle.6)
