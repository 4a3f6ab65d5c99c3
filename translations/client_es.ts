<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>client::CreateRoomWindow</name>
    <message>
        <source>Create Room</source>
        <translation>Crear sala</translation>
    </message>
    <message>
        <source>A room of your own on a server that hosts many rooms. You are its first player, and so its admin.</source>
        <translation>Una sala propia en un servidor que aloja muchas. Eres su primer jugador y, por tanto, su administrador.</translation>
    </message>
    <message>
        <source>The server to make the room on: host, host:port or [IPv6]:port (the port is 2020 when none is given)</source>
        <translation>El servidor de la sala: host, host:puerto o [IPv6]:puerto (puerto 2020 si no se indica)</translation>
    </message>
    <message>
        <source>&amp;List it in the room directory</source>
        <translation>&amp;Publicarla en el directorio de salas</translation>
    </message>
    <message>
        <source>Everyone may then find it in the server browser&apos;s Public list</source>
        <translation>Así cualquiera podrá encontrarla en la lista pública de servidores</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>&amp;Crear</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Servidor:</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nombre:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Contraseña:</translation>
    </message>
    <message>
        <source>You leave the game in progress for the new room.</source>
        <translation>Dejas la partida en curso por la nueva sala.</translation>
    </message>
    <message>
        <source>You leave the room you are in for the new one.</source>
        <translation>Dejas tu sala actual por la nueva.</translation>
    </message>
    <message>
        <source>Not an address..</source>
        <translation>Dirección no válida</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a server to make a room on: %2.
Enter host, host:port or [IPv6]:port.</source>
        <translation>«%1» no es un servidor donde crear una sala: %2.
Escribe host, host:puerto o [IPv6]:puerto.</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>opcional</translation>
    </message>
</context>
<context>
    <name>client::MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Connect..</source>
        <translation>Conectar…</translation>
    </message>
    <message>
        <source>Create Room...</source>
        <translation>Crear sala…</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Load Image..</source>
        <translation>Cargar imagen…</translation>
    </message>
    <message>
        <source>Save Image..</source>
        <translation>Guardar imagen…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Copy Picture</source>
        <translation>Copiar dibujo</translation>
    </message>
    <message>
        <source>Paste Picture</source>
        <translation>Pegar dibujo</translation>
    </message>
    <message>
        <source>User Profile</source>
        <translation>Perfil</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Juego</translation>
    </message>
    <message>
        <source>Gallery</source>
        <translation>Galería</translation>
    </message>
    <message>
        <source>&amp;Chat</source>
        <translation>&amp;Chat</translation>
    </message>
    <message>
        <source>Float ChatBar</source>
        <translation>Separar la barra de chat</translation>
    </message>
    <message>
        <source>Keep On Top</source>
        <translation>Siempre visible</translation>
    </message>
    <message>
        <source>User Information</source>
        <translation>Información del jugador</translation>
    </message>
    <message>
        <source>Administrate</source>
        <translation>Administrar</translation>
    </message>
    <message>
        <source>Kick User</source>
        <translation>Expulsar al jugador</translation>
    </message>
    <message>
        <source>Vote to Kick</source>
        <translation>Votar para expulsar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Scrawlbox Website</source>
        <translation>Sitio web de Scrawlbox</translation>
    </message>
    <message>
        <source>Scrawlbox Forum</source>
        <translation>Foro de Scrawlbox</translation>
    </message>
    <message>
        <source>Tell a Friend</source>
        <translation>Recomendar a un amigo</translation>
    </message>
    <message>
        <source>Leave a Comment</source>
        <translation>Dejar un comentario</translation>
    </message>
    <message>
        <source>Check For New Version</source>
        <translation>Buscar una versión nueva</translation>
    </message>
    <message>
        <source>About Scrawlbox...</source>
        <translation>Acerca de Scrawlbox…</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Mano alzada</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectángulo</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Círculo</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Goma</translation>
    </message>
    <message>
        <source>Flood Fill</source>
        <translation>Relleno</translation>
    </message>
    <message>
        <source>Spray Can</source>
        <translation>Aerosol</translation>
    </message>
    <message>
        <source>Solid Fill</source>
        <translation>Formas rellenas</translation>
    </message>
    <message>
        <source>Clear Pad (press twice)</source>
        <translation>Borrar la hoja (pulsar dos veces)</translation>
    </message>
    <message>
        <source>Small Brush</source>
        <translation>Pincel pequeño</translation>
    </message>
    <message>
        <source>Medium Brush</source>
        <translation>Pincel mediano</translation>
    </message>
    <message>
        <source>Large Brush</source>
        <translation>Pincel grande</translation>
    </message>
    <message>
        <source>Huge Brush</source>
        <translation>Pincel enorme</translation>
    </message>
</context>
<context>
    <name>client::OptionsWindow</name>
    <message>
        <source>The system&apos;s</source>
        <translation>La del sistema</translation>
    </message>
    <message>
        <source>Scrawlbox speaks it from its next start.</source>
        <translation>Scrawlbox la habla desde su próximo inicio.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Windows:</source>
        <translation>Ventanas:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Show a line when someone joins the room</source>
        <translation>Mostrar una línea cuando alguien entra en la sala</translation>
    </message>
    <message>
        <source>Show a line when someone leaves the room</source>
        <translation>Mostrar una línea cuando alguien sale de la sala</translation>
    </message>
    <message>
        <source>The pad&apos;s cursor follows the selected tool</source>
        <translation>El cursor sigue la herramienta elegida</translation>
    </message>
    <message>
        <source>Flat toolbars</source>
        <translation>Barras de herramientas planas</translation>
    </message>
    <message>
        <source>Dial-up Modem</source>
        <translation>Módem</translation>
    </message>
    <message>
        <source>Broadband</source>
        <translation>Banda ancha</translation>
    </message>
    <message>
        <source>Local Area Network</source>
        <translation>Red local</translation>
    </message>
    <message>
        <source>Drawing information will only be sent to the server when the mouse button is released.</source>
        <translation>El dibujo solo se envía al servidor al soltar el botón del ratón.</translation>
    </message>
    <message>
        <source>Drawing information is sent to the server in bursts once every second.</source>
        <translation>El dibujo se envía al servidor en bloques, una vez por segundo.</translation>
    </message>
    <message>
        <source>Drawing information is constantly sent to the server. Note that this can saturate a non-LAN connection.</source>
        <translation>El dibujo se envía al servidor continuamente. Puede saturar una conexión que no sea de red local.</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Chat font:</source>
        <translation>Fuente del chat:</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Dibujo</translation>
    </message>
    <message>
        <source>Drawing cursor:</source>
        <translation>Cursor de dibujo:</translation>
    </message>
    <message>
        <source>Connection:</source>
        <translation>Conexión:</translation>
    </message>
    <message>
        <source>Play a sound when</source>
        <translation>Reproducir un sonido cuando</translation>
    </message>
    <message>
        <source>Someone joins the room</source>
        <translation>alguien entra en la sala</translation>
    </message>
    <message>
        <source>Someone says something</source>
        <translation>alguien dice algo</translation>
    </message>
    <message>
        <source>Someone finds the word</source>
        <translation>alguien adivina la palabra</translation>
    </message>
    <message>
        <source>A key is typed in the chat</source>
        <translation>se pulsa una tecla en el chat</translation>
    </message>
    <message>
        <source>The profile is saved or closed</source>
        <translation>se guarda o se cierra el perfil</translation>
    </message>
    <message>
        <source>It is your turn to draw</source>
        <translation>te toca dibujar</translation>
    </message>
    <message>
        <source>You are offered words to choose from</source>
        <translation>te ofrecen palabras para elegir</translation>
    </message>
    <message>
        <source>A round&apos;s last five seconds tick away</source>
        <translation>pasan los cinco últimos segundos de una ronda</translation>
    </message>
</context>
<context>
    <name>client::RoomInviteWindow</name>
    <message>
        <source>Invite friends</source>
        <translation>Invitar a amigos</translation>
    </message>
    <message>
        <source>Your room &quot;%1&quot; is ready. Send your friends a link to it:</source>
        <translation>Tu sala «%1» está lista. Envía a tus amigos un enlace:</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Copiar enlace</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>¡Copiado!</translation>
    </message>
    <message>
        <source>In a browser:</source>
        <translation>En un navegador:</translation>
    </message>
    <message>
        <source>In Scrawlbox:</source>
        <translation>En Scrawlbox:</translation>
    </message>
    <message>
        <source>The browser link plays in any web browser, with nothing to install; the Scrawlbox link opens this program in the room.</source>
        <translation>El enlace del navegador funciona en cualquier navegador, sin instalar nada; el enlace de Scrawlbox abre este programa en la sala.</translation>
    </message>
</context>
<context>
    <name>client::WordChoicePanel</name>
    <message>
        <source>Choose the word you will draw</source>
        <translation>Elige la palabra que vas a dibujar</translation>
    </message>
    <message>
        <source>%1 is choosing a word</source>
        <translation>%1 está eligiendo una palabra</translation>
    </message>
    <message>
        <source>1 second left</source>
        <translation>Queda 1 segundo</translation>
    </message>
    <message>
        <source>%1 seconds left</source>
        <translation>Quedan %1 segundos</translation>
    </message>
    <message>
        <source>Draw %1 (key %2)</source>
        <translation>Dibujar %1 (tecla %2)</translation>
    </message>
</context>
</TS>
