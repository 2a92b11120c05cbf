<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>未找到PLC</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>刷新端口列表</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>确认</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>本工具将PLC的固件更新至版本%1。</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>固件版本：%1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>现在将向PLC写入固件。
在本工具显示结果之前，请勿断开电缆，也不要关闭PLC或本电脑的电源。

是否开始版本升级？</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>单击“下一步”开始版本升级。</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>正在开始版本升级……</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>正在向PLC写入固件……</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>正在等待PLC重新启动……</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>版本升级已成功完成。</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>版本升级完成</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>必须先更改PLC的运行模式，才能更新其固件。

是否立即更改运行模式？</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>将更新此PLC的固件：</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>PLC系列：%1
当前固件版本：%2
新固件版本：%3

是否更新此PLC的固件？</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>版本升级期间，请勿断开电缆或关闭PLC的电源。</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>正在写入固件。请勿断开电缆或关闭PLC的电源！</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>无法显示向导的页面。本工具将关闭。</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>未选择PLC端口，或无法打开该端口。
请检查电缆和PLC的电源，然后选择PLC的端口。</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>通信端口</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>本工具不支持此PLC型号，或其固件版本过旧，无法用本工具更新。</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>不支持的PLC</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>PLC当前运行的固件版本已高于本工具要安装的版本。无需进行版本升级。</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>无需版本升级</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>与PLC通信失败。
请检查电缆和PLC的电源，然后重试。</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>通信错误</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>PLC当前的运行模式不允许进行版本升级。
请按照操作手册的说明更改PLC的模式，然后重试。</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>运行模式</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC重新启动后没有响应。
请检查电缆和PLC的电源。

单击“重试”再次等待PLC，或单击“取消”停止。</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>PLC无响应</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>版本升级未完成。
在固件更新完成之前，PLC可能无法正常工作。请重新启动本工具，再次进行版本升级。</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>版本升级已中止</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>找不到用于版本升级的固件数据。
本工具可能已损坏，请重新安装。</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>无法加载用于版本升级的固件数据。
本工具可能已损坏，请重新安装。</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>有多台PLC连接到本电脑。
请只连接要升级的PLC，然后重试。</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>连接了多台PLC</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>用于版本升级的固件数据大小不正确。
本工具可能已损坏，请重新安装。</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>该端口正被其他程序使用。
请关闭该程序，然后重试。</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>使用本工具之前，请阅读以下内容。

1. 本工具用于改写QX4T系列PLC的固件。请仅将其用于适用的PLC，并仅按照操作手册中说明的方法使用。

2. 写入固件期间，PLC不控制设备。开始版本升级之前，请停止设备，并确认不存在任何危险。

3. 如果在版本升级期间断开电缆，或PLC或电脑断电，PLC可能会停止工作。此时可能需要由制造商进行维修。

4. 版本升级之前，请备份PLC的程序和设置。版本升级可能会更改或清除PLC中保存的数据。

5. 除法律另有规定外，对于因使用本工具或版本升级失败而造成的任何损害或损失，制造商概不负责。

如果您接受这些条款，请勾选下面的复选框，然后单击“下一步”。否则，请单击“取消”。</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>本工具的固件数据已损坏，未写入PLC。
请重新安装版本升级工具，然后再次进行版本升级。</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>工具文件已损坏</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>本电脑无法记录版本升级的进度，因此无法开始版本升级：
%1
%2

请按照操作手册的说明排除此问题，然后重试。尚未向PLC写入任何内容。</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>未开始版本升级</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>PLC没有响应。此PLC上次的版本升级被中断，PLC可能正在固件更新模式中等待。

请等待几秒钟，然后再次单击“下一步”继续版本升级。如果PLC仍然没有响应，请检查电缆和PLC的电源。</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC可能处于更新模式</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>端口 %1 上现在连接的是另一台PLC。它不是正在升级的PLC，因此不会对其进行检查或写入。

请断开除正在升级的PLC以外的所有PLC，并将该PLC重新连接到端口，然后单击“下一步”或“重试”继续。如果此消息之后向导关闭，请重新启动本工具以完成版本升级。</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>端口上有其他PLC</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC有响应，但仍处于固件更新模式，尚未以新固件启动。

单击“重试”再次等待PLC，或单击“取消”停止。</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC仍处于更新模式</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>端口 %1 上现在连接的是另一台PLC。没有向它发送任何内容，它保持不变。已检查的PLC未进入固件更新模式。

请只连接要升级的PLC，然后再次单击“下一步”。</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>此PLC正由其他程序进行版本升级：%1

没有向它发送任何内容。请等待该版本升级完成，然后再次单击“下一步”。</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC正在使用中</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>磁盘空间已满。</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>您没有在此位置写入的权限。</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>文件系统为只读。</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>文件夹不存在。</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>文件正被其他程序使用。</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>磁盘发生读写错误。</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>写入时系统报告了错误。</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>您没有使用端口 %1 的权限。
请让这台电脑的管理员安装本工具随附的 udev 规则（70-qx4t-plc.rules），然后重新连接PLC。</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>您没有使用端口 %1 的权限。
该端口属于组 %2。请将您的用户添加到该组（例如：sudo usermod -aG %2 $USER），注销并重新登录，然后重试。
或者请管理员安装本工具随附的 udev 规则（70-qx4t-plc.rules）。</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>在本次会话中，您没有使用端口 %1 的权限。
您是拥有该端口的组 %2 的成员，但您是在登录之后才加入该组的。请注销并重新登录，然后重试。</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>权限被拒绝</translation>
    </message>
</context>
</TS>
