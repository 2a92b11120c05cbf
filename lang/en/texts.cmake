# English texts of the dialog layouts (plain text; the build escapes them for XML).
# "&" marks the keyboard shortcut of a button or box.
set(T_CAPTION "QX4T Version-up Tool")
set(T_STEP1 "Preparation")
set(T_STEP2 "Connect")
set(T_STEP3 "Mode check")
set(T_STEP4 "Version-up")
set(T_STEP5 "Finish")
set(T_BTN_BACK "< &Back")
set(T_BTN_NEXT "&Next >")
set(T_BTN_TOP "&Top")
set(T_BTN_OK "OK")
set(T_BTN_CANCEL "Cancel")
set(T_ANIM "PLC connected to the computer")

set(T_PRE_HEADING "Prepare for the version-up")
set(T_PRE_STEPS "Before you go on:\n\
1. Stop the machine that the PLC controls.\n\
2. Connect the PLC to this computer with a USB cable and switch the PLC on.\n\
3. Close every other program that uses the PLC's port.\n\
4. Keep the computer and the PLC powered until the version-up has finished.\n\
The operating manual describes each step in detail.")
set(T_PRE_MANUAL "Open the operating manual")
set(T_PRE_READY "I have &completed these preparations")

set(T_CON_HEADING "Connect to the PLC")
set(T_CON_PORT "PLC &port:")
set(T_CON_REFRESH "Refresh the port list")
set(T_CON_GUIDE "Select the port of the PLC to be updated and choose whether to check the PLC's mode on the next page. Then press Next.")
set(T_CON_RADIO1 "Check the PLC's &mode before the version-up (recommended)")
set(T_CON_RADIO2 "&Skip the mode check")
set(T_CON_CONNECTING "Connecting to the PLC and preparing it for the version-up. Please wait...")
set(T_CON_PROGRESS "Connection progress")

set(T_MODE_HEADING "Check the PLC's mode")
set(T_MODE_GUIDE "The PLC has been switched to its firmware-update mode. Check on the PLC that it shows this mode, as the operating manual describes. Then tick the box below and press Next.")
set(T_MODE_CONFIRM "The PLC &is in firmware-update mode")

set(T_VUP_HEADING "Update the firmware")
set(T_VUP_PROGRESS "Version-up progress")

set(T_FIN_HEADING "Version-up complete")
set(T_FIN_TEXT "The firmware of this PLC has been updated:")
set(T_FIN_HINT "Press OK to close the tool, or Top to update another PLC.")

set(T_DIS_HEADING "Disclaimer")
set(T_DIS_AGREE "I have read and &accept the terms above")
