<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>server::DenyMessageDialog</name>
    <message>
        <source>Deny Message</source>
        <translation>Mensaje de rechazo</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Newcomers are given this message and then disconnected; players in the room stay.</source>
        <translation>Los recién llegados reciben este mensaje y se les desconecta; los jugadores de la sala se quedan.</translation>
    </message>
    <message>
        <source>You need to put in a deny message!</source>
        <translation>¡Escribe un mensaje de rechazo!</translation>
    </message>
    <message>
        <source>Click Cancel if you want to exit Deny mode.</source>
        <translation>Pulsa Cancelar para salir del modo de rechazo.</translation>
    </message>
</context>
<context>
    <name>server::MainWindow</name>
    <message>
        <source>Num</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Dirección IP</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Bytes Received</source>
        <translation>Bytes recibidos</translation>
    </message>
    <message>
        <source>Connections</source>
        <translation>Conexiones</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Attempts</source>
        <translation>Intentos</translation>
    </message>
    <message>
        <source>Banned</source>
        <translation>Vetados</translation>
    </message>
    <message>
        <source>Scrawlbox Server %1</source>
        <translation>Servidor Scrawlbox %1</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>&amp;Servidor</translation>
    </message>
    <message>
        <source>Server Details..</source>
        <translation>Detalles del servidor…</translation>
    </message>
    <message>
        <source>Reload Settings</source>
        <translation>Recargar la configuración</translation>
    </message>
    <message>
        <source>Listen State</source>
        <translation>Admisión de conexiones</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Rechazar</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Submit Server</source>
        <translation>Publicar el servidor</translation>
    </message>
    <message>
        <source>Remove Server</source>
        <translation>Retirar el servidor</translation>
    </message>
    <message>
        <source>Statistics..</source>
        <translation>Estadísticas…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Check For New Version</source>
        <translation>Buscar una versión nueva</translation>
    </message>
    <message>
        <source>About Scrawlbox Server...</source>
        <translation>Acerca del servidor Scrawlbox…</translation>
    </message>
    <message>
        <source>Total open %1</source>
        <translation>%1 (abiertas en total)</translation>
    </message>
    <message>
        <source>Master socket status: %1</source>
        <translation>Estado del socket principal: %1</translation>
    </message>
    <message>
        <source>General server status: %1</source>
        <translation>Estado general del servidor: %1</translation>
    </message>
    <message>
        <source>Panel information..</source>
        <translation>Información del panel</translation>
    </message>
    <message>
        <source>ACCEPT</source>
        <translation>ABIERTO</translation>
    </message>
    <message>
        <source>DENY</source>
        <translation>RECHAZO</translation>
    </message>
    <message>
        <source>OFFLINE</source>
        <translation>DESCONECTADO</translation>
    </message>
    <message>
        <source>!ERROR!</source>
        <translation>¡ERROR!</translation>
    </message>
    <message>
        <source>UNDEFINED</source>
        <translation>INDEFINIDO</translation>
    </message>
    <message>
        <source>Connections: %1</source>
        <translation>Conexiones: %1</translation>
    </message>
    <message>
        <source>User Information</source>
        <translation>Información del jugador</translation>
    </message>
    <message>
        <source>Message User..</source>
        <translation>Mensaje al jugador…</translation>
    </message>
    <message>
        <source>Message All Users..</source>
        <translation>Mensaje a todos…</translation>
    </message>
    <message>
        <source>Kick User..</source>
        <translation>Expulsar al jugador…</translation>
    </message>
    <message>
        <source>Ban User..</source>
        <translation>Vetar al jugador…</translation>
    </message>
    <message>
        <source>Message User...</source>
        <translation>Mensaje al jugador</translation>
    </message>
    <message>
        <source>Enter the message to send to %1. You are limited to a maximum of 512 characters.</source>
        <translation>Escribe el mensaje para %1. Como máximo 512 caracteres.</translation>
    </message>
    <message>
        <source>Message All Users...</source>
        <translation>Mensaje a todos</translation>
    </message>
    <message>
        <source>Enter the message to send to all the currently connected users. You are limited to a maximum of 512 characters.</source>
        <translation>Escribe el mensaje para todos los jugadores conectados. Como máximo 512 caracteres.</translation>
    </message>
    <message>
        <source>Kick User...</source>
        <translation>Expulsar al jugador</translation>
    </message>
    <message>
        <source>If you are sure you want to kick %1, then please enter a reason and press Return. Otherwise press Escape or click Cancel. You are limited to 512 characters.</source>
        <translation>Si de verdad quieres expulsar a %1, escribe un motivo y pulsa Intro. Si no, pulsa Esc o haz clic en Cancelar. Como máximo 512 caracteres.</translation>
    </message>
    <message>
        <source>[no reason given]</source>
        <translation>[sin motivo]</translation>
    </message>
    <message>
        <source>Ban Reason</source>
        <translation>Motivo del veto</translation>
    </message>
    <message>
        <source>Why is %1 being banned?</source>
        <translation>¿Por qué se veta a %1?</translation>
    </message>
    <message>
        <source>[No Reason Given]</source>
        <translation>[Sin motivo]</translation>
    </message>
    <message>
        <source>Change IP..</source>
        <translation>Cambiar la IP…</translation>
    </message>
    <message>
        <source>Change IP</source>
        <translation>Cambiar la IP</translation>
    </message>
    <message>
        <source>Edit the IP address below. You can use ? and * wildcards, if required. Please make sure that it is a valid (wildcarded) IP, as I will not validate it to make sure that it is correct.</source>
        <translation>Edita la dirección IP de abajo. Puedes usar los comodines ? y *. Asegúrate de que es una IP válida (con comodines): no se comprueba.</translation>
    </message>
    <message>
        <source>Change Reason..</source>
        <translation>Cambiar el motivo…</translation>
    </message>
    <message>
        <source>Change Ban Reason</source>
        <translation>Cambiar el motivo del veto</translation>
    </message>
    <message>
        <source>Enter the new reason for this IP being banned.</source>
        <translation>Escribe el nuevo motivo del veto a esta IP.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>There is currently a game in progress.</source>
        <translation>Hay una partida en curso.</translation>
    </message>
    <message>
        <source>Are you sure you want to shut the server down?</source>
        <translation>¿Seguro que quieres apagar el servidor?</translation>
    </message>
</context>
<context>
    <name>server::ServerDetailsDialog</name>
    <message>
        <source>Server Details</source>
        <translation>Detalles del servidor</translation>
    </message>
    <message>
        <source>Guess It</source>
        <translation>Adivinar</translation>
    </message>
    <message>
        <source>Let Scrawlbox try and guess your server&apos;s IP address..</source>
        <translation>Dejar que Scrawlbox intente adivinar la IP de tu servidor</translation>
    </message>
    <message>
        <source>Private server (not listed on the tracker)</source>
        <translation>Servidor privado (no aparece en el tracker)</translation>
    </message>
    <message>
        <source>Remove from the tracker automatically on quit</source>
        <translation>Quitar del tracker automáticamente al salir</translation>
    </message>
    <message>
        <source>A new port is used from the next start of the server.</source>
        <translation>Un puerto nuevo se usa desde el próximo inicio del servidor.</translation>
    </message>
    <message>
        <source>Seconds between keep-alive probes (1 to 60).</source>
        <translation>Segundos entre comprobaciones de la conexión (de 1 a 60).</translation>
    </message>
    <message>
        <source>Room name:</source>
        <translation>Nombre de la sala:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descripción:</translation>
    </message>
    <message>
        <source>Admin name:</source>
        <translation>Nombre del administrador:</translation>
    </message>
    <message>
        <source>Admin e-mail:</source>
        <translation>Correo del administrador:</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>Dirección IP:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Sitio web:</translation>
    </message>
    <message>
        <source>Message of the day:</source>
        <translation>Mensaje del día:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>Ping (seconds):</source>
        <translation>Ping (segundos):</translation>
    </message>
    <message>
        <source>Western European letters only</source>
        <translation>Solo letras de Europa occidental</translation>
    </message>
    <message>
        <source>The server information is kept and sent in Windows-1252: English and the letters of Western European languages (such as é, ä, ñ, ß or ç) are fine. Any other character (Greek, Cyrillic, Polish or Chinese letters, emoji...) turns into &quot;?&quot;.</source>
        <translation>La información del servidor se guarda y se envía en Windows-1252: el inglés y las letras de los idiomas de Europa occidental (como é, ä, ñ, ß o ç) funcionan. Cualquier otro carácter (letras griegas, cirílicas, polacas o chinas, emoji…) se convierte en «?».</translation>
    </message>
    <message>
        <source>The name of this computer is not known.</source>
        <translation>No se conoce el nombre de este equipo.</translation>
    </message>
    <message>
        <source>Guess IP Results</source>
        <translation>Búsqueda de la IP</translation>
    </message>
    <message>
        <source>Sorry, I was unable to guess your IP.</source>
        <translation>Lo siento, no se pudo adivinar tu IP.</translation>
    </message>
    <message numerus="yes">
        <source>I found %n IP address(es).</source>
        <translation>
            <numerusform>Se encontró %n dirección IP.</numerusform>
            <numerusform>Se encontraron %n direcciones IP.</numerusform>
        </translation>
    </message>
    <message>
        <source>The settings could not be written to Server.ini. Check that its folder can be written and is not full.</source>
        <translation>No se pudo escribir la configuración en Server.ini. Comprueba que su carpeta admite escritura y no está llena.</translation>
    </message>
</context>
<context>
    <name>server::StatisticsWindow</name>
    <message>
        <source>Server Statistics</source>
        <translation>Estadísticas del servidor</translation>
    </message>
    <message>
        <source>Statistic</source>
        <translation>Estadística</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Selected Stat</source>
        <translation>Estadística elegida</translation>
    </message>
    <message>
        <source>Name: %1
Value: %2</source>
        <translation>Nombre: %1
Valor: %2</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Reset Statistics</source>
        <translation>Restablecer las estadísticas</translation>
    </message>
    <message>
        <source>Are you completely sure you want to reset your server&apos;s statistics?</source>
        <translation>¿Seguro que quieres restablecer las estadísticas de tu servidor?</translation>
    </message>
    <message>
        <source>Server statistics have been reset.</source>
        <translation>Se han restablecido las estadísticas del servidor.</translation>
    </message>
</context>
</TS>
