# Deutsche Texte der Dialogvorlagen (Klartext; der Build maskiert sie für XML).
# „&“ kennzeichnet die Zugriffstaste einer Schaltfläche oder eines Kontrollkästchens.
set(T_CAPTION "QX4T-Firmware-Update-Tool")
set(T_STEP1 "Vorbereitung")
set(T_STEP2 "Verbindung")
set(T_STEP3 "Modusprüfung")
set(T_STEP4 "Update")
set(T_STEP5 "Abschluss")
set(T_BTN_BACK "< &Zurück")
set(T_BTN_NEXT "&Weiter >")
set(T_BTN_TOP "Zum &Anfang")
set(T_BTN_OK "OK")
set(T_BTN_CANCEL "Abbrechen")
set(T_ANIM "Mit dem PC verbundene SPS")

set(T_PRE_HEADING "Firmware-Update vorbereiten")
set(T_PRE_STEPS "Bevor Sie fortfahren:\n\
1. Halten Sie die von der SPS gesteuerte Maschine an.\n\
2. Verbinden Sie die SPS über ein USB-Kabel mit diesem PC und schalten Sie sie ein.\n\
3. Schließen Sie alle anderen Programme, die den SPS-Port verwenden.\n\
4. Lassen Sie PC und SPS bis zum Ende des Updates eingeschaltet.\n\
Die Betriebsanleitung beschreibt jeden Schritt im Detail.")
set(T_PRE_MANUAL "Betriebsanleitung öffnen")
set(T_PRE_READY "Ich habe diese Vorbereitungen &erledigt")

set(T_CON_HEADING "Mit der SPS verbinden")
set(T_CON_PORT "SPS-&Port:")
set(T_CON_REFRESH "Portliste aktualisieren")
set(T_CON_GUIDE "Wählen Sie den Port der zu aktualisierenden SPS aus und legen Sie fest, ob der Modus der SPS auf der nächsten Seite geprüft werden soll. Klicken Sie dann auf „Weiter“.")
set(T_CON_RADIO1 "&Modus der SPS vor dem Update prüfen (empfohlen)")
set(T_CON_RADIO2 "Modusprüfung über&springen")
set(T_CON_CONNECTING "Die Verbindung zur SPS wird hergestellt und das Update vorbereitet. Bitte warten…")
set(T_CON_PROGRESS "Verbindungsfortschritt")

set(T_MODE_HEADING "Modus der SPS prüfen")
set(T_MODE_GUIDE "Die SPS wurde in den Firmware-Update-Modus geschaltet. Prüfen Sie an der SPS, ob sie diesen Modus anzeigt, wie in der Betriebsanleitung beschrieben. Aktivieren Sie dann das Kontrollkästchen unten und klicken Sie auf „Weiter“.")
set(T_MODE_CONFIRM "Die SPS &ist im Firmware-Update-Modus")

set(T_VUP_HEADING "Firmware aktualisieren")
set(T_VUP_PROGRESS "Update-Fortschritt")

set(T_FIN_HEADING "Update abgeschlossen")
set(T_FIN_TEXT "Die Firmware dieser SPS wurde aktualisiert:")
set(T_FIN_HINT "Klicken Sie auf „OK“, um das Tool zu schließen, oder auf „Zum Anfang“, um eine weitere SPS zu aktualisieren.")

set(T_DIS_HEADING "Haftungsausschluss")
set(T_DIS_AGREE "Ich habe die Bedingungen gelesen und a&kzeptiere sie")
