# IMAGES/: the piece image set and board pictures, made from scid-data's pieces and textures,
# and the program's own pictures, drawn in assets/pictures/*.mvg.

find_program(QUORVIN_CONVERT convert)
if(NOT QUORVIN_CONVERT)
    message(FATAL_ERROR "ImageMagick's 'convert' was not found: install the imagemagick package")
endif()

set(QUORVIN_SCID_IMG /usr/share/scid/img CACHE PATH "scid-data's picture folder")
# Square size of the pictures: twice the default square, so that scaled boards stay crisp.
set(QUORVIN_SQUARE_PIXELS 80)
set(PIECE_SHEET ${QUORVIN_SCID_IMG}/pieces/Merida/merida2_${QUORVIN_SQUARE_PIXELS}.png)
set(BOARD_TEXTURES ${QUORVIN_SCID_IMG}/boards)
if(NOT EXISTS ${PIECE_SHEET} OR NOT IS_DIRECTORY ${BOARD_TEXTURES})
    message(FATAL_ERROR "Piece pictures ${PIECE_SHEET} or board textures ${BOARD_TEXTURES} "
        "not found: install the scid-data package")
endif()

set(IMAGES_DIR ${PROGRAM_FOLDER}/IMAGES)
set(ASSET_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/scripts)

set(PIECE_FILES)
foreach(piece OO WK WQ WR WB WN WP BK BQ BR BB BN BP)
    list(APPEND PIECE_FILES ${IMAGES_DIR}/${piece}.GIF ${IMAGES_DIR}/${piece}S.GIF)
endforeach()
list(APPEND PIECE_FILES ${IMAGES_DIR}/WKM.GIF ${IMAGES_DIR}/BKM.GIF)
add_custom_command(
    OUTPUT ${PIECE_FILES}
    COMMAND bash ${ASSET_SCRIPTS}/make_pieces.sh ${QUORVIN_CONVERT} ${PIECE_SHEET}
        ${QUORVIN_SQUARE_PIXELS} ${IMAGES_DIR}
    DEPENDS ${ASSET_SCRIPTS}/make_pieces.sh ${PIECE_SHEET}
    COMMENT "Slicing the piece pictures"
    VERBATIM)

set(BOARD_FILES)
foreach(board BOARD.GIF MARBLE.JPG METAL.JPG WOOD1.JPG WOOD2.JPG WOOD3.JPG)
    list(APPEND BOARD_FILES ${IMAGES_DIR}/${board})
endforeach()
set(BOARD_INPUTS)
foreach(texture F8GreenMarble LightWood1 DarkWood MapleWalnut Stone)
    list(APPEND BOARD_INPUTS ${BOARD_TEXTURES}/${texture}-l.gif ${BOARD_TEXTURES}/${texture}-d.gif)
endforeach()
add_custom_command(
    OUTPUT ${BOARD_FILES}
    COMMAND bash ${ASSET_SCRIPTS}/make_boards.sh ${QUORVIN_CONVERT} ${BOARD_TEXTURES}
        ${QUORVIN_SQUARE_PIXELS} ${IMAGES_DIR}
    DEPENDS ${ASSET_SCRIPTS}/make_boards.sh ${BOARD_INPUTS}
    COMMENT "Composing the board pictures"
    VERBATIM)

set(OWN_PICTURE_FILES)
foreach(picture WIN.GIF DRAW.GIF LOSS.GIF ENGINEW.GIF ENGINEB.GIF ICONW.PNG ICONB.PNG ADVERT.PNG)
    get_filename_component(drawing ${picture} NAME_WE)
    set(drawing ${CMAKE_CURRENT_SOURCE_DIR}/pictures/${drawing}.mvg)
    add_custom_command(
        OUTPUT ${IMAGES_DIR}/${picture}
        COMMAND bash ${ASSET_SCRIPTS}/make_pictures.sh ${QUORVIN_CONVERT}
            ${IMAGES_DIR}/${picture} ${drawing}
        DEPENDS ${ASSET_SCRIPTS}/make_pictures.sh ${drawing}
        COMMENT "Drawing ${picture}"
        VERBATIM)
    list(APPEND OWN_PICTURE_FILES ${IMAGES_DIR}/${picture})
endforeach()

# Toolbar icons the desktop theme has no picture for, drawn as SVG and rendered at twice the
# toolbar's size so that they stay sharp on large screens.
find_program(QUORVIN_RSVG rsvg-convert)
if(NOT QUORVIN_RSVG)
    message(FATAL_ERROR "'rsvg-convert' was not found: install the librsvg2-bin package")
endif()
foreach(icon POSEDIT ENGINEW ENGINEB ANALYZE)
    string(TOLOWER ${icon} drawing)
    set(drawing ${CMAKE_CURRENT_SOURCE_DIR}/pictures/toolbar/${drawing}.svg)
    add_custom_command(
        OUTPUT ${IMAGES_DIR}/TB${icon}.PNG
        COMMAND ${QUORVIN_RSVG} -w 48 -h 48 -o ${IMAGES_DIR}/TB${icon}.PNG ${drawing}
        DEPENDS ${drawing}
        COMMENT "Rendering the toolbar icon TB${icon}.PNG"
        VERBATIM)
    list(APPEND OWN_PICTURE_FILES ${IMAGES_DIR}/TB${icon}.PNG)
endforeach()

add_custom_target(program_images DEPENDS ${PIECE_FILES} ${BOARD_FILES} ${OWN_PICTURE_FILES})
add_dependencies(program_data program_images)
