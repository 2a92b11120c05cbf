# qx4t-vup.exe as a user runs it, under Wine.

# The whole road on the in-process simulated PLC; exit 0 only when it reports 01.80.
add_test(NAME cli_exe_update_simulate COMMAND qx4t-vup update --simulate --yes)
set_tests_properties(cli_exe_update_simulate PROPERTIES TIMEOUT 120 LABELS wine)

# The whole road over COM5 to qx4t-plcsim on a pseudo-terminal.
# Expected to fail under Wine, with exit 4 and the firmware untouched, for the two reasons the
# port's own tests show (tests/platform/serial/CMakeLists.txt): Wine ends every WaitCommEvent on
# a pseudo-terminal at once with ERROR_OPERATION_ABORTED and an empty event mask (its wait thread
# asks for the modem status with TIOCMGET, which a Linux pseudo-terminal refuses with ENOTTY),
# so the status read ends with the link's receive failure (103); and when the tool opens the port
# again, the pseudo-terminal has dropped the odd parity, the settings are written again and
# Wine's SetCommState fails (tcsetattr: EINVAL), which the link reports as 102. Which of the two
# comes first depends on timing. On a real COM port neither happens.
qx4t_add_wine_com_test(cli_exe_update_com5
    COMMAND $<TARGET_FILE:qx4t-vup> update --port COM5 --yes
    WILL_FAIL "WaitCommEvent and SetCommState on a pseudo-terminal")
