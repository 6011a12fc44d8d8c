# Packs the Windows game folder: NAME/ with the programs, their DLLs, the
# game's data from GAME (the font among it) and README.txt, zipped into
# OUT/NAME.zip.
#   cmake -DGAME=.. -DNAME=.. -DOUT=.. -DPROGRAMS=.. -DDLLS=.. -DREADME=.. -P zip.cmake
set(stage ${OUT}/windows-zip/${NAME})
file(REMOVE_RECURSE ${OUT}/windows-zip)
execute_process(COMMAND ${CMAKE_COMMAND} -DFROM=${GAME} -DTO=${stage}
                        -P ${CMAKE_CURRENT_LIST_DIR}/copydata.cmake COMMAND_ERROR_IS_FATAL ANY)
file(COPY ${PROGRAMS} ${DLLS} ${README} DESTINATION ${stage})
file(REMOVE ${OUT}/${NAME}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/${NAME}.zip --format=zip ${NAME}
                WORKING_DIRECTORY ${OUT}/windows-zip COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${OUT}/${NAME}.zip size)
math(EXPR kib "${size} / 1024")
message(STATUS "${OUT}/${NAME}.zip: ${kib} KiB")
