<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>找不到PLC</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>重新整理連接埠清單</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>確認</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>本工具會將PLC的韌體更新為版本%1。</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>韌體版本：%1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>即將把韌體寫入PLC。
在本工具顯示結果之前，請勿拔除傳輸線，也不要關閉PLC或這台電腦的電源。

要開始版本升級嗎？</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>按「下一步」開始版本升級。</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>正在開始版本升級……</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>正在將韌體寫入PLC……</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>正在等待PLC重新啟動……</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>版本升級已順利完成。</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>版本升級完成</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>必須先變更PLC的運轉模式，才能更新其韌體。

要立即變更運轉模式嗎？</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>即將更新此PLC的韌體：</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>PLC系列：%1
目前韌體版本：%2
新韌體版本：%3

要更新此PLC的韌體嗎？</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>版本升級期間，請勿拔除傳輸線或關閉PLC的電源。</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>正在寫入韌體。請勿拔除傳輸線或關閉PLC的電源！</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>無法顯示精靈的頁面。本工具即將關閉。</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>未選擇PLC連接埠，或無法開啟該連接埠。
請檢查傳輸線與PLC的電源，然後選擇PLC的連接埠。</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>通訊連接埠</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>本工具不支援此PLC機型，或其韌體版本過舊，無法使用本工具更新。</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>不支援的PLC</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>PLC目前執行的韌體版本已比本工具要安裝的版本新。不需要進行版本升級。</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>不需要版本升級</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>與PLC通訊失敗。
請檢查傳輸線與PLC的電源，然後再試一次。</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>通訊錯誤</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>PLC目前的運轉模式無法進行版本升級。
請依照操作手冊的說明變更PLC的模式，然後再試一次。</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>運轉模式</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC重新啟動後沒有回應。
請檢查傳輸線與PLC的電源。

按「重試」再次等待PLC，或按「取消」停止。</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>PLC沒有回應</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>版本升級未完成。
在韌體更新完成之前，PLC可能無法正常運作。請重新啟動本工具，再次執行版本升級。</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>版本升級已中止</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>找不到版本升級用的韌體資料。
本工具可能已損毀，請重新安裝。</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>無法載入版本升級用的韌體資料。
本工具可能已損毀，請重新安裝。</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>這台電腦連接了多台PLC。
請只連接要升級的PLC，然後再試一次。</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>連接了多台PLC</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>版本升級用的韌體資料大小不正確。
本工具可能已損毀，請重新安裝。</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>其他程式正在使用此連接埠。
請關閉該程式，然後再試一次。</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>使用本工具之前，請閱讀以下內容。

1. 本工具會改寫QX4T系列PLC的韌體。請僅用於適用的PLC，並僅依照操作手冊所述的方式使用。

2. 寫入韌體期間，PLC不會控制機台。開始版本升級之前，請停止機台，並確認不會造成任何危險。

3. 若在版本升級期間拔除傳輸線，或PLC或電腦斷電，PLC可能會停止運作。此時可能必須送回製造商維修。

4. 版本升級之前，請備份PLC的程式與設定。版本升級可能會變更或清除PLC中儲存的資料。

5. 除法律另有規定外，對於因使用本工具或版本升級失敗所造成的任何損害或損失，製造商概不負責。

若您接受這些條款，請勾選下方的核取方塊，然後按「下一步」。否則請按「取消」。</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>本工具的韌體資料已損毀，未寫入PLC。
請重新安裝版本升級工具，然後再次執行版本升級。</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>工具檔案已損毀</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>這台電腦無法記錄版本升級的進度，因此無法開始版本升級：
%1
%2

請依照操作手冊的說明排除此問題，然後再試一次。尚未對PLC寫入任何內容。</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>未開始版本升級</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>PLC沒有回應。此PLC上次的版本升級被中斷，PLC可能正在韌體更新模式中等待。

請等待幾秒鐘，然後再按一次「下一步」繼續版本升級。如果PLC仍然沒有回應，請檢查傳輸線與PLC的電源。</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC可能處於更新模式</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>連接埠 %1 上現在連接的是另一台PLC。它不是正在升級的PLC，因此不會對其進行檢查或寫入。

請拔除正在升級的PLC以外的所有PLC，並將該PLC重新連接到連接埠，然後按「下一步」或「重試」繼續。若此訊息之後精靈關閉，請重新啟動本工具以完成版本升級。</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>連接埠上有其他PLC</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC有回應，但仍處於韌體更新模式，尚未以新韌體啟動。

按「重試」再次等待PLC，或按「取消」停止。</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC仍處於更新模式</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>連接埠 %1 上現在連接的是另一台PLC。沒有向它傳送任何內容，它保持不變。已檢查的PLC未進入韌體更新模式。

請只連接要升級的PLC，然後再按一次「下一步」。</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>此PLC正由其他程式進行版本升級：%1

沒有向它傳送任何內容。請等待該版本升級完成，然後再按一次「下一步」。</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC正在使用中</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>磁碟空間已滿。</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>您沒有寫入此位置的權限。</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>檔案系統為唯讀。</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>資料夾不存在。</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>檔案正由其他程式使用中。</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>磁碟發生讀寫錯誤。</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>寫入時系統回報了錯誤。</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>您沒有使用連接埠 %1 的權限。
請這台電腦的管理員安裝本工具隨附的 udev 規則（70-qx4t-plc.rules），然後重新連接PLC。</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>您沒有使用連接埠 %1 的權限。
此連接埠屬於群組 %2。請將您的使用者加入此群組（例如：sudo usermod -aG %2 $USER），登出後重新登入，然後再試一次。
或請管理員安裝本工具隨附的 udev 規則（70-qx4t-plc.rules）。</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>在此工作階段中，您沒有使用連接埠 %1 的權限。
您是擁有此連接埠之群組 %2 的成員，但您是在登入之後才加入的。請登出後重新登入，然後再試一次。</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>權限遭拒</translation>
    </message>
</context>
</TS>
