# Test registration. Needs qx4t_strict (Qx4tStrict.cmake).

# A GoogleTest executable registered with CTest; every test runs on the offscreen platform, in
# folders of its own.
function(qx4t_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    # Every test program runs with a runtime and a state folder of its own (PrivateFolders.cpp).
    add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/PrivateFolders.cpp)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    qx4t_strict(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    include(GoogleTest)
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
            # One variable per property: the discovery script splits a list into words.
            ENVIRONMENT_MODIFICATION "QX4T_BUILD_DIR=set:${CMAKE_BINARY_DIR}"
            LABELS "${T_LABELS}"
        DISCOVERY_TIMEOUT 60)
endfunction()

# A GUI test that opens the real frame: it finds the program folder with the built language
# libraries, and an empty module that stands in for a library that cannot be loaded.
function(qx4t_test_uses_program_folder target)
    target_compile_definitions(${target} PRIVATE
        QX4T_EMPTY_MODULE="$<TARGET_FILE:qx4t_test_empty_module>"
        QX4T_PROGRAM_DIR="${QX4T_PROGRAM_DIR}")
    add_dependencies(${target} qx4t_test_empty_module)
    foreach(lang ${QX4T_LANGUAGE_LIBRARIES})
        if(TARGET ${lang})
            add_dependencies(${target} ${lang})
        endif()
    endforeach()
endfunction()
