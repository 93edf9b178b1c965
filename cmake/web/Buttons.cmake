# Writes Buttons.js, the handheld's button numbers for the page's script, into the build folder
# from src/platform/Buttons.h, so that the page and the C++ take them from one place: each line
# "constexpr Uint8 kName = N;" of the header becomes "const kName = N;".
set(BUTTONS_HEADER ${DWINDLE_SOURCE_ROOT}/platform/Buttons.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BUTTONS_HEADER})
file(STRINGS ${BUTTONS_HEADER} CONSTANTS REGEX "^constexpr ")
set(BUTTONS_JS "// The handheld's buttons, written by the build from src/platform/Buttons.h.\n")
foreach(line IN LISTS CONSTANTS)
    if(NOT line MATCHES "^constexpr Uint8 (k[A-Za-z]+) = ([0-9]+);$")
        message(FATAL_ERROR "Buttons.h: \"${line}\" is not \"constexpr Uint8 kName = N;\"")
    endif()
    string(APPEND BUTTONS_JS "const ${CMAKE_MATCH_1} = ${CMAKE_MATCH_2};\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/Buttons.js "${BUTTONS_JS}")
