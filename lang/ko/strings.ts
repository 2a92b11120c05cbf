<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>PLC를 찾을 수 없음</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>포트 목록 새로 고침</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>확인</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>이 도구는 PLC의 펌웨어를 %1 버전으로 업데이트합니다.</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>펌웨어 버전: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>지금부터 PLC에 펌웨어를 씁니다.
도구에 결과가 표시될 때까지 케이블을 분리하거나 PLC 또는 이 컴퓨터의 전원을 끄지 마십시오.

버전업을 시작하시겠습니까?</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>[다음]을 누르면 버전업이 시작됩니다.</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>버전업을 시작하는 중...</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>PLC에 펌웨어를 쓰는 중...</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>PLC가 다시 시작되기를 기다리는 중...</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>버전업이 정상적으로 완료되었습니다.</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>버전업 완료</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>펌웨어를 업데이트하려면 먼저 PLC의 운전 모드를 변경해야 합니다.

지금 운전 모드를 변경하시겠습니까?</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>이 PLC의 펌웨어를 업데이트합니다:</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>PLC 시리즈: %1
현재 펌웨어 버전: %2
새 펌웨어 버전: %3

이 PLC의 펌웨어를 업데이트하시겠습니까?</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>버전업 중에는 케이블을 분리하거나 PLC의 전원을 끄지 마십시오.</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>펌웨어를 쓰는 중입니다. 케이블을 분리하거나 PLC의 전원을 끄지 마십시오!</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>마법사 페이지를 표시할 수 없습니다. 도구를 종료합니다.</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>PLC 포트가 선택되지 않았거나 포트를 열 수 없습니다.
케이블과 PLC의 전원을 확인한 후 PLC의 포트를 선택하십시오.</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>통신 포트</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>이 도구에서 지원하지 않는 PLC 모델이거나, 펌웨어가 너무 오래되어 이 도구로 업데이트할 수 없습니다.</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>지원되지 않는 PLC</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>PLC의 펌웨어가 이미 이 도구가 설치하는 버전보다 새로운 버전입니다. 버전업할 필요가 없습니다.</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>버전업 필요 없음</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>PLC와 통신하지 못했습니다.
케이블과 PLC의 전원을 확인한 후 다시 시도하십시오.</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>통신 오류</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>PLC의 현재 운전 모드에서는 버전업할 수 없습니다.
사용 설명서의 설명에 따라 PLC의 모드를 변경한 후 다시 시도하십시오.</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>운전 모드</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC가 다시 시작된 후 응답하지 않습니다.
케이블과 PLC의 전원을 확인하십시오.

[다시 시도]를 누르면 PLC의 응답을 다시 기다리고, [취소]를 누르면 중지합니다.</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>PLC 응답 없음</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>버전업이 완료되지 않았습니다.
펌웨어가 업데이트될 때까지 PLC가 정상적으로 작동하지 않을 수 있습니다. 이 도구를 다시 실행하여 버전업을 다시 하십시오.</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>버전업 중지됨</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>버전업용 펌웨어 데이터를 찾을 수 없습니다.
도구가 손상되었을 수 있으니 다시 설치하십시오.</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>버전업용 펌웨어 데이터를 불러올 수 없습니다.
도구가 손상되었을 수 있으니 다시 설치하십시오.</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>이 컴퓨터에 PLC가 두 대 이상 연결되어 있습니다.
업데이트할 PLC만 연결한 후 다시 시도하십시오.</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>여러 대의 PLC가 연결됨</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>버전업용 펌웨어 데이터의 크기가 올바르지 않습니다.
도구가 손상되었을 수 있으니 다시 설치하십시오.</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>다른 프로그램이 포트를 사용하고 있습니다.
해당 프로그램을 종료한 후 다시 시도하십시오.</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>이 도구를 사용하기 전에 다음 내용을 읽어 주십시오.

1. 이 도구는 QX4T 시리즈 PLC의 펌웨어를 다시 씁니다. 대상 PLC에만, 사용 설명서에 설명된 방법으로만 사용하십시오.

2. 펌웨어를 쓰는 동안에는 PLC가 설비를 제어하지 않습니다. 버전업을 시작하기 전에 설비를 정지하고 위험 요소가 없는지 확인하십시오.

3. 버전업 중에 케이블이 분리되거나 PLC 또는 컴퓨터의 전원이 꺼지면 PLC가 작동하지 않게 될 수 있습니다. 이 경우 제조사의 수리가 필요할 수 있습니다.

4. 버전업 전에 PLC의 프로그램과 설정을 백업하십시오. 버전업으로 인해 PLC에 저장된 데이터가 변경되거나 삭제될 수 있습니다.

5. 법률에서 달리 정하는 경우를 제외하고, 제조사는 이 도구의 사용 또는 버전업 실패로 인해 발생한 어떠한 손해나 손실에 대해서도 책임을 지지 않습니다.

위 조항에 동의하면 아래 확인란을 선택하고 [다음]을 누르십시오. 동의하지 않으면 [취소]를 누르십시오.</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>이 도구의 펌웨어 데이터가 손상되어 PLC에 쓰지 않았습니다.
버전업 도구를 다시 설치한 후 버전업을 다시 하십시오.</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>도구 파일 손상</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>이 컴퓨터에 버전업 진행 상황을 기록할 수 없어 버전업을 시작할 수 없습니다.
%1
%2

사용 설명서에 따라 원인을 해결한 후 다시 시도하십시오. PLC에는 아무것도 쓰지 않았습니다.</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>버전업을 시작할 수 없음</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>PLC가 응답하지 않습니다. 이 PLC의 이전 버전업이 중단되었으므로 PLC가 펌웨어 업데이트 모드에서 대기하고 있을 수 있습니다.

몇 초 기다린 후 [다음]을 다시 눌러 버전업을 계속하십시오. 그래도 PLC가 응답하지 않으면 케이블과 PLC의 전원을 확인하십시오.</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC가 업데이트 모드일 수 있음</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>포트 %1에 다른 PLC가 연결되어 있습니다. 이 PLC는 버전업 중인 PLC가 아니므로 확인하거나 쓰지 않습니다.

버전업 중인 PLC를 제외한 모든 PLC를 분리하고 그 PLC를 포트에 다시 연결한 후 [다음] 또는 [다시 시도]로 계속하십시오. 이 메시지 후에 마법사가 닫히면 이 도구를 다시 실행하여 버전업을 마치십시오.</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>포트의 다른 PLC</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC가 응답하지만 아직 펌웨어 업데이트 모드에 머물러 있습니다. 새 펌웨어로 시작되지 않았습니다.

[다시 시도]를 누르면 PLC가 다시 시작되기를 한 번 더 기다리고, [취소]를 누르면 중지합니다.</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC가 아직 업데이트 모드에 있음</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>포트 %1에 다른 PLC가 연결되어 있습니다. 이 PLC에는 아무것도 보내지 않았으며 변경되지 않았습니다. 확인한 PLC는 펌웨어 업데이트 모드로 전환하지 않았습니다.

업데이트할 PLC만 연결한 후 [다음]을 다시 누르십시오.</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>다른 프로그램이 이 PLC를 버전업하고 있습니다: %1

이 PLC에는 아무것도 보내지 않았습니다. 해당 버전업이 끝날 때까지 기다린 후 [다음]을 다시 누르십시오.</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC 사용 중</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>디스크 공간이 부족합니다.</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>이 위치에 쓸 권한이 없습니다.</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>파일 시스템이 읽기 전용입니다.</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>폴더가 없습니다.</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>다른 프로그램이 파일을 사용하고 있습니다.</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>디스크에서 읽기/쓰기 오류가 발생했습니다.</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>쓰는 중에 시스템이 오류를 보고했습니다.</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>포트 %1을(를) 사용할 권한이 없습니다.
이 컴퓨터의 관리자에게 이 도구와 함께 제공되는 udev 규칙(70-qx4t-plc.rules)의 설치를 요청한 후 PLC를 다시 연결하십시오.</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>포트 %1을(를) 사용할 권한이 없습니다.
이 포트는 %2 그룹에 속해 있습니다. 사용자를 이 그룹에 추가하고(예: sudo usermod -aG %2 $USER) 로그아웃한 후 다시 로그인한 다음 다시 시도하십시오.
또는 관리자에게 이 도구와 함께 제공되는 udev 규칙(70-qx4t-plc.rules)의 설치를 요청하십시오.</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>이 세션에서는 포트 %1을(를) 사용할 권한이 없습니다.
포트를 소유한 %2 그룹의 구성원이지만 로그인한 후에 추가되었습니다. 로그아웃한 후 다시 로그인한 다음 다시 시도하십시오.</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>권한 없음</translation>
    </message>
</context>
</TS>
