<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="20001">
        <source>No PLC found</source>
        <translation>No se ha encontrado ningún PLC</translation>
    </message>
    <message id="20002">
        <source>Refresh the port list</source>
        <translation>Actualizar la lista de puertos</translation>
    </message>
    <message id="20003">
        <source>Confirmation</source>
        <translation>Confirmación</translation>
    </message>
    <message id="20004">
        <source>This tool updates the PLC's firmware to version %1.</source>
        <translation>Esta herramienta actualiza el firmware del PLC a la versión %1.</translation>
    </message>
    <message id="20005">
        <source>Firmware version: %1 → %2</source>
        <translation>Versión de firmware: %1 → %2</translation>
    </message>
    <message id="20006">
        <source>The firmware will now be written to the PLC.
Do not disconnect the cable or switch off the PLC or this computer until the tool reports the result.

Start the version-up?</source>
        <translation>Ahora se escribirá el firmware en el PLC.
No desconecte el cable ni apague el PLC ni este ordenador hasta que la herramienta muestre el resultado.

¿Iniciar la actualización?</translation>
    </message>
    <message id="20007">
        <source>Press Next to start the version-up.</source>
        <translation>Pulse «Siguiente» para iniciar la actualización.</translation>
    </message>
    <message id="20008">
        <source>Starting the version-up...</source>
        <translation>Iniciando la actualización…</translation>
    </message>
    <message id="20009">
        <source>Writing the firmware to the PLC...</source>
        <translation>Escribiendo el firmware en el PLC…</translation>
    </message>
    <message id="20010">
        <source>Waiting for the PLC to restart...</source>
        <translation>Esperando a que el PLC se reinicie…</translation>
    </message>
    <message id="20011">
        <source>The version-up has completed successfully.</source>
        <translation>La actualización ha finalizado correctamente.</translation>
    </message>
    <message id="20012">
        <source>Version-up complete</source>
        <translation>Actualización completada</translation>
    </message>
    <message id="20013">
        <source>The PLC's operating mode must be changed before its firmware can be updated.

Change the operating mode now?</source>
        <translation>Es necesario cambiar el modo de funcionamiento del PLC antes de actualizar su firmware.

¿Cambiar ahora el modo de funcionamiento?</translation>
    </message>
    <message id="20017">
        <source>The firmware of this PLC will be updated:</source>
        <translation>Se actualizará el firmware de este PLC:</translation>
    </message>
    <message id="20018">
        <source>PLC series: %1
Current firmware version: %2
New firmware version: %3

Update the firmware of this PLC?</source>
        <translation>Serie del PLC: %1
Versión de firmware actual: %2
Versión de firmware nueva: %3

¿Actualizar el firmware de este PLC?</translation>
    </message>
    <message id="20019">
        <source>Do not disconnect the cable or switch off the PLC during the version-up.</source>
        <translation>No desconecte el cable ni apague el PLC durante la actualización.</translation>
    </message>
    <message id="20020">
        <source>Writing the firmware. Do not disconnect the cable or switch off the PLC!</source>
        <translation>Escribiendo el firmware. ¡No desconecte el cable ni apague el PLC!</translation>
    </message>
    <message id="25000">
        <source>A page of the wizard cannot be displayed. The tool will close.</source>
        <translation>No se puede mostrar una página del asistente. La herramienta se cerrará.</translation>
    </message>
    <message id="25001">
        <source>No PLC port is selected, or the port cannot be opened.
Check the cable and the PLC's power, then select the PLC's port.</source>
        <translation>No hay ningún puerto de PLC seleccionado o no se puede abrir el puerto.
Compruebe el cable y la alimentación del PLC y seleccione el puerto del PLC.</translation>
    </message>
    <message id="25002">
        <source>Communication port</source>
        <translation>Puerto de comunicación</translation>
    </message>
    <message id="25003">
        <source>This PLC model is not supported by this tool, or its firmware is too old to be updated with this tool.</source>
        <translation>Esta herramienta no admite este modelo de PLC, o el firmware del PLC es demasiado antiguo para actualizarlo con esta herramienta.</translation>
    </message>
    <message id="25004">
        <source>Unsupported PLC</source>
        <translation>PLC no compatible</translation>
    </message>
    <message id="25005">
        <source>The PLC already runs a newer firmware version than the one this tool installs. No version-up is needed.</source>
        <translation>El PLC ya tiene una versión de firmware más reciente que la que instala esta herramienta. No es necesario actualizar.</translation>
    </message>
    <message id="25006">
        <source>No version-up needed</source>
        <translation>Actualización no necesaria</translation>
    </message>
    <message id="25007">
        <source>Communication with the PLC failed.
Check the cable and the PLC's power, then try again.</source>
        <translation>Error en la comunicación con el PLC.
Compruebe el cable y la alimentación del PLC e inténtelo de nuevo.</translation>
    </message>
    <message id="25008">
        <source>Communication error</source>
        <translation>Error de comunicación</translation>
    </message>
    <message id="25009">
        <source>The PLC's current operating mode does not allow a version-up.
Change the PLC's mode as the operating manual describes, then try again.</source>
        <translation>El modo de funcionamiento actual del PLC no permite la actualización.
Cambie el modo del PLC como se describe en el manual de instrucciones e inténtelo de nuevo.</translation>
    </message>
    <message id="25010">
        <source>Operating mode</source>
        <translation>Modo de funcionamiento</translation>
    </message>
    <message id="25011">
        <source>The PLC does not answer after its restart.
Check the cable and the PLC's power.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>El PLC no responde después de reiniciarse.
Compruebe el cable y la alimentación del PLC.

Pulse «Reintentar» para volver a esperar al PLC o «Cancelar» para detener el proceso.</translation>
    </message>
    <message id="25012">
        <source>No answer from the PLC</source>
        <translation>El PLC no responde</translation>
    </message>
    <message id="25013">
        <source>The version-up was not completed.
The PLC may not work normally until its firmware has been updated. Start this tool again and repeat the version-up.</source>
        <translation>La actualización no se ha completado.
Es posible que el PLC no funcione correctamente hasta que se actualice su firmware. Vuelva a iniciar esta herramienta y repita la actualización.</translation>
    </message>
    <message id="25014">
        <source>Version-up stopped</source>
        <translation>Actualización interrumpida</translation>
    </message>
    <message id="25015">
        <source>The firmware data for the version-up cannot be found.
The tool may be damaged; install it again.</source>
        <translation>No se encuentran los datos de firmware para la actualización.
Es posible que la herramienta esté dañada. Vuelva a instalarla.</translation>
    </message>
    <message id="25016">
        <source>The firmware data for the version-up cannot be loaded.
The tool may be damaged; install it again.</source>
        <translation>No se pueden cargar los datos de firmware para la actualización.
Es posible que la herramienta esté dañada. Vuelva a instalarla.</translation>
    </message>
    <message id="25017">
        <source>More than one PLC is connected to this computer.
Connect only the PLC to be updated, then try again.</source>
        <translation>Hay más de un PLC conectado a este ordenador.
Conecte solo el PLC que desea actualizar e inténtelo de nuevo.</translation>
    </message>
    <message id="25018">
        <source>Several PLCs connected</source>
        <translation>Varios PLC conectados</translation>
    </message>
    <message id="25021">
        <source>The firmware data for the version-up has the wrong size.
The tool may be damaged; install it again.</source>
        <translation>Los datos de firmware para la actualización tienen un tamaño incorrecto.
Es posible que la herramienta esté dañada. Vuelva a instalarla.</translation>
    </message>
    <message id="25022">
        <source>The port is in use by another program.
Close that program, then try again.</source>
        <translation>Otro programa está usando el puerto.
Cierre ese programa e inténtelo de nuevo.</translation>
    </message>
    <message id="25028">
        <source>Please read the following before you use this tool.

1. This tool rewrites the firmware of QX4T series PLCs. Use it only for the PLCs it is intended for, and only as described in the operating manual.

2. While the firmware is being written, the PLC does not control the machine. Stop the machine and make sure that nothing is endangered before you start the version-up.

3. If the cable is disconnected, or the PLC or the computer loses power during the version-up, the PLC may stop working. It may then have to be repaired by the manufacturer.

4. Back up the PLC's program and settings before the version-up. The version-up may change or clear data held in the PLC.

5. The manufacturer accepts no liability for any damage or loss caused by the use of this tool, or by the failure of a version-up, except where the law requires otherwise.

If you accept these terms, tick the box below and press Next. Otherwise press Cancel.</source>
        <translation>Lea lo siguiente antes de usar esta herramienta.

1. Esta herramienta reescribe el firmware de los PLC de la serie QX4T. Úsela solo con los PLC a los que está destinada y solo como se describe en el manual de instrucciones.

2. Mientras se escribe el firmware, el PLC no controla la máquina. Detenga la máquina y asegúrese de que nadie ni nada corra peligro antes de iniciar la actualización.

3. Si se desconecta el cable, o si el PLC o el ordenador se quedan sin alimentación durante la actualización, el PLC puede dejar de funcionar. En ese caso, es posible que tenga que repararlo el fabricante.

4. Haga una copia de seguridad del programa y la configuración del PLC antes de la actualización. La actualización puede modificar o borrar datos almacenados en el PLC.

5. El fabricante no asume ninguna responsabilidad por daños o pérdidas causados por el uso de esta herramienta o por el fallo de una actualización, salvo en los casos en que la ley disponga otra cosa.

Si acepta estas condiciones, marque la casilla inferior y pulse «Siguiente». De lo contrario, pulse «Cancelar».</translation>
    </message>
    <message id="26001">
        <source>The firmware data of this tool is damaged and was not written to the PLC.
Install the version-up tool again, then repeat the version-up.</source>
        <translation>Los datos de firmware de esta herramienta están dañados y no se han escrito en el PLC.
Vuelva a instalar la herramienta de actualización y repita la actualización.</translation>
    </message>
    <message id="26002">
        <source>Damaged tool files</source>
        <translation>Archivos de la herramienta dañados</translation>
    </message>
    <message id="26003">
        <source>The version-up cannot start because this computer cannot record its progress:
%1
%2

Correct this as the operating manual describes, then try again. Nothing has been written to the PLC.</source>
        <translation>No se puede iniciar la actualización porque este ordenador no puede registrar su progreso:
%1
%2

Corrija la causa como se describe en el manual de instrucciones y vuelva a intentarlo. No se ha escrito nada en el PLC.</translation>
    </message>
    <message id="26004">
        <source>Version-up not started</source>
        <translation>Actualización no iniciada</translation>
    </message>
    <message id="26005">
        <source>The PLC does not answer. An earlier version-up of this PLC was interrupted, so the PLC may be waiting in its firmware update mode.

Wait a few seconds, then press Next again to continue the version-up. If the PLC still does not answer, check the cable and the PLC's power.</source>
        <translation>El PLC no responde. Una actualización anterior de este PLC se interrumpió, por lo que es posible que el PLC esté esperando en su modo de actualización de firmware.

Espere unos segundos y vuelva a pulsar «Siguiente» para continuar la actualización. Si el PLC sigue sin responder, compruebe el cable y la alimentación del PLC.</translation>
    </message>
    <message id="26006">
        <source>PLC may be in update mode</source>
        <translation>PLC posiblemente en modo de actualización</translation>
    </message>
    <message id="26007">
        <source>Another PLC is now connected on port %1. It is not the PLC being updated, and it is neither checked nor written to.

Unplug every PLC except the one being updated and connect that one to the port again, then go on with Next or Retry. If the wizard closes after this message, start this tool again to finish the version-up.</source>
        <translation>Ahora hay otro PLC conectado en el puerto %1. No es el PLC que se está actualizando, por lo que no se comprueba ni se escribe en él.

Desconecte todos los PLC excepto el que se está actualizando y vuelva a conectar ese al puerto; después continúe con «Siguiente» o «Reintentar». Si el asistente se cierra después de este mensaje, vuelva a iniciar esta herramienta para terminar la actualización.</translation>
    </message>
    <message id="26008">
        <source>Different PLC on the port</source>
        <translation>Otro PLC en el puerto</translation>
    </message>
    <message id="26009">
        <source>The PLC answers, but it is still in its firmware update mode: it has not started with the new firmware.

Press Retry to wait for the PLC again, or Cancel to stop.</source>
        <translation>El PLC responde, pero sigue en su modo de actualización de firmware: no se ha iniciado con el nuevo firmware.

Pulse «Reintentar» para volver a esperar al PLC o «Cancelar» para detener el proceso.</translation>
    </message>
    <message id="26010">
        <source>PLC still in update mode</source>
        <translation>PLC aún en modo de actualización</translation>
    </message>
    <message id="26011">
        <source>Another PLC is now connected on port %1. Nothing was sent to it, and it is unchanged. The PLC that was checked was not put into its firmware update mode.

Connect only the PLC to be updated, then press Next again.</source>
        <translation>Ahora hay otro PLC conectado en el puerto %1. No se le ha enviado nada y no ha cambiado. El PLC comprobado no se ha puesto en su modo de actualización de firmware.

Conecte solo el PLC que se va a actualizar y vuelva a pulsar «Siguiente».</translation>
    </message>
    <message id="26012">
        <source>This PLC is being updated by another program: %1.

Nothing was sent to it. Wait until that version-up has finished, then press Next again.</source>
        <translation>Otro programa está actualizando este PLC: %1.

No se le ha enviado nada. Espere a que termine esa actualización y vuelva a pulsar «Siguiente».</translation>
    </message>
    <message id="26013">
        <source>PLC in use</source>
        <translation>PLC en uso</translation>
    </message>
    <message id="26040">
        <source>The disk is full.</source>
        <translation>El disco está lleno.</translation>
    </message>
    <message id="26041">
        <source>You do not have permission to write here.</source>
        <translation>No tiene permiso para escribir en esta ubicación.</translation>
    </message>
    <message id="26042">
        <source>The file system is read-only.</source>
        <translation>El sistema de archivos es de solo lectura.</translation>
    </message>
    <message id="26043">
        <source>The folder does not exist.</source>
        <translation>La carpeta no existe.</translation>
    </message>
    <message id="26044">
        <source>The file is in use by another program.</source>
        <translation>Otro programa está usando el archivo.</translation>
    </message>
    <message id="26045">
        <source>The disk reported a read or write error.</source>
        <translation>El disco ha notificado un error de lectura o escritura.</translation>
    </message>
    <message id="26046">
        <source>The system reported an error while writing.</source>
        <translation>El sistema ha notificado un error al escribir.</translation>
    </message>
    <message id="26020">
        <source>You do not have permission to use the port %1.
Ask the administrator of this computer to install the udev rule that comes with this tool (70-qx4t-plc.rules), then connect the PLC again.</source>
        <translation>No tiene permiso para usar el puerto %1.
Pida al administrador de este ordenador que instale la regla de udev que se incluye con esta herramienta (70-qx4t-plc.rules) y vuelva a conectar el PLC.</translation>
    </message>
    <message id="26021">
        <source>You do not have permission to use the port %1.
The port belongs to the group %2. Add your user to this group (for example: sudo usermod -aG %2 $USER), log out and log in again, then try again.
Or ask the administrator to install the udev rule that comes with this tool (70-qx4t-plc.rules).</source>
        <translation>No tiene permiso para usar el puerto %1.
El puerto pertenece al grupo %2. Añada su usuario a este grupo (por ejemplo: sudo usermod -aG %2 $USER), cierre la sesión, vuelva a iniciarla e inténtelo de nuevo.
O pida al administrador que instale la regla de udev que se incluye con esta herramienta (70-qx4t-plc.rules).</translation>
    </message>
    <message id="26022">
        <source>You do not have permission to use the port %1 in this session.
You are a member of the group %2 that owns the port, but you joined it after you logged in. Log out and log in again, then try again.</source>
        <translation>En esta sesión no tiene permiso para usar el puerto %1.
Es miembro del grupo %2, al que pertenece el puerto, pero se le añadió después de iniciar la sesión. Cierre la sesión, vuelva a iniciarla e inténtelo de nuevo.</translation>
    </message>
    <message id="26023">
        <source>Permission denied</source>
        <translation>Permiso denegado</translation>
    </message>
</context>
</TS>
