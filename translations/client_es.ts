<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>client::AgreementWindow</name>
    <message>
        <source>Room Agreement</source>
        <translation>Normas de la sala</translation>
    </message>
    <message>
        <source>I Agree</source>
        <translation>Acepto</translation>
    </message>
    <message>
        <source>I Disagree</source>
        <translation>No acepto</translation>
    </message>
    <message>
        <source>Please read the rules of this room:</source>
        <translation>Lee las normas de esta sala:</translation>
    </message>
</context>
<context>
    <name>client::ChatBar</name>
    <message>
        <source>Scrawlbox Chat</source>
        <translation>Chat de Scrawlbox</translation>
    </message>
</context>
<context>
    <name>client::ChatInput</name>
    <message>
        <source>A chat line holds at most 512 characters: rooms pass on no more.</source>
        <translation>Una línea de chat admite como máximo 512 caracteres: las salas no transmiten más.</translation>
    </message>
</context>
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
    <message>
        <source>The language the room plays in: its word lists, and where the room directory lists it</source>
        <translation>El idioma en que se juega en la sala: sus listas de palabras y dónde la muestra el directorio de salas</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>&amp;Idioma:</translation>
    </message>
</context>
<context>
    <name>client::DrawingArea</name>
    <message>
        <source>Clear the pad (press twice)</source>
        <translation>Borrar la hoja (pulsar dos veces)</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Goma</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Mano alzada</translation>
    </message>
    <message>
        <source>Straight line</source>
        <translation>Línea recta</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectángulo</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Elipse</translation>
    </message>
    <message>
        <source>Flood fill</source>
        <translation>Relleno</translation>
    </message>
    <message>
        <source>Spray can</source>
        <translation>Aerosol</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Fill closed shapes</source>
        <translation>Rellenar las formas cerradas</translation>
    </message>
    <message>
        <source>Small brush (1 pixel width)</source>
        <translation>Pincel pequeño (1 píxel de ancho)</translation>
    </message>
    <message>
        <source>Medium brush (2 pixel width)</source>
        <translation>Pincel mediano (2 píxeles de ancho)</translation>
    </message>
    <message>
        <source>Large brush (4 pixel width)</source>
        <translation>Pincel grande (4 píxeles de ancho)</translation>
    </message>
    <message>
        <source>Huge brush (8 pixel width)</source>
        <translation>Pincel enorme (8 píxeles de ancho)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Take the results off the pad</source>
        <translation>Quitar los resultados de la hoja</translation>
    </message>
    <message>
        <source>Select this colour as the current drawing colour</source>
        <translation>Dibujar con este color</translation>
    </message>
    <message>
        <source>The current colour: click to mix your own</source>
        <translation>El color actual: haz clic para mezclar el tuyo</translation>
    </message>
</context>
<context>
    <name>client::Gallery</name>
    <message>
        <source>Scrawlbox round %1</source>
        <translation>Scrawlbox ronda %1</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>de %1</translation>
    </message>
</context>
<context>
    <name>client::GalleryWindow</name>
    <message>
        <source>the word was not told</source>
        <translation>no se dijo la palabra</translation>
    </message>
    <message>
        <source>Round %1: %2</source>
        <translation>Ronda %1: %2</translation>
    </message>
    <message>
        <source>Game of %1</source>
        <translation>Partida del %1</translation>
    </message>
    <message>
        <source>ddd d MMM yyyy, HH:mm</source>
        <translation>ddd d MMM yyyy, HH:mm</translation>
    </message>
    <message>
        <source>Game %1</source>
        <translation>Partida %1</translation>
    </message>
    <message>
        <source>Nobody found the word.</source>
        <translation>Nadie adivinó la palabra.</translation>
    </message>
    <message>
        <source>Found by %1.</source>
        <translation>Adivinada por %1.</translation>
    </message>
    <message>
        <source>Gallery</source>
        <translation>Galería</translation>
    </message>
    <message>
        <source>No rounds yet. Every round played while Scrawlbox runs is kept here: its picture, its word, who drew it and who found it.</source>
        <translation>Aún no hay rondas. Cada ronda que se juega mientras Scrawlbox está abierto se guarda aquí: su dibujo, su palabra, quién la dibujó y quién la adivinó.</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Draw the round again as it was drawn</source>
        <translation>Volver a dibujar la ronda tal como se dibujó</translation>
    </message>
    <message>
        <source>Replay %1×</source>
        <translation>Reproducir %1×</translation>
    </message>
    <message>
        <source>Draw the round again, %1 times as fast</source>
        <translation>Volver a dibujar la ronda, %1 veces más rápido</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Stop the replay and show the round&apos;s picture</source>
        <translation>Detener la reproducción y mostrar el dibujo de la ronda</translation>
    </message>
    <message>
        <source>How far the replay is</source>
        <translation>Progreso de la reproducción</translation>
    </message>
    <message>
        <source>Save as PNG...</source>
        <translation>Guardar como PNG…</translation>
    </message>
    <message>
        <source>Save this round&apos;s picture at the size chosen beside</source>
        <translation>Guardar el dibujo de esta ronda al tamaño elegido al lado</translation>
    </message>
    <message>
        <source>The size pictures are saved at; every pixel stays a sharp square</source>
        <translation>El tamaño al que se guardan los dibujos; cada píxel sigue siendo un cuadrado nítido</translation>
    </message>
    <message>
        <source>Save All...</source>
        <translation>Guardar todos…</translation>
    </message>
    <message>
        <source>Save every round&apos;s picture into a folder</source>
        <translation>Guardar el dibujo de cada ronda en una carpeta</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>de %1</translation>
    </message>
    <message>
        <source>Drawn by %1</source>
        <translation>Dibujado por %1</translation>
    </message>
    <message>
        <source>Save the round&apos;s picture</source>
        <translation>Guardar el dibujo de la ronda</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Imágenes PNG (*.png)</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>No se ha guardado</translation>
    </message>
    <message>
        <source>The picture could not be saved as %1.</source>
        <translation>No se pudo guardar el dibujo como %1.</translation>
    </message>
    <message>
        <source>Save every picture into a folder</source>
        <translation>Guardar todos los dibujos en una carpeta</translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1.</source>
        <translation>
            <numerusform>%n dibujo guardado en %1.</numerusform>
            <numerusform>%n dibujos guardados en %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1; %2 could not be written.</source>
        <translation>
            <numerusform>%n dibujo guardado en %1; no se pudieron escribir: %2.</numerusform>
            <numerusform>%n dibujos guardados en %1; no se pudieron escribir: %2.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>client::GameWordWindow</name>
    <message>
        <source>The game words are..</source>
        <translation>Las palabras son…</translation>
    </message>
    <message>
        <source>The game word is..</source>
        <translation>La palabra es…</translation>
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
    <message>
        <source>Scrawlbox - Client v%1 (build#%2) Beta</source>
        <translation>Scrawlbox – Cliente v%1 (compilación %2) beta</translation>
    </message>
    <message>
        <source>Room:</source>
        <translation>Sala:</translation>
    </message>
    <message>
        <source>Admin:</source>
        <translation>Admin:</translation>
    </message>
    <message>
        <source>Round:</source>
        <translation>Ronda:</translation>
    </message>
    <message>
        <source>Word:</source>
        <translation>Palabra:</translation>
    </message>
    <message>
        <source>Click to show the word large</source>
        <translation>Haz clic para ver la palabra en grande</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Tiempo:</translation>
    </message>
    <message>
        <source>Auto-Skip Go</source>
        <translation>Pasar siempre mi turno</translation>
    </message>
    <message>
        <source>Never be chosen to draw (away)</source>
        <translation>No ser elegido nunca para dibujar (ausente)</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Mirar</translation>
    </message>
    <message>
        <source>Watch the game instead of playing, from the next round</source>
        <translation>Mirar la partida en lugar de jugar, desde la próxima ronda</translation>
    </message>
    <message>
        <source>Watch until the next round</source>
        <translation>Mirar hasta la próxima ronda</translation>
    </message>
    <message>
        <source>Joining during a round, watch it and play from the next one</source>
        <translation>Al entrar durante una ronda, mirarla y jugar desde la siguiente</translation>
    </message>
    <message>
        <source>Shared first place</source>
        <translation>Primer puesto compartido</translation>
    </message>
    <message>
        <source>Choose another nickname to join the room.</source>
        <translation>Elige otro apodo para entrar en la sala.</translation>
    </message>
    <message>
        <source>Kick User..</source>
        <translation>Expulsar al jugador</translation>
    </message>
    <message>
        <source>Enter the reason why you are kicking %1. You are limited to %2 characters.</source>
        <translation>Escribe por qué expulsas a %1. Como máximo %2 caracteres.</translation>
    </message>
    <message>
        <source>[No reason given]</source>
        <translation>[Sin motivo]</translation>
    </message>
    <message>
        <source>Select image to load..</source>
        <translation>Elegir la imagen que cargar</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.png *.jpg *.jpeg)</source>
        <translation>Imágenes (*.bmp *.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>(*.*) All Files (*)</source>
        <translation>(*.*) Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Could not load picture: %1 (%2)</source>
        <translation>No se pudo cargar la imagen: %1 (%2)</translation>
    </message>
    <message>
        <source>Loaded picture: %1</source>
        <translation>Imagen cargada: %1</translation>
    </message>
    <message>
        <source>Enter filename for image...</source>
        <translation>Nombre de archivo de la imagen</translation>
    </message>
    <message>
        <source>Could not save picture: %1</source>
        <translation>No se pudo guardar la imagen: %1</translation>
    </message>
    <message>
        <source>Picture saved as: %1</source>
        <translation>Imagen guardada como: %1</translation>
    </message>
    <message>
        <source>The clipboard does not contain any image data.</source>
        <translation>El portapapeles no contiene ninguna imagen.</translation>
    </message>
    <message>
        <source>Leave the game?</source>
        <translation>¿Abandonar la partida?</translation>
    </message>
    <message>
        <source>Leave the game in progress?</source>
        <translation>¿Abandonar la partida en curso?</translation>
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
    <name>client::PadWidget</name>
    <message>
        <source>Click Clear again</source>
        <translation>Pulsa otra vez</translation>
    </message>
    <message>
        <source>to wipe the pad</source>
        <translation>para borrar la hoja</translation>
    </message>
    <message>
        <source>The winner</source>
        <translation>El ganador</translation>
    </message>
    <message>
        <source>is...</source>
        <translation>es…</translation>
    </message>
</context>
<context>
    <name>client::ProfileWindow</name>
    <message>
        <source>Choose a nickname first.</source>
        <translation>Elige primero un apodo.</translation>
    </message>
    <message>
        <source>Choose a nickname</source>
        <translation>Elegir un apodo</translation>
    </message>
    <message>
        <source>User Profile</source>
        <translation>Perfil</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>Hombre</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>Mujer</translation>
    </message>
    <message>
        <source>Not given</source>
        <translation>Sin especificar</translation>
    </message>
    <message>
        <source>Nickname:</source>
        <translation>Apodo:</translation>
    </message>
    <message>
        <source>Age:</source>
        <translation>Edad:</translation>
    </message>
    <message>
        <source>Gender:</source>
        <translation>Género:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ubicación:</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Página web:</translation>
    </message>
    <message>
        <source>Quote:</source>
        <translation>Cita:</translation>
    </message>
    <message>
        <source>The other players know you by your nickname; the rest of the profile is yours to fill in or leave.</source>
        <translation>Los demás jugadores te conocen por tu apodo; el resto del perfil puedes rellenarlo o dejarlo vacío.</translation>
    </message>
    <message>
        <source>Sorry, but you cannot use the nickname you have selected. It either contains offensive language, is a reserved name, or is the default profile name.</source>
        <translation>Lo sentimos, no puedes usar ese apodo. Contiene lenguaje ofensivo, es un nombre reservado o es el nombre de perfil predeterminado.</translation>
    </message>
    <message>
        <source>Reserved Nickname...</source>
        <translation>Apodo reservado</translation>
    </message>
    <message>
        <source>Click OK and please change your nickname.</source>
        <translation>Haz clic en Aceptar y cambia tu apodo.</translation>
    </message>
    <message>
        <source>Click Yes to be taken to the Profile window so you can edit your nickname.</source>
        <translation>Haz clic en Sí para abrir la ventana del perfil y cambiar tu apodo.</translation>
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
    <name>client::RoomPasswordWindow</name>
    <message>
        <source>Room Password</source>
        <translation>Contraseña de la sala</translation>
    </message>
    <message>
        <source>The password was not right. The room at %1 asks for its password:</source>
        <translation>La contraseña no era correcta. La sala en %1 pide su contraseña:</translation>
    </message>
    <message>
        <source>The room at %1 asks for a password:</source>
        <translation>La sala en %1 pide una contraseña:</translation>
    </message>
    <message>
        <source>Remember it for this room</source>
        <translation>Recordarla para esta sala</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Entrar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>client::ServerBrowserWindow</name>
    <message>
        <source>Server Browser</source>
        <translation>Lista de servidores</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Públicos</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recientes</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoritos</translation>
    </message>
    <message>
        <source>Server Name</source>
        <translation>Nombre del servidor</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Jugadores</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Add To Favourites</source>
        <translation>Añadir a favoritos</translation>
    </message>
    <message>
        <source>Is Server Online?</source>
        <translation>¿Está el servidor en línea?</translation>
    </message>
    <message>
        <source>Play in the browser</source>
        <translation>Jugar en el navegador</translation>
    </message>
    <message>
        <source>Enter the IP of the server you want to connect to.. (host, host:port or [IPv6]:port; the port is 2020 when none is given)</source>
        <translation>Escribe la IP del servidor al que quieres conectarte (host, host:puerto o [IPv6]:puerto; puerto 2020 si no se indica)</translation>
    </message>
    <message>
        <source>Enter a name for this server if you want to bookmark it..</source>
        <translation>Escribe un nombre para este servidor si quieres guardarlo en favoritos</translation>
    </message>
    <message>
        <source>Enter a short description for this server if you want to bookmark it..</source>
        <translation>Escribe una descripción breve de este servidor si quieres guardarlo en favoritos</translation>
    </message>
    <message>
        <source>Add server to favourites</source>
        <translation>Añadir a favoritos</translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation>Quitar servidor</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Ask the room directory for its list again</source>
        <translation>Volver a pedir la lista al directorio de salas</translation>
    </message>
    <message>
        <source>Show only the public rooms that play in this language</source>
        <translation>Mostrar solo las salas públicas que juegan en este idioma</translation>
    </message>
    <message>
        <source>Any language</source>
        <translation>Cualquier idioma</translation>
    </message>
    <message>
        <source>Server appears to be online.</source>
        <translation>El servidor parece estar en línea.</translation>
    </message>
    <message>
        <source>The server closed the connection.</source>
        <translation>El servidor cerró la conexión.</translation>
    </message>
    <message>
        <source>The server could not be checked: %1</source>
        <translation>No se pudo comprobar el servidor: %1</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>Secciones</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>This room asks for a password</source>
        <translation>Esta sala pide contraseña</translation>
    </message>
    <message>
        <source>Play in the browser: %1</source>
        <translation>Jugar en el navegador: %1</translation>
    </message>
    <message>
        <source>No IP Entered..</source>
        <translation>No se indicó ninguna IP</translation>
    </message>
    <message>
        <source>You need to select a server or enter a server IP address into the Address textbox before you can connect.</source>
        <translation>Elige un servidor o escribe la IP de un servidor en el campo «Dirección» antes de conectarte.</translation>
    </message>
    <message>
        <source>Not an address..</source>
        <translation>Dirección no válida</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address to connect to: %2.
Enter host, host:port or [IPv6]:port.</source>
        <translation>«%1» no es una dirección a la que conectarse: %2.
Escribe host, host:puerto o [IPv6]:puerto.</translation>
    </message>
    <message>
        <source>Can&apos;t add favourite..</source>
        <translation>No se pudo añadir el favorito</translation>
    </message>
    <message>
        <source>You need to enter an IP address for this entry!</source>
        <translation>¡Escribe una dirección IP para esta entrada!</translation>
    </message>
    <message>
        <source>The address cannot be used: %1.</source>
        <translation>La dirección no se puede usar: %1.</translation>
    </message>
    <message>
        <source>You need to enter a name for this entry!</source>
        <translation>¡Escribe un nombre para esta entrada!</translation>
    </message>
    <message>
        <source>You need to enter a description for this entry!</source>
        <translation>¡Escribe una descripción para esta entrada!</translation>
    </message>
    <message>
        <source>Already exists..</source>
        <translation>Ya existe</translation>
    </message>
    <message>
        <source>This favourite already exists!</source>
        <translation>¡Este favorito ya existe!</translation>
    </message>
</context>
<context>
    <name>client::SetupGameWindow</name>
    <message>
        <source>%1 (%2 to %3)</source>
        <translation>%1 (de %2 a %3)</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Sin límite</translation>
    </message>
    <message>
        <source>Wordlist downloaded.</source>
        <translation>Listas de palabras cargadas.</translation>
    </message>
    <message>
        <source>Please select at least one wordlist.</source>
        <translation>Elige al menos una lista de palabras.</translation>
    </message>
    <message>
        <source>Setup Game</source>
        <translation>Preparar la partida</translation>
    </message>
    <message>
        <source>Unknown room</source>
        <translation>Sala desconocida</translation>
    </message>
    <message>
        <source>%1&apos;s room!</source>
        <translation>¡La sala de %1!</translation>
    </message>
    <message>
        <source>The name of this room</source>
        <translation>El nombre de esta sala</translation>
    </message>
    <message>
        <source>The description for this room</source>
        <translation>La descripción de esta sala</translation>
    </message>
    <message>
        <source>The number of players allowed in the room</source>
        <translation>El número de jugadores admitidos en la sala</translation>
    </message>
    <message>
        <source>The total number of rounds per game</source>
        <translation>El número total de rondas por partida</translation>
    </message>
    <message>
        <source>How long each round lasts, in seconds</source>
        <translation>Cuánto dura cada ronda, en segundos</translation>
    </message>
    <message>
        <source>The seconds left to the others once the first player has found the word</source>
        <translation>Los segundos que les quedan a los demás cuando el primero adivina la palabra</translation>
    </message>
    <message>
        <source>Words of your own, separated by commas or lines; &quot;|&quot; between spellings</source>
        <translation>Palabras propias, separadas por comas o líneas; «|» entre grafías</translation>
    </message>
    <message>
        <source>apple, grand piano, café|cafe</source>
        <translation>manzana, piano de cola, café|cafe</translation>
    </message>
    <message>
        <source>None: the game uses the lists alone.</source>
        <translation>Ninguna: la partida usa solo las listas.</translation>
    </message>
    <message numerus="yes">
        <source>%n words (the most a game takes)</source>
        <translation>
            <numerusform>%n palabra (el máximo de una partida)</numerusform>
            <numerusform>%n palabras (el máximo de una partida)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n word(s)</source>
        <translation>
            <numerusform>%n palabra</numerusform>
            <numerusform>%n palabras</numerusform>
        </translation>
    </message>
    <message>
        <source>Downloading wordlist...</source>
        <translation>Cargando las listas de palabras…</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Empezar la partida</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Customise Game Options</source>
        <translation>Opciones de la partida</translation>
    </message>
    <message>
        <source>Select the wordlists you would like to use in your game from the list on the right, then hit Start Game to begin.</source>
        <translation>Elige a la derecha las listas de palabras de tu partida y pulsa «Empezar la partida».</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>de %1 a %2</translation>
    </message>
    <message>
        <source>%1 to %2 seconds</source>
        <translation>de %1 a %2 segundos</translation>
    </message>
    <message>
        <source>Room name</source>
        <translation>Nombre de la sala</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Player limit</source>
        <translation>Máximo de jugadores</translation>
    </message>
    <message>
        <source>%1 to %2 (0: no limit)</source>
        <translation>de %1 a %2 (0: sin límite)</translation>
    </message>
    <message>
        <source>Total rounds</source>
        <translation>Rondas</translation>
    </message>
    <message>
        <source>Time per round</source>
        <translation>Tiempo por ronda</translation>
    </message>
    <message>
        <source>Grace period after first guess</source>
        <translation>Tiempo extra tras el primer acierto</translation>
    </message>
    <message>
        <source>Word lists</source>
        <translation>Listas de palabras</translation>
    </message>
    <message>
        <source>Your own words (alone, or mixed with the lists)</source>
        <translation>Tus propias palabras (solas o mezcladas con las listas)</translation>
    </message>
    <message>
        <source>No wordlists available.</source>
        <translation>No hay listas de palabras.</translation>
    </message>
    <message>
        <source>Server has no wordlists...</source>
        <translation>Servidor sin listas de palabras</translation>
    </message>
    <message>
        <source>The server hasn&apos;t been set up properly and does not contain any word lists. Please let the administrator of this server know!</source>
        <translation>El servidor no está bien configurado y no tiene listas de palabras. ¡Avisa al administrador de este servidor!</translation>
    </message>
</context>
<context>
    <name>client::UserList</name>
    <message>
        <source>Nickname</source>
        <translation>Apodo</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>%1 (watching)</source>
        <translation>%1 (mirando)</translation>
    </message>
    <message>
        <source>%1 is drawing</source>
        <translation>%1 está dibujando</translation>
    </message>
    <message>
        <source>%1 has found the word</source>
        <translation>%1 ha adivinado la palabra</translation>
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
