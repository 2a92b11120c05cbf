<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>Keine SPS gefunden</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>Portliste aktualisieren</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>Dieses Tool aktualisiert die Firmware der SPS auf Version %1.</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>Firmware-Version: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>Die Firmware wird jetzt in die SPS geschrieben.
Ziehen Sie das Kabel nicht ab und schalten Sie weder die SPS noch diesen PC aus, bis das Tool das Ergebnis meldet.

Update starten?</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>Klicken Sie auf „Weiter“, um das Update zu starten.</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>Update wird gestartet…</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>Firmware wird in die SPS geschrieben…</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>Warten auf den Neustart der SPS…</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>Das Update wurde erfolgreich abgeschlossen.</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>Update abgeschlossen</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>Bevor die Firmware aktualisiert werden kann, muss die Betriebsart der SPS geändert werden.

Betriebsart jetzt ändern?</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>Die Firmware dieser SPS wird aktualisiert:</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>SPS-Serie: %1
Aktuelle Firmware-Version: %2
Neue Firmware-Version: %3

Firmware dieser SPS aktualisieren?</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>Während des Updates Kabel nicht abziehen und SPS nicht ausschalten.</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>Firmware wird geschrieben. Kabel nicht abziehen und SPS nicht ausschalten!</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>Eine Seite des Assistenten kann nicht angezeigt werden. Das Tool wird beendet.</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>Es ist kein SPS-Port ausgewählt oder der Port kann nicht geöffnet werden.
Prüfen Sie das Kabel und die Stromversorgung der SPS und wählen Sie dann den Port der SPS aus.</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>Kommunikationsport</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>Dieses SPS-Modell wird von diesem Tool nicht unterstützt, oder seine Firmware ist zu alt, um mit diesem Tool aktualisiert zu werden.</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>Nicht unterstützte SPS</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>Auf der SPS läuft bereits eine neuere Firmware-Version als die, die dieses Tool installiert. Ein Update ist nicht erforderlich.</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>Kein Update erforderlich</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>Die Kommunikation mit der SPS ist fehlgeschlagen.
Prüfen Sie das Kabel und die Stromversorgung der SPS und versuchen Sie es erneut.</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>Kommunikationsfehler</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>In der aktuellen Betriebsart der SPS ist kein Update möglich.
Ändern Sie die Betriebsart der SPS wie in der Betriebsanleitung beschrieben und versuchen Sie es erneut.</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>Betriebsart</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>Die SPS antwortet nach dem Neustart nicht.
Prüfen Sie das Kabel und die Stromversorgung der SPS.

Klicken Sie auf „Wiederholen“, um erneut auf die SPS zu warten, oder auf „Abbrechen“, um den Vorgang zu beenden.</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>Keine Antwort von der SPS</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>Das Update wurde nicht abgeschlossen.
Die SPS arbeitet möglicherweise erst wieder normal, wenn ihre Firmware aktualisiert ist. Starten Sie dieses Tool erneut und wiederholen Sie das Update.</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>Update abgebrochen</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>Die Firmware-Daten für das Update wurden nicht gefunden.
Das Tool ist möglicherweise beschädigt. Installieren Sie es neu.</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>Die Firmware-Daten für das Update können nicht geladen werden.
Das Tool ist möglicherweise beschädigt. Installieren Sie es neu.</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>An diesen PC ist mehr als eine SPS angeschlossen.
Schließen Sie nur die zu aktualisierende SPS an und versuchen Sie es erneut.</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>Mehrere SPS angeschlossen</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>Die Firmware-Daten für das Update haben eine falsche Größe.
Das Tool ist möglicherweise beschädigt. Installieren Sie es neu.</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>Der Port wird von einem anderen Programm verwendet.
Schließen Sie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>Bitte lesen Sie Folgendes, bevor Sie dieses Tool verwenden.

1. Dieses Tool überschreibt die Firmware von SPS der Serie QX4T. Verwenden Sie es nur für die dafür vorgesehenen SPS und nur wie in der Betriebsanleitung beschrieben.

2. Während die Firmware geschrieben wird, steuert die SPS die Maschine nicht. Halten Sie die Maschine an und stellen Sie sicher, dass weder Personen noch Sachen gefährdet sind, bevor Sie das Update starten.

3. Wird während des Updates das Kabel getrennt oder fällt die Stromversorgung der SPS oder des PCs aus, kann die SPS funktionsunfähig werden. Sie muss dann unter Umständen vom Hersteller repariert werden.

4. Sichern Sie vor dem Update das Programm und die Einstellungen der SPS. Durch das Update können in der SPS gespeicherte Daten geändert oder gelöscht werden.

5. Der Hersteller übernimmt keine Haftung für Schäden oder Verluste, die durch die Verwendung dieses Tools oder durch ein fehlgeschlagenes Update entstehen, soweit gesetzlich nicht anders vorgeschrieben.

Wenn Sie diese Bedingungen akzeptieren, aktivieren Sie das Kontrollkästchen unten und klicken Sie auf „Weiter“. Andernfalls klicken Sie auf „Abbrechen“.</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>Die Firmware-Daten dieses Tools sind beschädigt und wurden nicht in die SPS geschrieben.
Installieren Sie das Update-Tool neu und wiederholen Sie dann das Update.</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>Beschädigte Tool-Dateien</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>Das Update kann nicht gestartet werden, weil dieser PC seinen Fortschritt nicht speichern kann:
%1
%2

Beheben Sie die Ursache wie in der Betriebsanleitung beschrieben und versuchen Sie es erneut. In die SPS wurde nichts geschrieben.</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>Update nicht gestartet</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>Die SPS antwortet nicht. Ein früheres Update dieser SPS wurde unterbrochen; die SPS wartet daher möglicherweise im Firmware-Update-Modus.

Warten Sie einige Sekunden und klicken Sie dann erneut auf „Weiter“, um das Update fortzusetzen. Wenn die SPS weiterhin nicht antwortet, prüfen Sie das Kabel und die Stromversorgung der SPS.</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>SPS möglicherweise im Update-Modus</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>An Port %1 ist jetzt eine andere SPS angeschlossen. Sie ist nicht die SPS, die aktualisiert wird: Sie wird weder geprüft, noch wird Firmware in sie geschrieben.

Trennen Sie alle SPS außer der zu aktualisierenden und schließen Sie diese wieder an den Port an. Fahren Sie dann mit „Weiter“ oder „Wiederholen“ fort. Wird der Assistent nach dieser Meldung geschlossen, starten Sie dieses Tool erneut, um das Update abzuschließen.</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>Andere SPS am Port</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>Die SPS antwortet, befindet sich aber noch im Firmware-Update-Modus und ist nicht mit der neuen Firmware gestartet.

Klicken Sie auf „Wiederholen“, um erneut auf die SPS zu warten, oder auf „Abbrechen“, um den Vorgang zu beenden.</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>SPS noch im Update-Modus</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>An Port %1 ist jetzt eine andere SPS angeschlossen. An sie wurde nichts gesendet, sie ist unverändert. Die geprüfte SPS wurde nicht in den Firmware-Update-Modus versetzt.

Schließen Sie nur die zu aktualisierende SPS an und klicken Sie dann erneut auf „Weiter“.</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>Diese SPS wird gerade von einem anderen Programm aktualisiert: %1.

An sie wurde nichts gesendet. Warten Sie, bis dieses Update beendet ist, und klicken Sie dann erneut auf „Weiter“.</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>SPS in Verwendung</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>Sie haben keine Schreibberechtigung für diesen Ort.</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>Das Dateisystem ist schreibgeschützt.</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>Der Ordner existiert nicht.</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>Die Datei wird von einem anderen Programm verwendet.</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>Der Datenträger meldet einen Lese- oder Schreibfehler.</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>Beim Schreiben hat das System einen Fehler gemeldet.</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>Sie haben keine Berechtigung, den Port %1 zu verwenden.
Bitten Sie den Administrator dieses PCs, die mit diesem Tool gelieferte udev-Regel (70-qx4t-plc.rules) zu installieren, und schließen Sie die SPS dann erneut an.</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>Sie haben keine Berechtigung, den Port %1 zu verwenden.
Der Port gehört der Gruppe %2. Fügen Sie Ihren Benutzer dieser Gruppe hinzu (zum Beispiel: sudo usermod -aG %2 $USER), melden Sie sich ab und wieder an und versuchen Sie es dann erneut.
Oder bitten Sie den Administrator, die mit diesem Tool gelieferte udev-Regel (70-qx4t-plc.rules) zu installieren.</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>In dieser Sitzung haben Sie keine Berechtigung, den Port %1 zu verwenden.
Sie sind Mitglied der Gruppe %2, der der Port gehört, wurden aber erst nach Ihrer Anmeldung hinzugefügt. Melden Sie sich ab und wieder an und versuchen Sie es dann erneut.</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
</context>
</TS>
