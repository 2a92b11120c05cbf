# qx4t_wizard_rig(<test target>): the whole wizard on virtual time against the in-process
# simulator, with the built English and Japanese language libraries.
function(qx4t_wizard_rig target)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e/WizardRig.cpp)
    target_link_libraries(${target} PRIVATE qx4t_wizard qx4t_sim qx4t_ui_test_support)
    target_compile_definitions(${target} PRIVATE
        QX4T_EMPTY_MODULE="$<TARGET_FILE:qx4t_test_empty_module>"
        QX4T_PROGRAM_DIR="${QX4T_PROGRAM_DIR}")
    add_dependencies(${target} qx4t_test_empty_module)
    foreach(lang Qx4t_en Qx4t_ja)
        if(TARGET ${lang})
            add_dependencies(${target} ${lang})
        endif()
    endforeach()
endfunction()
