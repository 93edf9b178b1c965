# The files of the game's pictures and sounds, read from the lists the game and the generators
# include (src/gfx/PictureList.h, src/sound/SoundList.h): one line each, KIND(..., "file").
#   dwindle_asset_files(<list, from src/> <variable for the files>)
set(DWINDLE_ASSET_LISTS ${CMAKE_CURRENT_LIST_DIR}/../src)
get_filename_component(DWINDLE_ASSET_LISTS ${DWINDLE_ASSET_LISTS} ABSOLUTE)

function(dwindle_asset_files list files)
    set(path ${DWINDLE_ASSET_LISTS}/${list})
    file(STRINGS ${path} lines REGEX "^[A-Z_]+\\([^\"]*\"[^\"]+\"\\)")
    set(found)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*" "\\1" file "${line}")
        list(APPEND found ${file})
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "No files listed in ${path}")
    endif()
    # A line added to the list adds its file to the build.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    set(${files} ${found} PARENT_SCOPE)
endfunction()
