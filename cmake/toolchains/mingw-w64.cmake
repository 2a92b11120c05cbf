# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix). The
# posix flavour gives std::thread and std::mutex; the win32 flavour lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QX4T_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QX4T_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QX4T_MINGW_TRIPLE}-g++-posix)
set(CMAKE_ASM_COMPILER ${QX4T_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_RC_COMPILER ${QX4T_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QX4T_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test programs run on this machine through Wine; CTest and gtest_discover_tests put the
# emulator in front of every Windows executable they start.
find_program(QX4T_WINE wine)
if(QX4T_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QX4T_WINE})
endif()
