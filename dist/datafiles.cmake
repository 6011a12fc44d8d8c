# Which files of a game folder are the game's data, wherever it ships: the
# clips, their chart, voice.txt, the tables and puzzles, and fonts; never a
# player's own files (pads, pencil marks, the puzzles the game made, the
# version note) nor a save's temporary file. Used as the matching options of
# install(DIRECTORY) and file(COPY).
set(CORVALE_DATA_MATCHING
    FILES_MATCHING
    PATTERN "*.txt"
    PATTERN "*.tsv"
    PATTERN "*.ogg"
    PATTERN "*.ttf"
    PATTERN "*.otf"
    PATTERN "myversion.txt" EXCLUDE
    PATTERN "scratch*" EXCLUDE
    PATTERN "marks*" EXCLUDE
    PATTERN "puzz5.txt" EXCLUDE
    PATTERN "puzz6.txt" EXCLUDE
    PATTERN "puzz7.txt" EXCLUDE
    PATTERN "*.new" EXCLUDE)
