<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>ไม่พบ PLC</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>รีเฟรชรายการพอร์ต</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>ยืนยัน</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>เครื่องมือนี้จะอัปเดตเฟิร์มแวร์ของ PLC เป็นเวอร์ชัน %1</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>เวอร์ชันเฟิร์มแวร์: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>เครื่องมือกำลังจะเขียนเฟิร์มแวร์ลงใน PLC
อย่าถอดสายเคเบิล และอย่าปิด PLC หรือคอมพิวเตอร์เครื่องนี้ จนกว่าเครื่องมือจะแจ้งผลลัพธ์

เริ่มการอัปเกรดเวอร์ชันหรือไม่</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>กด “ถัดไป” เพื่อเริ่มการอัปเกรดเวอร์ชัน</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>กำลังเริ่มการอัปเกรดเวอร์ชัน...</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>กำลังเขียนเฟิร์มแวร์ลงใน PLC...</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>กำลังรอให้ PLC รีสตาร์ต...</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>การอัปเกรดเวอร์ชันเสร็จสมบูรณ์แล้ว</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>อัปเกรดเวอร์ชันเสร็จสมบูรณ์</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>ต้องเปลี่ยนโหมดการทำงานของ PLC ก่อน จึงจะอัปเดตเฟิร์มแวร์ได้

เปลี่ยนโหมดการทำงานตอนนี้หรือไม่</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>จะอัปเดตเฟิร์มแวร์ของ PLC เครื่องนี้:</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>ซีรีส์ PLC: %1
เวอร์ชันเฟิร์มแวร์ปัจจุบัน: %2
เวอร์ชันเฟิร์มแวร์ใหม่: %3

อัปเดตเฟิร์มแวร์ของ PLC เครื่องนี้หรือไม่</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>ระหว่างการอัปเกรดเวอร์ชัน อย่าถอดสายเคเบิลหรือปิด PLC</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>กำลังเขียนเฟิร์มแวร์ อย่าถอดสายเคเบิลหรือปิด PLC!</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>ไม่สามารถแสดงหน้าของตัวช่วยได้ เครื่องมือจะปิดลง</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>ไม่ได้เลือกพอร์ตของ PLC หรือไม่สามารถเปิดพอร์ตได้
ตรวจสอบสายเคเบิลและการจ่ายไฟของ PLC แล้วเลือกพอร์ตของ PLC</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>พอร์ตสื่อสาร</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>เครื่องมือนี้ไม่รองรับ PLC รุ่นนี้ หรือเฟิร์มแวร์ของ PLC เก่าเกินกว่าจะอัปเดตด้วยเครื่องมือนี้ได้</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>PLC ที่ไม่รองรับ</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>ขณะนี้ PLC ใช้เฟิร์มแวร์เวอร์ชันที่ใหม่กว่าเวอร์ชันที่เครื่องมือนี้จะติดตั้ง ไม่จำเป็นต้องอัปเกรดเวอร์ชัน</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>ไม่จำเป็นต้องอัปเกรดเวอร์ชัน</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>การสื่อสารกับ PLC ล้มเหลว
ตรวจสอบสายเคเบิลและการจ่ายไฟของ PLC แล้วลองอีกครั้ง</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>ข้อผิดพลาดในการสื่อสาร</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>โหมดการทำงานปัจจุบันของ PLC ไม่อนุญาตให้อัปเกรดเวอร์ชัน
เปลี่ยนโหมดของ PLC ตามที่อธิบายไว้ในคู่มือการใช้งาน แล้วลองอีกครั้ง</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>โหมดการทำงาน</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC ไม่ตอบสนองหลังจากรีสตาร์ต
ตรวจสอบสายเคเบิลและการจ่ายไฟของ PLC

กด “ลองใหม่” เพื่อรอ PLC อีกครั้ง หรือกด “ยกเลิก” เพื่อหยุด</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>PLC ไม่ตอบสนอง</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>การอัปเกรดเวอร์ชันไม่เสร็จสมบูรณ์
PLC อาจทำงานไม่ปกติจนกว่าจะอัปเดตเฟิร์มแวร์สำเร็จ เริ่มเครื่องมือนี้อีกครั้งแล้วทำการอัปเกรดเวอร์ชันอีกครั้ง</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>หยุดการอัปเกรดเวอร์ชันแล้ว</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>ไม่พบข้อมูลเฟิร์มแวร์สำหรับการอัปเกรดเวอร์ชัน
เครื่องมืออาจเสียหาย โปรดติดตั้งใหม่</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>ไม่สามารถโหลดข้อมูลเฟิร์มแวร์สำหรับการอัปเกรดเวอร์ชันได้
เครื่องมืออาจเสียหาย โปรดติดตั้งใหม่</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>มี PLC เชื่อมต่อกับคอมพิวเตอร์เครื่องนี้มากกว่าหนึ่งเครื่อง
เชื่อมต่อเฉพาะ PLC ที่จะอัปเดต แล้วลองอีกครั้ง</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>มี PLC เชื่อมต่ออยู่หลายเครื่อง</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>ข้อมูลเฟิร์มแวร์สำหรับการอัปเกรดเวอร์ชันมีขนาดไม่ถูกต้อง
เครื่องมืออาจเสียหาย โปรดติดตั้งใหม่</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>พอร์ตนี้ถูกใช้งานโดยโปรแกรมอื่น
ปิดโปรแกรมนั้น แล้วลองอีกครั้ง</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>โปรดอ่านข้อความต่อไปนี้ก่อนใช้เครื่องมือนี้

1. เครื่องมือนี้ใช้เขียนเฟิร์มแวร์ของ PLC ซีรีส์ QX4T ใหม่ ใช้กับ PLC ที่เครื่องมือนี้รองรับเท่านั้น และใช้ตามวิธีที่อธิบายไว้ในคู่มือการใช้งานเท่านั้น

2. ระหว่างที่กำลังเขียนเฟิร์มแวร์ PLC จะไม่ควบคุมเครื่องจักร ก่อนเริ่มการอัปเกรดเวอร์ชัน ให้หยุดเครื่องจักรและตรวจสอบให้แน่ใจว่าไม่มีสิ่งใดตกอยู่ในอันตราย

3. หากสายเคเบิลหลุด หรือไฟฟ้าของ PLC หรือคอมพิวเตอร์ดับระหว่างการอัปเกรดเวอร์ชัน PLC อาจหยุดทำงาน และอาจต้องส่งซ่อมที่ผู้ผลิต

4. สำรองโปรแกรมและการตั้งค่าของ PLC ก่อนการอัปเกรดเวอร์ชัน การอัปเกรดเวอร์ชันอาจเปลี่ยนแปลงหรือลบข้อมูลที่เก็บอยู่ใน PLC

5. ผู้ผลิตไม่รับผิดชอบต่อความเสียหายหรือความสูญเสียใด ๆ ที่เกิดจากการใช้เครื่องมือนี้ หรือจากการอัปเกรดเวอร์ชันที่ล้มเหลว เว้นแต่กฎหมายจะกำหนดไว้เป็นอย่างอื่น

หากคุณยอมรับข้อกำหนดเหล่านี้ ให้ทำเครื่องหมายในช่องด้านล่างแล้วกด “ถัดไป” มิฉะนั้นให้กด “ยกเลิก”</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>ข้อมูลเฟิร์มแวร์ของเครื่องมือนี้เสียหาย จึงไม่ได้เขียนลงใน PLC
โปรดติดตั้งเครื่องมืออัปเกรดเวอร์ชันใหม่ แล้วทำการอัปเกรดเวอร์ชันอีกครั้ง</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>ไฟล์ของเครื่องมือเสียหาย</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>ไม่สามารถเริ่มการอัปเกรดเวอร์ชันได้ เนื่องจากคอมพิวเตอร์เครื่องนี้ไม่สามารถบันทึกความคืบหน้าได้:
%1
%2

แก้ไขสาเหตุตามที่อธิบายไว้ในคู่มือการใช้งาน แล้วลองอีกครั้ง ยังไม่มีการเขียนข้อมูลใดลงใน PLC</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>ไม่ได้เริ่มการอัปเกรดเวอร์ชัน</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>PLC ไม่ตอบสนอง การอัปเกรดเวอร์ชันครั้งก่อนของ PLC นี้ถูกขัดจังหวะ PLC จึงอาจกำลังรออยู่ในโหมดอัปเดตเฟิร์มแวร์

รอสักครู่ แล้วกด “ถัดไป” อีกครั้งเพื่อดำเนินการอัปเกรดเวอร์ชันต่อ หาก PLC ยังไม่ตอบสนอง ให้ตรวจสอบสายเคเบิลและการจ่ายไฟของ PLC</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC อาจอยู่ในโหมดอัปเดต</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>ขณะนี้มี PLC เครื่องอื่นเชื่อมต่ออยู่ที่พอร์ต %1 ซึ่งไม่ใช่ PLC ที่กำลังอัปเกรดเวอร์ชัน จึงจะไม่ตรวจสอบหรือเขียนข้อมูลลงไป

ถอด PLC ทั้งหมดออก ยกเว้นเครื่องที่กำลังอัปเกรดเวอร์ชัน แล้วเชื่อมต่อเครื่องนั้นเข้ากับพอร์ตอีกครั้ง จากนั้นดำเนินการต่อด้วย “ถัดไป” หรือ “ลองใหม่” หากตัวช่วยปิดลงหลังจากข้อความนี้ ให้เริ่มเครื่องมือนี้อีกครั้งเพื่ออัปเกรดเวอร์ชันให้เสร็จสิ้น</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>พบ PLC เครื่องอื่นที่พอร์ต</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>PLC ตอบสนองแล้ว แต่ยังคงอยู่ในโหมดอัปเดตเฟิร์มแวร์ และยังไม่ได้เริ่มทำงานด้วยเฟิร์มแวร์ใหม่

กด “ลองใหม่” เพื่อรอ PLC อีกครั้ง หรือกด “ยกเลิก” เพื่อหยุด</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC ยังอยู่ในโหมดอัปเดต</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>ขณะนี้มี PLC เครื่องอื่นเชื่อมต่ออยู่ที่พอร์ต %1 ไม่ได้ส่งข้อมูลใดไปยัง PLC เครื่องนั้น และไม่มีการเปลี่ยนแปลง PLC ที่ตรวจสอบแล้วยังไม่ได้เข้าสู่โหมดอัปเดตเฟิร์มแวร์

เชื่อมต่อเฉพาะ PLC ที่จะอัปเกรดเวอร์ชัน แล้วกด “ถัดไป” อีกครั้ง</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>โปรแกรมอื่นกำลังอัปเกรดเวอร์ชัน PLC เครื่องนี้อยู่: %1

ไม่ได้ส่งข้อมูลใดไปยัง PLC เครื่องนี้ รอจนการอัปเกรดเวอร์ชันนั้นเสร็จ แล้วกด “ถัดไป” อีกครั้ง</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC กำลังถูกใช้งาน</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>ดิสก์เต็ม</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>คุณไม่มีสิทธิ์เขียนข้อมูลในตำแหน่งนี้</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>ระบบไฟล์เป็นแบบอ่านอย่างเดียว</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>ไม่มีโฟลเดอร์นี้</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>ไฟล์กำลังถูกใช้งานโดยโปรแกรมอื่น</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>ดิสก์เกิดข้อผิดพลาดในการอ่านหรือเขียน</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>ระบบแจ้งข้อผิดพลาดระหว่างการเขียนข้อมูล</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>คุณไม่มีสิทธิ์ใช้พอร์ต %1
ขอให้ผู้ดูแลระบบของคอมพิวเตอร์เครื่องนี้ติดตั้งกฎ udev ที่มาพร้อมกับเครื่องมือนี้ (70-qx4t-plc.rules) แล้วเชื่อมต่อ PLC อีกครั้ง</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>คุณไม่มีสิทธิ์ใช้พอร์ต %1
พอร์ตนี้เป็นของกลุ่ม %2 เพิ่มผู้ใช้ของคุณเข้าในกลุ่มนี้ (ตัวอย่าง: sudo usermod -aG %2 $USER) ออกจากระบบแล้วเข้าสู่ระบบใหม่ จากนั้นลองอีกครั้ง
หรือขอให้ผู้ดูแลระบบติดตั้งกฎ udev ที่มาพร้อมกับเครื่องมือนี้ (70-qx4t-plc.rules)</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>ในเซสชันนี้คุณไม่มีสิทธิ์ใช้พอร์ต %1
คุณเป็นสมาชิกของกลุ่ม %2 ซึ่งเป็นเจ้าของพอร์ต แต่ถูกเพิ่มเข้ากลุ่มหลังจากเข้าสู่ระบบแล้ว ออกจากระบบแล้วเข้าสู่ระบบใหม่ จากนั้นลองอีกครั้ง</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>ไม่ได้รับอนุญาต</translation>
    </message>
</context>
</TS>
