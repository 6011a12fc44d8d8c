# Copies what the game reads from one game folder into another, in every
# language's folder, and none of a player's own files (dist/datafiles.cmake).
#   cmake -DFROM=FOLDER -DTO=FOLDER -P copydata.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../datafiles.cmake)
file(COPY ${FROM}/ DESTINATION ${TO} ${CORVALE_DATA_MATCHING})
