# The sources of one build of the game: the portable folders src/game, src/gfx, src/shell and
# src/sound taken whole, the seams' portable implementations in src/platform itself, and one
# platform folder, src/platform/<target>, taken whole, whose Main.cpp is the program entry. A
# file added to any of them is built without being named anywhere.
#   dwindle_sources(<target> <variable for the library's sources> <variable for the entry>)
set(DWINDLE_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/../src)
get_filename_component(DWINDLE_SOURCE_ROOT ${DWINDLE_SOURCE_ROOT} ABSOLUTE)

function(dwindle_sources target sources entry)
    set(platform ${DWINDLE_SOURCE_ROOT}/platform/${target})
    if(NOT EXISTS ${platform}/Main.cpp)
        message(FATAL_ERROR "No platform folder with a Main.cpp at ${platform}")
    endif()
    file(GLOB found CONFIGURE_DEPENDS ${DWINDLE_SOURCE_ROOT}/game/*.cpp
        ${DWINDLE_SOURCE_ROOT}/gfx/*.cpp ${DWINDLE_SOURCE_ROOT}/shell/*.cpp
        ${DWINDLE_SOURCE_ROOT}/sound/*.cpp ${DWINDLE_SOURCE_ROOT}/platform/*.cpp
        ${platform}/*.cpp)
    list(REMOVE_ITEM found ${platform}/Main.cpp)
    set(${sources} ${found} PARENT_SCOPE)
    set(${entry} ${platform}/Main.cpp PARENT_SCOPE)
endfunction()
