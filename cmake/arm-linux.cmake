# CMake toolchain file for the ARM builds: armel (the handheld build: EABI, soft float) or arm64 (the port for today's aarch64 handhelds).
#
# Use:  cmake -S . -B build-arm -DCMAKE_TOOLCHAIN_FILE=cmake/arm-linux.cmake [-DDWINDLE_ARM_ARCH=arm64]
# (scripts/arm-test.sh does this, after scripts/make-arm-sysroot.sh has made the sysroot).
#
# Variables (set with -D, or in the environment of the first configure):
#   DWINDLE_ARM_ARCH      "armel" (the default) or "arm64": picks the defaults below.
#   DWINDLE_ARM_PREFIX    compiler prefix, a name on PATH or a full path without the tool
#                         name: Debian's cross compiler, "arm-linux-gnueabi-" or
#                         "aarch64-linux-gnu-", by default, or e.g. "/opt/old-arm/bin/arm-linux-"
#                         for another toolchain; the compilers are ${DWINDLE_ARM_PREFIX}gcc and
#                         ${DWINDLE_ARM_PREFIX}g++.
#   DWINDLE_ARM_SYSROOT   folder holding the target's /usr/include and /usr/lib with SDL 1.2,
#                         SDL_image and SDL_gfx; default ~/.cache/dwindle/<arch>-sysroot.
#   DWINDLE_ARM_TRIPLET   the multiarch folder name of the sysroot's libraries, default
#                         "arm-linux-gnueabi" or "aarch64-linux-gnu"; set it empty for a sysroot
#                         that keeps them straight in /usr/lib (as older toolchains' sysroots do).
#   DWINDLE_ARM_FLAGS     extra compiler flags for the target CPU, e.g. "-mcpu=arm920t";
#                         default none: the compiler's own default (armv5te for Debian's armel).
#   DWINDLE_ARM_LINK_FLAGS extra flags for linking programs; for arm64 by default
#                         "-static-libstdc++ -static-libgcc": the port then needs no C++ runtime
#                         of the device's, whose version nobody knows.
#   DWINDLE_ARM_EMULATOR  what runs target programs on the build machine, for ctest and
#                         test discovery; default "qemu-arm -L <sysroot>" or "qemu-aarch64 -L <sysroot>".

set(CMAKE_SYSTEM_NAME Linux)

# Reads a setting from -D, else from the environment, else takes the default; cached so a
# later re-configure of the same build folder keeps it.
macro(dwindle_arm_setting name default type doc)
    if(NOT DEFINED ${name})
        if(DEFINED ENV{${name}})
            set(${name} "$ENV{${name}}")
        else()
            set(${name} "${default}")
        endif()
    endif()
    set(${name} "${${name}}" CACHE ${type} "${doc}" FORCE)
endmacro()

if(DEFINED ENV{XDG_CACHE_HOME})
    set(_dwindle_cache "$ENV{XDG_CACHE_HOME}")
else()
    set(_dwindle_cache "$ENV{HOME}/.cache")
endif()
dwindle_arm_setting(DWINDLE_ARM_ARCH "armel" STRING "Target architecture: armel or arm64")
if(DWINDLE_ARM_ARCH STREQUAL "armel")
    set(CMAKE_SYSTEM_PROCESSOR arm)
    set(_dwindle_triplet arm-linux-gnueabi)
    set(_dwindle_qemu qemu-arm)
    set(_dwindle_link_flags "")
elseif(DWINDLE_ARM_ARCH STREQUAL "arm64")
    set(CMAKE_SYSTEM_PROCESSOR aarch64)
    set(_dwindle_triplet aarch64-linux-gnu)
    set(_dwindle_qemu qemu-aarch64)
    set(_dwindle_link_flags "-static-libstdc++ -static-libgcc")
else()
    message(FATAL_ERROR "DWINDLE_ARM_ARCH is ${DWINDLE_ARM_ARCH}: armel or arm64")
endif()
dwindle_arm_setting(DWINDLE_ARM_PREFIX "${_dwindle_triplet}-" STRING
    "Cross compiler prefix (name on PATH or full path), the tools are <prefix>gcc, <prefix>g++")
dwindle_arm_setting(DWINDLE_ARM_SYSROOT "${_dwindle_cache}/dwindle/${DWINDLE_ARM_ARCH}-sysroot"
    PATH "Target root folder with the ARM headers and libraries")
dwindle_arm_setting(DWINDLE_ARM_TRIPLET "${_dwindle_triplet}" STRING
    "Multiarch folder name of the target libraries in the sysroot (empty: plain /usr/lib)")
dwindle_arm_setting(DWINDLE_ARM_FLAGS "" STRING "Extra compiler flags for the target CPU")
dwindle_arm_setting(DWINDLE_ARM_LINK_FLAGS "${_dwindle_link_flags}" STRING
    "Extra flags for linking target programs")
dwindle_arm_setting(DWINDLE_ARM_EMULATOR "${_dwindle_qemu};-L;${DWINDLE_ARM_SYSROOT}" STRING
    "Command that runs target programs on the build machine")

if(NOT IS_DIRECTORY "${DWINDLE_ARM_SYSROOT}/usr")
    message(FATAL_ERROR "No ARM sysroot at ${DWINDLE_ARM_SYSROOT}: "
        "run scripts/make-arm-sysroot.sh or set DWINDLE_ARM_SYSROOT")
endif()

# CMake re-reads this file for its own test compiles; hand the settings on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
    DWINDLE_ARM_ARCH DWINDLE_ARM_PREFIX DWINDLE_ARM_SYSROOT DWINDLE_ARM_TRIPLET DWINDLE_ARM_FLAGS
    DWINDLE_ARM_LINK_FLAGS DWINDLE_ARM_EMULATOR)

set(CMAKE_C_COMPILER "${DWINDLE_ARM_PREFIX}gcc")
set(CMAKE_CXX_COMPILER "${DWINDLE_ARM_PREFIX}g++")

# --sysroot makes the compiler and linker take headers, crt files and libraries, and the
# paths inside libc's linker scripts, from the sysroot instead of the build machine.
set(CMAKE_SYSROOT "${DWINDLE_ARM_SYSROOT}")
set(CMAKE_C_FLAGS_INIT "${DWINDLE_ARM_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${DWINDLE_ARM_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${DWINDLE_ARM_LINK_FLAGS}")
if(DWINDLE_ARM_TRIPLET)
    set(CMAKE_LIBRARY_ARCHITECTURE "${DWINDLE_ARM_TRIPLET}")
    # The libraries' own dependencies (libSDL needs libasound, libX11, ...) are found
    # through the sysroot's multiarch folders, which the linker does not search by itself.
    string(CONCAT _dwindle_rpath_link
        " -Wl,-rpath-link,${DWINDLE_ARM_SYSROOT}/lib/${DWINDLE_ARM_TRIPLET}"
        " -Wl,-rpath-link,${DWINDLE_ARM_SYSROOT}/usr/lib/${DWINDLE_ARM_TRIPLET}")
    string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT "${_dwindle_rpath_link}")
    set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_dwindle_rpath_link}")
endif()

# Look for libraries, headers and packages only in the sysroot (and in /usr/local there,
# where GoogleTest for ARM is installed); programs such as pkg-config come from the host.
set(CMAKE_FIND_ROOT_PATH "${DWINDLE_ARM_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the target's .pc files and prefixes their -I/-L paths with the sysroot.
set(ENV{PKG_CONFIG_SYSROOT_DIR} "${DWINDLE_ARM_SYSROOT}")
set(_dwindle_pc_dirs
    "${DWINDLE_ARM_SYSROOT}/usr/lib/pkgconfig"
    "${DWINDLE_ARM_SYSROOT}/usr/share/pkgconfig")
if(DWINDLE_ARM_TRIPLET)
    list(PREPEND _dwindle_pc_dirs "${DWINDLE_ARM_SYSROOT}/usr/lib/${DWINDLE_ARM_TRIPLET}/pkgconfig")
endif()
string(REPLACE ";" ":" _dwindle_pc_dirs "${_dwindle_pc_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${_dwindle_pc_dirs}")
# A host PKG_CONFIG_PATH would be searched first and bring in the host's libraries.
unset(ENV{PKG_CONFIG_PATH})

# ctest, gtest_discover_tests and custom commands that run target programs go through this.
set(CMAKE_CROSSCOMPILING_EMULATOR "${DWINDLE_ARM_EMULATOR}")
