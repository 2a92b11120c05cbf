# The Windows build of the Qt-free half (qx4t-vup.exe, the link, the platform's Win32 files and
# their tests), cross-built with MinGW-w64 (cmake/toolchains/mingw-w64.cmake) and tested through
# Wine. Included by the top-level CMakeLists.txt when the target system is Windows.

if(QX4T_BUILD_GUI)
    message(FATAL_ERROR
        "The wizard cannot be built for Windows here: it needs Qt 6 (Widgets, UiTools, "
        "LinguistTools) built for x86_64-w64-mingw32 and Qt's host tools, and this machine has "
        "only Debian's Linux Qt. Configure with -DQX4T_BUILD_GUI=OFF (the 'windows' preset does) "
        "to build qx4t-vup.exe and the tests; README.md says what a Windows build of the wizard "
        "needs.")
endif()

# One program file that runs on any Windows without the MinGW runtime DLLs beside it; release
# builds leave the symbols out (a third of the file).
add_link_options(-static $<$<CONFIG:Release,MinSizeRel>:-s>)
# Wide Win32 calls only; Windows 10 for the console's terminal sequences.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00)

# Windows programs run here through Wine, in a prefix of the build's own so that no user's
# Wine setup is touched and tests never meet another build's COM ports.
set(QX4T_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH "Wine prefix for running the tests")
set(QX4T_WINE_RUN "${PROJECT_SOURCE_DIR}/tests/wine/run.sh")
set(CMAKE_CROSSCOMPILING_EMULATOR "${QX4T_WINE_RUN};${QX4T_WINE_PREFIX}")

# The simulator plays the PLC on a pseudo-terminal natively; the Windows programs reach it as a
# COM port of the prefix. It comes from the normal build.
set(QX4T_NATIVE_PLCSIM "${PROJECT_SOURCE_DIR}/build/default/bin/qx4t-plcsim"
    CACHE FILEPATH "qx4t-plcsim built for this machine, for the COM-port tests under Wine")

if(QX4T_BUILD_TESTS)
    # Debian ships GoogleTest as sources; build them with the cross compiler.
    set(QX4T_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
    if(NOT EXISTS "${QX4T_GOOGLETEST_SOURCE}/CMakeLists.txt")
        message(FATAL_ERROR "GoogleTest sources not found in ${QX4T_GOOGLETEST_SOURCE} "
                            "(Debian package googletest)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory("${QX4T_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    # The sources name their own GTest:: aliases; make sure every one the tests use exists.
    foreach(lib gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${lib})
            add_library(GTest::${lib} ALIAS ${lib})
        endif()
    endforeach()
endif()

# A test that runs `command` (a Windows program and its arguments) with qx4t-plcsim serving
# COM5 of the Wine prefix from a pseudo-terminal. WILL_FAIL takes the reason Wine cannot do what
# the test needs on a pseudo-terminal; the test then passes only while that stays so.
function(qx4t_add_wine_com_test name)
    cmake_parse_arguments(T "" "WILL_FAIL" "COMMAND;PLCSIM_ARGS;LABELS" ${ARGN})
    add_test(NAME ${name}
        COMMAND "${PROJECT_SOURCE_DIR}/tests/wine/with-com-port.sh" "${QX4T_WINE_PREFIX}" COM5
            "${QX4T_NATIVE_PLCSIM}" ${T_PLCSIM_ARGS} -- "${QX4T_WINE_RUN}" "${QX4T_WINE_PREFIX}"
            ${T_COMMAND})
    # One COM5 per prefix.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK qx4t_wine_com5 TIMEOUT 120
        SKIP_RETURN_CODE 77 LABELS "wine;${T_LABELS}")
    if(T_WILL_FAIL)
        set_tests_properties(${name} PROPERTIES WILL_FAIL TRUE)
    endif()
endfunction()

# Tests of the shared sources that state the Linux device paths are not run on Windows; the
# Windows paths have tests of their own.
function(qx4t_skip_on_windows tag)
    set(file "${CMAKE_CURRENT_BINARY_DIR}/skip_on_windows_${tag}.cmake")
    set(body "")
    foreach(test ${ARGN})
        string(APPEND body "set_tests_properties(\"${test}\" PROPERTIES DISABLED TRUE)\n")
    endforeach()
    file(WRITE "${file}" "${body}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${file}")
endfunction()
