<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>Nessun PLC trovato</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>Aggiorna l'elenco delle porte</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>Conferma</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>Questo strumento aggiorna il firmware del PLC alla versione %1.</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>Versione firmware: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>Il firmware verrà ora scritto nel PLC.
Non scollegare il cavo e non spegnere il PLC o questo computer finché lo strumento non indica il risultato.

Avviare l'aggiornamento?</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>Premere «Avanti» per avviare l'aggiornamento.</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>Avvio dell'aggiornamento…</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>Scrittura del firmware nel PLC…</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>In attesa del riavvio del PLC…</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>L'aggiornamento è stato completato correttamente.</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>Aggiornamento completato</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>Prima di aggiornare il firmware è necessario cambiare la modalità operativa del PLC.

Cambiare ora la modalità operativa?</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>Il firmware di questo PLC verrà aggiornato:</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>Serie PLC: %1
Versione firmware attuale: %2
Nuova versione firmware: %3

Aggiornare il firmware di questo PLC?</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>Non scollegare il cavo e non spegnere il PLC durante l'aggiornamento.</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>Scrittura del firmware in corso. Non scollegare il cavo e non spegnere il PLC!</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>Impossibile visualizzare una pagina della procedura guidata. Lo strumento verrà chiuso.</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>Nessuna porta PLC selezionata oppure impossibile aprire la porta.
Controllare il cavo e l'alimentazione del PLC, quindi selezionare la porta del PLC.</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>Porta di comunicazione</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>Questo modello di PLC non è supportato da questo strumento, oppure il suo firmware è troppo vecchio per essere aggiornato con questo strumento.</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>PLC non supportato</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>Il PLC ha già una versione firmware più recente di quella che questo strumento installa. L'aggiornamento non è necessario.</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>Aggiornamento non necessario</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>Comunicazione con il PLC non riuscita.
Controllare il cavo e l'alimentazione del PLC, quindi riprovare.</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>Errore di comunicazione</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>La modalità operativa attuale del PLC non consente l'aggiornamento.
Cambiare la modalità del PLC come descritto nel manuale d'uso, quindi riprovare.</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>Modalità operativa</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>Il PLC non risponde dopo il riavvio.
Controllare il cavo e l'alimentazione del PLC.

Premere «Riprova» per attendere di nuovo il PLC oppure «Annulla» per interrompere.</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>Nessuna risposta dal PLC</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>L'aggiornamento non è stato completato.
Il PLC potrebbe non funzionare correttamente finché il suo firmware non viene aggiornato. Riavviare questo strumento e ripetere l'aggiornamento.</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>Aggiornamento interrotto</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>Impossibile trovare i dati del firmware per l'aggiornamento.
Lo strumento potrebbe essere danneggiato: reinstallarlo.</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>Impossibile caricare i dati del firmware per l'aggiornamento.
Lo strumento potrebbe essere danneggiato: reinstallarlo.</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>Al computer è collegato più di un PLC.
Collegare solo il PLC da aggiornare, quindi riprovare.</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>Più PLC collegati</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>I dati del firmware per l'aggiornamento hanno una dimensione errata.
Lo strumento potrebbe essere danneggiato: reinstallarlo.</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>La porta è utilizzata da un altro programma.
Chiudere quel programma, quindi riprovare.</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>Leggere quanto segue prima di utilizzare questo strumento.

1. Questo strumento riscrive il firmware dei PLC della serie QX4T. Utilizzarlo solo per i PLC a cui è destinato e solo come descritto nel manuale d'uso.

2. Durante la scrittura del firmware il PLC non controlla la macchina. Arrestare la macchina e assicurarsi che persone e cose non siano in pericolo prima di avviare l'aggiornamento.

3. Se durante l'aggiornamento il cavo viene scollegato oppure il PLC o il computer restano senza alimentazione, il PLC potrebbe smettere di funzionare. In tal caso potrebbe dover essere riparato dal produttore.

4. Eseguire un backup del programma e delle impostazioni del PLC prima dell'aggiornamento. L'aggiornamento può modificare o cancellare i dati memorizzati nel PLC.

5. Il produttore non si assume alcuna responsabilità per danni o perdite causati dall'uso di questo strumento o dall'esito negativo di un aggiornamento, salvo quanto diversamente previsto dalla legge.

Se si accettano queste condizioni, spuntare la casella qui sotto e premere «Avanti». In caso contrario, premere «Annulla».</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>I dati del firmware di questo strumento sono danneggiati e non sono stati scritti nel PLC.
Reinstallare lo strumento di aggiornamento, quindi ripetere l'aggiornamento.</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>File dello strumento danneggiati</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>Impossibile avviare l'aggiornamento perché questo computer non riesce a registrarne l'avanzamento:
%1
%2

Eliminare la causa come descritto nel manuale d'uso, quindi riprovare. Nel PLC non è stato scritto nulla.</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>Aggiornamento non avviato</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>Il PLC non risponde. Un precedente aggiornamento di questo PLC è stato interrotto, quindi il PLC potrebbe essere in attesa in modalità di aggiornamento del firmware.

Attendere alcuni secondi, quindi premere di nuovo «Avanti» per proseguire l'aggiornamento. Se il PLC continua a non rispondere, controllare il cavo e l'alimentazione del PLC.</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC forse in modalità di aggiornamento</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>Alla porta %1 è ora collegato un altro PLC. Non è il PLC in aggiornamento: non viene né verificato né scritto.

Scollegare tutti i PLC tranne quello in aggiornamento e ricollegare quest'ultimo alla porta, quindi proseguire con «Avanti» o «Riprova». Se la procedura guidata si chiude dopo questo messaggio, riavviare questo strumento per completare l'aggiornamento.</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>Altro PLC sulla porta</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>Il PLC risponde, ma è ancora in modalità di aggiornamento del firmware: non si è avviato con il nuovo firmware.

Premere «Riprova» per attendere di nuovo il PLC oppure «Annulla» per interrompere.</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC ancora in modalità di aggiornamento</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>Alla porta %1 è ora collegato un altro PLC. Non gli è stato inviato nulla e non è cambiato. Il PLC verificato non è stato messo in modalità di aggiornamento del firmware.

Collegare solo il PLC da aggiornare, quindi premere di nuovo «Avanti».</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>Questo PLC è in aggiornamento da parte di un altro programma: %1.

Non gli è stato inviato nulla. Attendere la fine di quell'aggiornamento, quindi premere di nuovo «Avanti».</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC in uso</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>Il disco è pieno.</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>Non si dispone dell'autorizzazione a scrivere in questa posizione.</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>Il file system è di sola lettura.</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>La cartella non esiste.</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>Il file è in uso da parte di un altro programma.</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>Il disco ha segnalato un errore di lettura o scrittura.</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>Il sistema ha segnalato un errore durante la scrittura.</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>Non si dispone dell'autorizzazione per usare la porta %1.
Chiedere all'amministratore di questo computer di installare la regola udev fornita con questo strumento (70-qx4t-plc.rules), quindi ricollegare il PLC.</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>Non si dispone dell'autorizzazione per usare la porta %1.
La porta appartiene al gruppo %2. Aggiungere il proprio utente a questo gruppo (ad esempio: sudo usermod -aG %2 $USER), disconnettersi e accedere di nuovo, quindi riprovare.
In alternativa, chiedere all'amministratore di installare la regola udev fornita con questo strumento (70-qx4t-plc.rules).</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>In questa sessione non si dispone dell'autorizzazione per usare la porta %1.
Si è membri del gruppo %2 a cui appartiene la porta, ma l'aggiunta è avvenuta dopo l'accesso. Disconnettersi e accedere di nuovo, quindi riprovare.</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>Autorizzazione negata</translation>
    </message>
</context>
</TS>
