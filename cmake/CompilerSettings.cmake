# Language level, default build type and warnings shared by the game's build and the host
# build of the picture generator.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()
add_compile_options(-Wall -Wextra -Werror)
# 64-bit file offsets on the handheld's 32-bit ARM too: without them readdir() there gives up
# on a folder whose entries' offsets need more than 32 bits (ext4's hashed folders), and stat()
# on a file of 2 GB or more.
add_compile_definitions(_FILE_OFFSET_BITS=64)
