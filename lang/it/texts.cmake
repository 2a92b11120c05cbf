# Testi italiani dei modelli di dialogo (testo semplice; la compilazione li converte per l'XML).
# «&» indica il tasto di scelta rapida di un pulsante o di una casella.
set(T_CAPTION "Strumento di aggiornamento QX4T")
set(T_STEP1 "Preparazione")
set(T_STEP2 "Connessione")
set(T_STEP3 "Verifica modalità")
set(T_STEP4 "Aggiornamento")
set(T_STEP5 "Fine")
set(T_BTN_BACK "< &Indietro")
set(T_BTN_NEXT "&Avanti >")
set(T_BTN_TOP "&Torna all'inizio")
set(T_BTN_OK "OK")
set(T_BTN_CANCEL "Annulla")
set(T_ANIM "PLC collegato al computer")

set(T_PRE_HEADING "Preparazione dell'aggiornamento")
set(T_PRE_STEPS "Prima di proseguire:\n\
1. Arrestare la macchina comandata dal PLC.\n\
2. Collegare il PLC a questo computer con un cavo USB e accendere il PLC.\n\
3. Chiudere tutti gli altri programmi che usano la porta del PLC.\n\
4. Mantenere alimentati il computer e il PLC fino al termine dell'aggiornamento.\n\
Il manuale d'uso descrive in dettaglio ogni passaggio.")
set(T_PRE_MANUAL "Aprire il manuale d'uso")
set(T_PRE_READY "Ho &completato questi preparativi")

set(T_CON_HEADING "Connessione al PLC")
set(T_CON_PORT "&Porta del PLC:")
set(T_CON_REFRESH "Aggiorna l'elenco delle porte")
set(T_CON_GUIDE "Selezionare la porta del PLC da aggiornare e scegliere se verificare la modalità del PLC nella pagina successiva. Quindi premere «Avanti».")
set(T_CON_RADIO1 "Verificare la &modalità prima dell'aggiornamento (consigliato)")
set(T_CON_RADIO2 "&Saltare la verifica della modalità")
set(T_CON_CONNECTING "Connessione al PLC e preparazione all'aggiornamento in corso. Attendere…")
set(T_CON_PROGRESS "Avanzamento della connessione")

set(T_MODE_HEADING "Verifica della modalità del PLC")
set(T_MODE_GUIDE "Il PLC è stato portato in modalità di aggiornamento del firmware. Verificare sul PLC che indichi questa modalità, come descritto nel manuale d'uso. Quindi spuntare la casella qui sotto e premere «Avanti».")
set(T_MODE_CONFIRM "Il PLC è in modalità di aggiornamento del &firmware")

set(T_VUP_HEADING "Aggiornamento del firmware")
set(T_VUP_PROGRESS "Avanzamento dell'aggiornamento")

set(T_FIN_HEADING "Aggiornamento completato")
set(T_FIN_TEXT "Il firmware di questo PLC è stato aggiornato:")
set(T_FIN_HINT "Premere «OK» per chiudere lo strumento oppure «Torna all'inizio» per aggiornare un altro PLC.")

set(T_DIS_HEADING "Esclusione di responsabilità")
set(T_DIS_AGREE "Ho letto e a&ccetto le condizioni sopra riportate")
