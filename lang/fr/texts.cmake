# Textes français des modèles de dialogue (texte brut ; la compilation les protège pour le XML).
# « & » marque le raccourci clavier d'un bouton ou d'une case.
set(T_CAPTION "Outil de mise à jour QX4T")
set(T_STEP1 "Préparation")
set(T_STEP2 "Connexion")
set(T_STEP3 "Contrôle du mode")
set(T_STEP4 "Mise à jour")
set(T_STEP5 "Fin")
set(T_BTN_BACK "< &Précédent")
set(T_BTN_NEXT "&Suivant >")
set(T_BTN_TOP "Au &début")
set(T_BTN_OK "OK")
set(T_BTN_CANCEL "Annuler")
set(T_ANIM "Automate raccordé à l'ordinateur")

set(T_PRE_HEADING "Préparation de la mise à jour")
set(T_PRE_STEPS "Avant de continuer :\n\
1. Arrêtez la machine commandée par l'automate.\n\
2. Raccordez l'automate à cet ordinateur avec un câble USB et mettez l'automate sous tension.\n\
3. Fermez tous les autres programmes qui utilisent le port de l'automate.\n\
4. Laissez l'ordinateur et l'automate sous tension jusqu'à la fin de la mise à jour.\n\
Le manuel d'utilisation décrit chaque étape en détail.")
set(T_PRE_MANUAL "Ouvrir le manuel d'utilisation")
set(T_PRE_READY "J'ai &terminé ces préparatifs")

set(T_CON_HEADING "Connexion à l'automate")
set(T_CON_PORT "P&ort de l'automate :")
set(T_CON_REFRESH "Actualiser la liste des ports")
set(T_CON_GUIDE "Sélectionnez le port de l'automate à mettre à jour et indiquez si le mode de l'automate doit être contrôlé à la page suivante. Cliquez ensuite sur « Suivant ».")
set(T_CON_RADIO1 "Contrôler le &mode avant la mise à jour (recommandé)")
set(T_CON_RADIO2 "&Ignorer le contrôle du mode")
set(T_CON_CONNECTING "Connexion à l'automate et préparation de la mise à jour en cours. Veuillez patienter…")
set(T_CON_PROGRESS "Progression de la connexion")

set(T_MODE_HEADING "Contrôle du mode de l'automate")
set(T_MODE_GUIDE "L'automate est passé en mode de mise à jour du micrologiciel. Vérifiez sur l'automate qu'il affiche ce mode, comme indiqué dans le manuel d'utilisation. Cochez ensuite la case ci-dessous et cliquez sur « Suivant ».")
set(T_MODE_CONFIRM "L'automate &est en mode de mise à jour")

set(T_VUP_HEADING "Mise à jour du micrologiciel")
set(T_VUP_PROGRESS "Progression de la mise à jour")

set(T_FIN_HEADING "Mise à jour terminée")
set(T_FIN_TEXT "Le micrologiciel de cet automate a été mis à jour :")
set(T_FIN_HINT "Cliquez sur « OK » pour fermer l'outil ou sur « Au début » pour mettre à jour un autre automate.")

set(T_DIS_HEADING "Clause de non-responsabilité")
set(T_DIS_AGREE "J'ai lu et j'&accepte les conditions ci-dessus")
