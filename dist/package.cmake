# cpack's own steps for the Debian packages (dist/CMakeLists.txt names this
# file twice). Read before anything is installed, it refuses a package
# without a real maintainer, so the mistake costs nothing. Read again once
# the install is staged (one folder per component under
# CPACK_TEMPORARY_INSTALL_DIRECTORY), it moves the staged tree from the
# build's install folders to the package's (programs in /usr/games), and
# writes each package's copyright and changelog, the changelog made from the
# version and the maintainer given to this build.

# "Name <local@host.domain>": Debian rejects a placeholder at localhost or a
# host with no domain.
set(maintainer "${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
if(NOT maintainer MATCHES "^[^<>@]*[^<>@ ] <[^<>@ ]+@([^<>@ .]+\\.)+[^<>@ .]+>$"
   OR maintainer MATCHES "@(localhost|[^>]*\\.(localdomain|invalid|local))>$")
    message(FATAL_ERROR
        "A Debian package needs a maintainer, \"Name <address>\", with a real mail host; "
        "this build has \"${maintainer}\". Configure the build with "
        "-DCORVALE_PACKAGE_MAINTAINER=\"Your Name <you@example.org>\" and run cpack again.")
endif()

if(NOT CPACK_TEMPORARY_INSTALL_DIRECTORY)
    return()
endif()

foreach(component IN LISTS CPACK_COMPONENTS_ALL)
    set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${component}${CPACK_PACKAGING_INSTALL_PREFIX}")
    # The programs', data and voxlet's folders, each where the package wants it.
    foreach(from to IN ZIP_LISTS CPACK_CORVALE_STAGED CPACK_CORVALE_PACKAGED)
        if(NOT from STREQUAL to AND EXISTS "${root}/${from}")
            get_filename_component(parent "${root}/${to}" DIRECTORY)
            file(MAKE_DIRECTORY "${parent}")
            file(RENAME "${root}/${from}" "${root}/${to}")
        endif()
    endforeach()
    # Folders the move left empty (libexec/, share/games/) go too.
    foreach(left libexec lib/games lib share/games games bin)
        file(GLOB inside "${root}/${left}/*")
        if(IS_DIRECTORY "${root}/${left}" AND NOT inside)
            file(REMOVE_RECURSE "${root}/${left}")
        endif()
    endforeach()
    # cpack strips the programs' symbols; the compiler's notes go as well,
    # as Debian's own packaging strips them.
    list(GET CPACK_CORVALE_PACKAGED 0 bindir)
    list(GET CPACK_CORVALE_PACKAGED 2 helperdir)
    file(GLOB programs "${root}/${bindir}/*" "${root}/${helperdir}/*")
    if(CPACK_STRIP_FILES AND programs)
        execute_process(COMMAND strip --remove-section=.comment --remove-section=.note ${programs}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()

    string(TOUPPER "${component}" upper)
    set(package "${CPACK_DEBIAN_${upper}_PACKAGE_NAME}")
    # The puzzles, the chart and voice.txt are what the game reads, not
    # documentation, whatever their names end in.
    list(GET CPACK_CORVALE_PACKAGED 1 datadir)
    if(EXISTS "${root}/${datadir}")
        file(WRITE "${root}/share/lintian/overrides/${package}"
             "${package}: package-contains-documentation-outside-usr-share-doc [usr/${datadir}/*]\n")
    endif()
    set(docs "${root}/share/doc/${package}")
    file(MAKE_DIRECTORY "${docs}")
    file(COPY_FILE "${CPACK_CORVALE_SOURCE_DIR}/copyright" "${docs}/copyright")
    # A package whose version has no Debian revision is native: its one
    # changelog is changelog.gz.
    set(entry "corvale (${CPACK_DEBIAN_PACKAGE_VERSION}) unstable; urgency=medium\n\n")
    string(APPEND entry "  * Corvale ${CPACK_CORVALE_VERSION_TEXT}.\n\n")
    string(APPEND entry " -- ${maintainer}  ${CPACK_CORVALE_RELEASE_DATE}\n")
    file(WRITE "${docs}/changelog" "${entry}")
    execute_process(COMMAND gzip -9 -n -f "${docs}/changelog" COMMAND_ERROR_IS_FATAL ANY)
    file(CHMOD "${docs}/copyright" "${docs}/changelog.gz"
         PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
