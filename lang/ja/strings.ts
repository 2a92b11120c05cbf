<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>PLCが見つかりません</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>ポート一覧を更新</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>確認</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>このツールはPLCのファームウェアをバージョン %1 に更新します。</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>ファームウェアバージョン: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>これからPLCにファームウェアを書き込みます。
結果が表示されるまで、ケーブルを外したり、PLCやパソコンの電源を切ったりしないでください。

バージョンアップを開始しますか？</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>［次へ］を押すとバージョンアップを開始します。</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>バージョンアップを開始しています...</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>PLCにファームウェアを書き込んでいます...</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>PLCの再起動を待っています...</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>バージョンアップが正常に完了しました。</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>バージョンアップ完了</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>ファームウェアを更新するには、PLCの動作モードを変更する必要があります。

今すぐ動作モードを変更しますか？</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>次のPLCのファームウェアを更新します。</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>PLCシリーズ: %1
現在のファームウェアバージョン: %2
新しいファームウェアバージョン: %3

このPLCのファームウェアを更新しますか？</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>バージョンアップ中は、ケーブルを外したり、PLCの電源を切ったりしないでください。</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>ファームウェアを書き込み中です。ケーブルを外したり、PLCの電源を切ったりしないでください！</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>ウィザードのページを表示できません。ツールを終了します。</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>PLCのポートが選択されていないか、ポートを開けません。
ケーブルとPLCの電源を確認してから、PLCのポートを選択してください。</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>通信ポート</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>このPLCの機種はこのツールでは対応していないか、ファームウェアが古すぎるため、このツールでは更新できません。</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>対象外のPLC</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>PLCのファームウェアは、このツールが書き込むバージョンより新しいバージョンです。バージョンアップの必要はありません。</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>バージョンアップ不要</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>PLCとの通信に失敗しました。
ケーブルとPLCの電源を確認してから、もう一度お試しください。</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>通信エラー</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>PLCの現在の動作モードではバージョンアップできません。
取扱説明書に従ってPLCのモードを変更してから、もう一度お試しください。</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>動作モード</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>再起動後のPLCから応答がありません。
ケーブルとPLCの電源を確認してください。

［再試行］を押すともう一度PLCの応答を待ちます。［キャンセル］を押すと中止します。</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>PLCの応答なし</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>バージョンアップは完了していません。
ファームウェアが更新されるまで、PLCが正常に動作しない場合があります。このツールをもう一度起動して、バージョンアップをやり直してください。</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>バージョンアップ中止</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>バージョンアップ用のファームウェアデータが見つかりません。
ツールが破損している可能性があります。インストールし直してください。</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>バージョンアップ用のファームウェアデータを読み込めません。
ツールが破損している可能性があります。インストールし直してください。</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>このパソコンに複数のPLCが接続されています。
更新するPLCだけを接続してから、もう一度お試しください。</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>複数のPLCが接続されています</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>バージョンアップ用のファームウェアデータのサイズが正しくありません。
ツールが破損している可能性があります。インストールし直してください。</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>ポートは他のプログラムで使用中です。
そのプログラムを終了してから、もう一度お試しください。</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>このツールをご使用になる前に、以下をお読みください。

1. このツールはQX4TシリーズのPLCのファームウェアを書き換えます。対象のPLCにのみ、取扱説明書に記載された方法でご使用ください。

2. ファームウェアの書き込み中、PLCは機械を制御しません。バージョンアップを開始する前に機械を停止し、危険がないことを確認してください。

3. バージョンアップ中にケーブルが外れたり、PLCやパソコンの電源が切れたりすると、PLCが動作しなくなることがあります。その場合は、製造元での修理が必要になることがあります。

4. バージョンアップの前に、PLCのプログラムと設定をバックアップしてください。バージョンアップにより、PLC内のデータが変更または消去されることがあります。

5. 法律で定められている場合を除き、製造元は、このツールの使用またはバージョンアップの失敗によって生じたいかなる損害についても責任を負いません。

上記の内容に同意する場合は、下のボックスにチェックを入れて［次へ］を押してください。同意しない場合は［キャンセル］を押してください。</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>このツールのファームウェアデータが破損しているため、PLCには書き込みませんでした。
バージョンアップツールをインストールし直してから、バージョンアップをやり直してください。</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>ツールのファイルの破損</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>このパソコンにバージョンアップの進行状況を記録できないため、バージョンアップを開始できません。
%1
%2

取扱説明書に従って原因を取り除いてから、もう一度お試しください。PLCには何も書き込まれていません。</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>バージョンアップを開始できません</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>PLCが応答しません。このPLCの前回のバージョンアップが中断されたため、PLCがファームウェア更新モードで待機している可能性があります。

数秒待ってから、もう一度［次へ］を押してバージョンアップを続けてください。それでもPLCが応答しない場合は、ケーブルとPLCの電源を確認してください。</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLCが更新モードの可能性</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>ポート %1 に別のPLCが接続されています。このPLCはバージョンアップ中のPLCではないため、確認も書き込みも行いません。

バージョンアップ中のPLC以外はすべて取り外し、そのPLCをポートに接続し直してから、［次へ］または［再試行］で続けてください。このメッセージの後でウィザードが終了した場合は、このツールをもう一度起動してバージョンアップを完了してください。</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>別のPLCを検出</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLCは応答していますが、まだファームウェア更新モードのままです。新しいファームウェアで起動していません。

［再試行］を押すともう一度PLCの再起動を待ちます。［キャンセル］を押すと中止します。</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLCが更新モードのまま</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>ポート %1 に別のPLCが接続されています。このPLCには何も送信しておらず、変更はありません。確認したPLCはファームウェア更新モードにしていません。

更新するPLCだけを接続してから、もう一度［次へ］を押してください。</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>このPLCは別のプログラムでバージョンアップ中です: %1

このPLCには何も送信していません。そのバージョンアップが終わるまで待ってから、もう一度［次へ］を押してください。</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLCは使用中です</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>ディスクの空き容量がありません。</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>この場所に書き込む権限がありません。</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>ファイルシステムが読み取り専用です。</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>フォルダーが存在しません。</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>ファイルがほかのプログラムで使用中です。</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>ディスクで読み書きのエラーが発生しました。</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>書き込み中にシステムがエラーを報告しました。</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>ポート %1 を使用する権限がありません。
このパソコンの管理者に、本ツールに付属の udev ルール (70-qx4t-plc.rules) のインストールを依頼してから、PLC を接続し直してください。</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>ポート %1 を使用する権限がありません。
このポートはグループ %2 に属しています。ユーザーをこのグループに追加し (例: sudo usermod -aG %2 $USER)、ログアウトして再度ログインしてから、もう一度お試しください。
または、本ツールに付属の udev ルール (70-qx4t-plc.rules) のインストールを管理者に依頼してください。</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>このセッションではポート %1 を使用する権限がありません。
ポートを所有するグループ %2 のメンバーですが、ログイン後に追加されています。ログアウトして再度ログインしてから、もう一度お試しください。</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>アクセス権がありません</translation>
    </message>
</context>
</TS>
