# Textos en español de las plantillas de diálogo (texto plano; la compilación los escapa para XML).
# «&» marca la tecla de acceso rápido de un botón o casilla.
set(T_CAPTION "Herramienta de actualización QX4T")
set(T_STEP1 "Preparar")
set(T_STEP2 "Conectar")
set(T_STEP3 "Comprobar modo")
set(T_STEP4 "Actualizar")
set(T_STEP5 "Finalizar")
set(T_BTN_BACK "< &Atrás")
set(T_BTN_NEXT "&Siguiente >")
set(T_BTN_TOP "&Volver al inicio")
set(T_BTN_OK "Aceptar")
set(T_BTN_CANCEL "Cancelar")
set(T_ANIM "PLC conectado al ordenador")

set(T_PRE_HEADING "Preparar la actualización")
set(T_PRE_STEPS "Antes de continuar:\n\
1. Detenga la máquina controlada por el PLC.\n\
2. Conecte el PLC a este ordenador con un cable USB y encienda el PLC.\n\
3. Cierre los demás programas que usen el puerto del PLC.\n\
4. Mantenga el ordenador y el PLC encendidos hasta que termine la actualización.\n\
El manual de instrucciones describe cada paso en detalle.")
set(T_PRE_MANUAL "Abrir el manual de instrucciones")
set(T_PRE_READY "He &completado estos preparativos")

set(T_CON_HEADING "Conectar con el PLC")
set(T_CON_PORT "&Puerto del PLC:")
set(T_CON_REFRESH "Actualizar la lista de puertos")
set(T_CON_GUIDE "Seleccione el puerto del PLC que desea actualizar e indique si quiere comprobar el modo del PLC en la página siguiente. Después pulse «Siguiente».")
set(T_CON_RADIO1 "Comprobar el &modo antes de actualizar (recomendado)")
set(T_CON_RADIO2 "&Omitir la comprobación del modo")
set(T_CON_CONNECTING "Conectando con el PLC y preparándolo para la actualización. Espere, por favor…")
set(T_CON_PROGRESS "Progreso de la conexión")

set(T_MODE_HEADING "Comprobar el modo del PLC")
set(T_MODE_GUIDE "El PLC ha pasado a su modo de actualización de firmware. Compruebe en el PLC que muestra este modo, tal como se describe en el manual de instrucciones. Después marque la casilla inferior y pulse «Siguiente».")
set(T_MODE_CONFIRM "El PLC &está en modo de actualización de firmware")

set(T_VUP_HEADING "Actualizar el firmware")
set(T_VUP_PROGRESS "Progreso de la actualización")

set(T_FIN_HEADING "Actualización completada")
set(T_FIN_TEXT "Se ha actualizado el firmware de este PLC:")
set(T_FIN_HINT "Pulse «Aceptar» para cerrar la herramienta o «Volver al inicio» para actualizar otro PLC.")

set(T_DIS_HEADING "Exención de responsabilidad")
set(T_DIS_AGREE "He leído y a&cepto las condiciones anteriores")
