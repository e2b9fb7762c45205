# Installation: the program folder under the prefix, the programs linked into bin/, desktop
# entries, the icon in the hicolor theme and the file types; CPack makes a .deb of the same.
include(GNUInstallDirs)

set(QUORVIN_FOLDER_DIR ${CMAKE_INSTALL_LIBDIR}/chess-quorvin)

# The folder holds the data the programs find beside their real path; what the programs write
# there while tests run (the automatic copy, kept-aside copies) is not installed.
install(DIRECTORY ${PROGRAM_FOLDER}/ DESTINATION ${QUORVIN_FOLDER_DIR} USE_SOURCE_PERMISSIONS
    PATTERN "AUTOSAVE*" EXCLUDE)
# The links and the desktop entries name the prefix of the install itself (--prefix, or the
# package's), which is known only when it runs.
install(CODE "
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    set(QUORVIN_BIN_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${root}/${CMAKE_INSTALL_BINDIR}\")
    foreach(program veldran lorimel)
        file(CREATE_LINK \"../${QUORVIN_FOLDER_DIR}/\${program}\"
            \"\${root}/${CMAKE_INSTALL_BINDIR}/\${program}\" SYMBOLIC)
        configure_file(\"${CMAKE_CURRENT_LIST_DIR}/\${program}.desktop.in\"
            \"\${root}/${CMAKE_INSTALL_DATADIR}/applications/\${program}.desktop\" @ONLY)
    endforeach()
")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/chess-quorvin-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME chess-quorvin.xml)

set(QUORVIN_ICON ${CMAKE_CURRENT_LIST_DIR}/chess-quorvin.svg)
install(FILES ${QUORVIN_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(QUORVIN_ICON_FILES)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/packaging/icons/${size}/chess-quorvin.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icons/${size}
        COMMAND ${QUORVIN_RSVG} -w ${size} -h ${size} -o ${png} ${QUORVIN_ICON}
        DEPENDS ${QUORVIN_ICON}
        COMMENT "Rendering the ${size} px program icon"
        VERBATIM)
    list(APPEND QUORVIN_ICON_FILES ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(program_icons ALL DEPENDS ${QUORVIN_ICON_FILES})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chess-quorvin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Chess Quorvin developers <developers@chess-quorvin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chess program for UCI engines, with an opening-book editor")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Run-time peers and data the libraries do not name: the default engine, plugins, voice data.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "stockfish, qt6-qpa-plugins, libqt6svg6, espeak-ng-data, timgm6mb-soundfont, fonts-dejavu-core")
include(CPack)
