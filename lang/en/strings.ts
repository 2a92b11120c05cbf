<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>No PLC found</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>Refresh the port list</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>This tool updates the PLC's firmware to version %1.</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>Firmware version: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>Press Next to start the version-up.</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>Starting the version-up...</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>Writing the firmware to the PLC...</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>Waiting for the PLC to restart...</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>The version-up has completed successfully.</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>Version-up complete</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>The firmware of this PLC will be updated:</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>Do not disconnect the cable or switch off the PLC during the version-up.</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>Writing the firmware. Do not disconnect the cable or switch off the PLC!</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>A page of the wizard cannot be displayed. The tool will close.</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>Communication port</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>Unsupported PLC</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>No version-up needed</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>Communication error</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>Operating mode</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>No answer from the PLC</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>Version-up stopped</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>Several PLCs connected</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>The port is in use by another program.
Close that program, then try again.</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>Damaged tool files</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>Version-up not started</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC may be in update mode</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>Different PLC on the port</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC still in update mode</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC in use</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>The disk is full.</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>You do not have permission to write here.</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>The file is in use by another program.</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>The disk reported a read or write error.</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>The system reported an error while writing.</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>Permission denied</translation>
    </message>
</context>
</TS>
