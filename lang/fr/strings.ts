<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>Aucun automate trouvé</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>Actualiser la liste des ports</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>Cet outil met à jour le micrologiciel de l'automate vers la version %1.</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>Version du micrologiciel : %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>Le micrologiciel va maintenant être écrit dans l'automate.
Ne débranchez pas le câble et n'éteignez ni l'automate ni cet ordinateur avant que l'outil n'affiche le résultat.

Lancer la mise à jour ?</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>Cliquez sur « Suivant » pour lancer la mise à jour.</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>Lancement de la mise à jour…</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>Écriture du micrologiciel dans l'automate…</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>Attente du redémarrage de l'automate…</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>La mise à jour s'est terminée avec succès.</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>Mise à jour terminée</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>Le mode de fonctionnement de l'automate doit être modifié avant que son micrologiciel puisse être mis à jour.

Modifier le mode de fonctionnement maintenant ?</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>Le micrologiciel de cet automate va être mis à jour :</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>Série de l'automate : %1
Version actuelle du micrologiciel : %2
Nouvelle version du micrologiciel : %3

Mettre à jour le micrologiciel de cet automate ?</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>Ne débranchez pas le câble et n'éteignez pas l'automate pendant la mise à jour.</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>Écriture du micrologiciel en cours. Ne débranchez pas le câble et n'éteignez pas l'automate !</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>Impossible d'afficher une page de l'assistant. L'outil va se fermer.</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>Aucun port d'automate n'est sélectionné ou le port ne peut pas être ouvert.
Vérifiez le câble et l'alimentation de l'automate, puis sélectionnez le port de l'automate.</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>Port de communication</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>Ce modèle d'automate n'est pas pris en charge par cet outil, ou son micrologiciel est trop ancien pour être mis à jour avec cet outil.</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>Automate non pris en charge</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>L'automate dispose déjà d'une version du micrologiciel plus récente que celle qu'installe cet outil. Aucune mise à jour n'est nécessaire.</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>Mise à jour non nécessaire</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>La communication avec l'automate a échoué.
Vérifiez le câble et l'alimentation de l'automate, puis réessayez.</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>Erreur de communication</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>Le mode de fonctionnement actuel de l'automate ne permet pas la mise à jour.
Changez le mode de l'automate comme indiqué dans le manuel d'utilisation, puis réessayez.</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>Mode de fonctionnement</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>L'automate ne répond pas après son redémarrage.
Vérifiez le câble et l'alimentation de l'automate.

Cliquez sur « Réessayer » pour attendre à nouveau l'automate ou sur « Annuler » pour arrêter.</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>Pas de réponse de l'automate</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>La mise à jour n'a pas abouti.
L'automate risque de ne pas fonctionner normalement tant que son micrologiciel n'a pas été mis à jour. Relancez cet outil et recommencez la mise à jour.</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>Mise à jour interrompue</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>Les données du micrologiciel pour la mise à jour sont introuvables.
L'outil est peut-être endommagé ; réinstallez-le.</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>Impossible de charger les données du micrologiciel pour la mise à jour.
L'outil est peut-être endommagé ; réinstallez-le.</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>Plusieurs automates sont raccordés à cet ordinateur.
Raccordez uniquement l'automate à mettre à jour, puis réessayez.</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>Plusieurs automates raccordés</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>Les données du micrologiciel pour la mise à jour n'ont pas la bonne taille.
L'outil est peut-être endommagé ; réinstallez-le.</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>Le port est utilisé par un autre programme.
Fermez ce programme, puis réessayez.</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>Veuillez lire ce qui suit avant d'utiliser cet outil.

1. Cet outil réécrit le micrologiciel des automates de la série QX4T. Ne l'utilisez que pour les automates auxquels il est destiné, et uniquement comme indiqué dans le manuel d'utilisation.

2. Pendant l'écriture du micrologiciel, l'automate ne commande pas la machine. Arrêtez la machine et assurez-vous que rien ni personne n'est en danger avant de lancer la mise à jour.

3. Si le câble est débranché, ou si l'automate ou l'ordinateur n'est plus alimenté pendant la mise à jour, l'automate peut cesser de fonctionner. Il devra alors peut-être être réparé par le fabricant.

4. Sauvegardez le programme et les paramètres de l'automate avant la mise à jour. La mise à jour peut modifier ou effacer des données enregistrées dans l'automate.

5. Le fabricant décline toute responsabilité pour tout dommage ou toute perte résultant de l'utilisation de cet outil ou de l'échec d'une mise à jour, sauf disposition légale contraire.

Si vous acceptez ces conditions, cochez la case ci-dessous et cliquez sur « Suivant ». Sinon, cliquez sur « Annuler ».</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>Les données du micrologiciel de cet outil sont endommagées et n'ont pas été écrites dans l'automate.
Réinstallez l'outil de mise à jour, puis recommencez la mise à jour.</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>Fichiers de l'outil endommagés</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>La mise à jour ne peut pas commencer, car cet ordinateur ne peut pas enregistrer sa progression :
%1
%2

Corrigez la cause comme indiqué dans le manuel d'utilisation, puis réessayez. Rien n'a été écrit dans l'automate.</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>Mise à jour non lancée</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>L'automate ne répond pas. Une mise à jour précédente de cet automate a été interrompue ; il attend peut-être en mode de mise à jour du micrologiciel.

Attendez quelques secondes, puis cliquez de nouveau sur « Suivant » pour poursuivre la mise à jour. Si l'automate ne répond toujours pas, vérifiez le câble et l'alimentation de l'automate.</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>Automate peut-être en mode de mise à jour</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>Un autre automate est maintenant raccordé au port %1. Ce n'est pas l'automate en cours de mise à jour : il n'est ni vérifié ni modifié.

Débranchez tous les automates sauf celui en cours de mise à jour, raccordez de nouveau celui-ci au port, puis continuez avec « Suivant » ou « Réessayer ». Si l'assistant se ferme après ce message, relancez cet outil pour terminer la mise à jour.</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>Autre automate sur le port</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>L'automate répond, mais il est toujours en mode de mise à jour du micrologiciel : il n'a pas démarré sur le nouveau micrologiciel.

Cliquez sur « Réessayer » pour attendre à nouveau l'automate ou sur « Annuler » pour arrêter.</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>Automate toujours en mode de mise à jour</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>Un autre automate est maintenant raccordé au port %1. Rien ne lui a été envoyé, il est inchangé. L'automate vérifié n'a pas été mis en mode de mise à jour du micrologiciel.

Raccordez uniquement l'automate à mettre à jour, puis cliquez de nouveau sur « Suivant ».</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>Cet automate est en cours de mise à jour par un autre programme : %1.

Rien ne lui a été envoyé. Attendez la fin de cette mise à jour, puis cliquez de nouveau sur « Suivant ».</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>Automate utilisé</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>Le disque est plein.</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>Vous n'avez pas l'autorisation d'écrire à cet emplacement.</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>Le système de fichiers est en lecture seule.</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>Le dossier n'existe pas.</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>Le fichier est utilisé par un autre programme.</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>Le disque signale une erreur de lecture ou d'écriture.</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>Le système a signalé une erreur lors de l'écriture.</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>Vous n'avez pas l'autorisation d'utiliser le port %1.
Demandez à l'administrateur de cet ordinateur d'installer la règle udev fournie avec cet outil (70-qx4t-plc.rules), puis raccordez de nouveau l'automate.</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>Vous n'avez pas l'autorisation d'utiliser le port %1.
Le port appartient au groupe %2. Ajoutez votre utilisateur à ce groupe (par exemple : sudo usermod -aG %2 $USER), fermez la session et rouvrez-la, puis réessayez.
Vous pouvez aussi demander à l'administrateur d'installer la règle udev fournie avec cet outil (70-qx4t-plc.rules).</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>Dans cette session, vous n'avez pas l'autorisation d'utiliser le port %1.
Vous êtes membre du groupe %2 auquel appartient le port, mais vous y avez été ajouté après l'ouverture de la session. Fermez la session et rouvrez-la, puis réessayez.</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>Accès refusé</translation>
    </message>
</context>
</TS>
