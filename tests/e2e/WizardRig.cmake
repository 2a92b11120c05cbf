# qx4t_wizard_rig(<test target>): the whole wizard on virtual time against the in-process
# simulator, with the built English and Japanese language libraries.
function(qx4t_wizard_rig target)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e/WizardRig.cpp)
    target_link_libraries(${target} PRIVATE qx4t_wizard qx4t_sim qx4t_ui_test_support)
    qx4t_test_uses_program_folder(${target})
endfunction()
