<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Game</name>
    <message>
        <source>The artist has given a second hint! The word starts with: %1</source>
        <translation>¡El artista ha dado una segunda pista! La palabra empieza por: %1</translation>
    </message>
    <message>
        <source>The artist has given a third hint! The word starts with: %1</source>
        <translation>¡El artista ha dado una tercera pista! La palabra empieza por: %1</translation>
    </message>
    <message>
        <source>The artist has given a final hint! The word starts with: %1</source>
        <translation>¡El artista ha dado una última pista! La palabra empieza por: %1</translation>
    </message>
</context>
<context>
    <name>client::Session</name>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>This server holds one room and makes no others; you are in its room.</source>
        <translation>Este servidor tiene una sola sala y no crea otras; estás en esa sala.</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Servidor</translation>
    </message>
    <message>
        <source>You have been banned from this server. You are not permitted to join it.</source>
        <translation>Te han vetado en este servidor. No puedes entrar en él.</translation>
    </message>
    <message>
        <source>Sorry, but you are using an old version of the Scrawlbox client. You will need to download the newest version from %1 before you can join this server.</source>
        <translation>Lo sentimos, usas una versión antigua de Scrawlbox. Descarga la versión más reciente desde %1 para entrar en este servidor.</translation>
    </message>
    <message>
        <source>Requesting userlist...</source>
        <translation>Pidiendo la lista de jugadores...</translation>
    </message>
    <message>
        <source>You are alone in this room; feel free to practise drawing. Your drawing actions will not be sent to the server. But anything you type will - use it as a rough indication of your ping.</source>
        <translation>Estás solo en esta sala; practica el dibujo cuanto quieras. Tus trazos no se envían al servidor, pero todo lo que escribas sí: te sirve para hacerte una idea de tu ping.</translation>
    </message>
    <message>
        <source>Waiting for a second player</source>
        <translation>Esperando a un segundo jugador</translation>
    </message>
    <message>
        <source>MOTD - %1</source>
        <translation>Mensaje del día – %1</translation>
    </message>
    <message>
        <source>** %1 has joined the room!</source>
        <translation>** ¡%1 ha entrado en la sala!</translation>
    </message>
    <message>
        <source>%1 has left (%2).</source>
        <translation>%1 se ha ido (%2).</translation>
    </message>
    <message>
        <source>%1 has been made into an admin.</source>
        <translation>%1 es ahora administrador.</translation>
    </message>
    <message>
        <source>%1 has kicked %2: %3</source>
        <translation>%1 ha expulsado a %2: %3</translation>
    </message>
    <message>
        <source> ** %1 is now known as %2.</source>
        <translation> ** %1 ahora se llama %2.</translation>
    </message>
    <message>
        <source>No room was made on %1.</source>
        <translation>No se ha creado ninguna sala en %1.</translation>
    </message>
    <message>
        <source>The server made the room but named it with a code this client cannot use; you are in it, but it is not kept in Recent.</source>
        <translation>El servidor ha creado la sala, pero con un código que este programa no puede usar; estás dentro, pero no se guarda en «Recientes».</translation>
    </message>
    <message>
        <source>Your room &quot;%1&quot; is made; its code is %2. Invite friends with a link:</source>
        <translation>Tu sala «%1» está creada; su código es %2. Invita a tus amigos con un enlace:</translation>
    </message>
    <message>
        <source>  In a browser: %1</source>
        <translation>  En un navegador: %1</translation>
    </message>
    <message>
        <source>  In Scrawlbox: %1</source>
        <translation>  En Scrawlbox: %1</translation>
    </message>
    <message>
        <source>Choose another nickname to join %1</source>
        <translation>Elige otro apodo para entrar en %1</translation>
    </message>
    <message>
        <source>You have been kicked from the room by a vote of the players.</source>
        <translation>Te han expulsado de la sala por votación de los jugadores.</translation>
    </message>
    <message>
        <source>You have been kicked from the server by the operator for the following reason: %1</source>
        <translation>El operador te ha expulsado del servidor por el siguiente motivo: %1</translation>
    </message>
    <message>
        <source>ADMINISTRATOR</source>
        <translation>ADMINISTRADOR</translation>
    </message>
    <message>
        <source>Server has quit: %1.</source>
        <translation>El servidor se ha cerrado: %1.</translation>
    </message>
    <message>
        <source>Somebody is setting up the game...</source>
        <translation>Alguien está preparando la partida...</translation>
    </message>
    <message>
        <source>Somebody is setting up a game</source>
        <translation>Alguien está preparando una partida</translation>
    </message>
    <message>
        <source>%1 is setting up the game...</source>
        <translation>%1 está preparando la partida...</translation>
    </message>
    <message>
        <source>%1 is setting up a game</source>
        <translation>%1 está preparando una partida</translation>
    </message>
    <message>
        <source> -- The game is now starting! --</source>
        <translation> -- ¡Empieza la partida! --</translation>
    </message>
    <message>
        <source>Wordlists: %1.</source>
        <translation>Listas de palabras: %1.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>The game is starting</source>
        <translation>La partida empieza</translation>
    </message>
    <message>
        <source>A new round is starting!</source>
        <translation>¡Empieza una nueva ronda!</translation>
    </message>
    <message>
        <source>A new artist has been selected to draw: %1</source>
        <translation>Se ha elegido a un nuevo artista para dibujar: %1</translation>
    </message>
    <message>
        <source>%1 is close to the word!</source>
        <translation>¡%1 está cerca de la palabra!</translation>
    </message>
    <message>
        <source>%1 has found the word!</source>
        <translation>¡%1 ha adivinado la palabra!</translation>
    </message>
    <message>
        <source>%1 has skipped the word: %2</source>
        <translation>%1 ha saltado la palabra: %2</translation>
    </message>
    <message>
        <source>The round is over! The word was: %1</source>
        <translation>¡Se acabó la ronda! La palabra era: %1</translation>
    </message>
    <message>
        <source>The game is over. Nobody scored, so there is no winner.</source>
        <translation>La partida ha terminado. Nadie ha puntuado, así que no hay ganador.</translation>
    </message>
    <message>
        <source>The game is over and the winner is %1 - well done!</source>
        <translation>La partida ha terminado y gana %1. ¡Bien hecho!</translation>
    </message>
    <message>
        <source>The game is over: %1 share first place - well done!</source>
        <translation>La partida ha terminado: %1 comparten el primer puesto. ¡Bien hecho!</translation>
    </message>
    <message>
        <source> and </source>
        <translation> y </translation>
    </message>
    <message>
        <source>Final standings:</source>
        <translation>Clasificación final:</translation>
    </message>
    <message numerus="yes">
        <source>%1. %2 - %n point(s)</source>
        <translation>
            <numerusform>%1. %2 – %n punto</numerusform>
            <numerusform>%1. %2 – %n puntos</numerusform>
        </translation>
    </message>
    <message>
        <source>The game is over: nobody scored</source>
        <translation>La partida ha terminado: nadie ha puntuado</translation>
    </message>
    <message>
        <source>%1 wins!</source>
        <translation>¡Gana %1!</translation>
    </message>
    <message>
        <source>%1 share first place</source>
        <translation>%1 comparten el primer puesto</translation>
    </message>
    <message>
        <source>Press Setup Game to start one.</source>
        <translation>Pulsa «Preparar la partida» para empezar una.</translation>
    </message>
    <message>
        <source>%1 may start one with Setup Game.</source>
        <translation>%1 puede empezar una con «Preparar la partida».</translation>
    </message>
    <message>
        <source>A player may start one.</source>
        <translation>Un jugador puede empezar una.</translation>
    </message>
    <message>
        <source>Nobody drew or found a word in that game, so no new game starts by itself. %1</source>
        <translation>Nadie ha dibujado ni adivinado ninguna palabra en esa partida, así que no empieza otra sola. %1</translation>
    </message>
    <message>
        <source>You are watching: you neither draw nor guess until you play again.</source>
        <translation>Estás mirando: no dibujas ni adivinas hasta que vuelvas a jugar.</translation>
    </message>
    <message>
        <source>You are playing again.</source>
        <translation>Vuelves a jugar.</translation>
    </message>
    <message>
        <source>a player who left</source>
        <translation>un jugador que se fue</translation>
    </message>
    <message>
        <source>Another game will be starting soon; please wait.</source>
        <translation>Pronto empezará otra partida; espera un momento.</translation>
    </message>
    <message>
        <source> - made by the Scrawlbox developers</source>
        <translation> – por los desarrolladores de Scrawlbox</translation>
    </message>
    <message>
        <source>    Type /help, /h or /? for a list of commands.</source>
        <translation>    Escribe /help, /h o /? para ver la lista de comandos.</translation>
    </message>
    <message>
        <source>Tip: you can use the right mouse button with any tool to quick-erase.</source>
        <translation>Consejo: con cualquier herramienta, el botón derecho del ratón borra rápidamente.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Conectando con %1...</translation>
    </message>
    <message>
        <source>Cannot connect to &quot;%1&quot;: %2.</source>
        <translation>No se puede conectar con «%1»: %2.</translation>
    </message>
    <message>
        <source>Connecting to server %1 ...</source>
        <translation>Conectando con el servidor %1...</translation>
    </message>
    <message>
        <source>Choose a nickname to make a room on %1</source>
        <translation>Elige un apodo para crear una sala en %1</translation>
    </message>
    <message>
        <source>Choose a nickname to join %1</source>
        <translation>Elige un apodo para entrar en %1</translation>
    </message>
    <message>
        <source>Cannot make a room on &quot;%1&quot;: %2.</source>
        <translation>No se puede crear una sala en «%1»: %2.</translation>
    </message>
    <message>
        <source>A new room needs a name of at most %1 characters.</source>
        <translation>Una sala nueva necesita un nombre de %1 caracteres como máximo.</translation>
    </message>
    <message>
        <source>Making the room &quot;%1&quot; on server %2 ...</source>
        <translation>Creando la sala «%1» en el servidor %2...</translation>
    </message>
    <message>
        <source>Connecting to server %1 on port %2 ..</source>
        <translation>Conectando con el servidor %1 en el puerto %2...</translation>
    </message>
    <message>
        <source>Connected to server. Logging in...</source>
        <translation>Conectado al servidor. Iniciando sesión...</translation>
    </message>
    <message>
        <source>Logging in...</source>
        <translation>Iniciando sesión...</translation>
    </message>
    <message>
        <source>Disconnected from server.</source>
        <translation>Desconectado del servidor.</translation>
    </message>
    <message>
        <source>There doesn&apos;t appear to be a Scrawlbox server running on the remote machine. If it is a valid Scrawlbox server, then please try again later.</source>
        <translation>No parece haber ningún servidor de Scrawlbox en esa máquina. Si es un servidor de Scrawlbox, inténtalo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>The specified server cannot be found. The server machine may be offline or the address is incorrect.</source>
        <translation>No se encuentra el servidor indicado. Puede que la máquina esté desconectada o que la dirección sea incorrecta.</translation>
    </message>
    <message>
        <source>Socket Error [%1] - %2.</source>
        <translation>Error de conexión [%1] – %2.</translation>
    </message>
    <message>
        <source>Press Setup Game to start a game</source>
        <translation>Pulsa «Preparar la partida» para empezar una partida</translation>
    </message>
    <message>
        <source>Waiting for %1 to start a game</source>
        <translation>Esperando a que %1 empiece una partida</translation>
    </message>
    <message>
        <source>Waiting for a game to start</source>
        <translation>Esperando a que empiece una partida</translation>
    </message>
    <message>
        <source>Waiting for the next round</source>
        <translation>Esperando a la siguiente ronda</translation>
    </message>
    <message>
        <source>Your turn to draw</source>
        <translation>Te toca dibujar</translation>
    </message>
    <message>
        <source>Your turn: draw %1</source>
        <translation>Te toca: dibuja %1</translation>
    </message>
    <message>
        <source>%1 is drawing</source>
        <translation>%1 está dibujando</translation>
    </message>
    <message>
        <source>Everyone found the word</source>
        <translation>Todos han adivinado la palabra</translation>
    </message>
    <message>
        <source>The word was: %1</source>
        <translation>La palabra era: %1</translation>
    </message>
    <message>
        <source>Cannot send, not connected to a server.</source>
        <translation>No se puede enviar: no estás conectado a ningún servidor.</translation>
    </message>
    <message>
        <source>You cannot send the same text more than 3 times in a row.</source>
        <translation>No puedes enviar el mismo texto más de 3 veces seguidas.</translation>
    </message>
    <message>
        <source>Please wait - getting user information...</source>
        <translation>Espera, obteniendo la información del jugador...</translation>
    </message>
    <message>
        <source>This room does not take votes to kick.</source>
        <translation>Esta sala no admite votaciones para expulsar.</translation>
    </message>
    <message>
        <source>This room does not take watchers.</source>
        <translation>Esta sala no admite espectadores.</translation>
    </message>
    <message>
        <source>You are not in a room.</source>
        <translation>No estás en ninguna sala.</translation>
    </message>
    <message>
        <source>This room does not count warnings of the artist.</source>
        <translation>Esta sala no cuenta los avisos al artista.</translation>
    </message>
    <message>
        <source>Your warning of the artist was sent.</source>
        <translation>Se ha enviado tu aviso al artista.</translation>
    </message>
    <message>
        <source>Choose a word to draw (%1 s)</source>
        <translation>Elige una palabra para dibujar (%1 s)</translation>
    </message>
    <message>
        <source>%1 is choosing a word (%2 s)</source>
        <translation>%1 está eligiendo una palabra (%2 s)</translation>
    </message>
    <message>
        <source>There was an error checking for an update - %1: %2.</source>
        <translation>Error al buscar actualizaciones – %1: %2.</translation>
    </message>
    <message>
        <source>New version available..</source>
        <translation>Nueva versión disponible</translation>
    </message>
    <message>
        <source>There is an updated Scrawlbox client available for download!
Would you like to be taken to the download page?</source>
        <translation>¡Hay una nueva versión de Scrawlbox para descargar!
¿Quieres abrir la página de descarga?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualización</translation>
    </message>
    <message>
        <source>You are already running the latest version of the client.</source>
        <translation>Ya usas la versión más reciente.</translation>
    </message>
    <message>
        <source>/connect &lt;server&gt;[:&lt;port&gt;] - Connect to &lt;server&gt;, on port 2020 unless given.</source>
        <translation>/connect &lt;servidor&gt;[:&lt;puerto&gt;] – Conectar con &lt;servidor&gt;, en el puerto 2020 si no se indica.</translation>
    </message>
    <message>
        <source>Syntax is /Connect &lt;server&gt;[:&lt;port&gt;].</source>
        <translation>Sintaxis: /Connect &lt;servidor&gt;[:&lt;puerto&gt;].</translation>
    </message>
    <message>
        <source>/create &lt;name&gt;          - Make a private room named &lt;name&gt; on this server, in this room&apos;s language.</source>
        <translation>/create &lt;nombre&gt;          – Crear una sala privada llamada &lt;nombre&gt; en este servidor, en el idioma de esta sala.</translation>
    </message>
    <message>
        <source>Syntax is /CREATE &lt;name&gt;: makes a private room named &lt;name&gt; on the server you are on, or were on last, in that room&apos;s language, and takes you there. File &gt; Create Room... offers more.</source>
        <translation>Sintaxis: /CREATE &lt;nombre&gt; crea una sala privada llamada &lt;nombre&gt; en el servidor en el que estás, o en el último en que estuviste, en el idioma de esa sala, y te lleva a ella. Archivo &gt; Crear sala... ofrece más opciones.</translation>
    </message>
    <message>
        <source>Connect to a server first: /create makes the room there.</source>
        <translation>Conéctate primero a un servidor: /create crea la sala allí.</translation>
    </message>
    <message>
        <source>/disconnect [reason] - Disconnect from server.</source>
        <translation>/disconnect [motivo] – Desconectarse del servidor.</translation>
    </message>
    <message>
        <source>You are already disconnected.</source>
        <translation>Ya estás desconectado.</translation>
    </message>
    <message>
        <source>/nick &lt;nickname&gt;     - Change your nickname to &lt;nickname&gt;.</source>
        <translation>/nick &lt;apodo&gt;     – Cambiar tu apodo a &lt;apodo&gt;.</translation>
    </message>
    <message>
        <source>Syntax is /NICK your_new_nickname. No spaces.</source>
        <translation>Sintaxis: /NICK tu_nuevo_apodo. Sin espacios.</translation>
    </message>
    <message>
        <source>Sorry, but you cannot use this nickname. Please choose another.</source>
        <translation>Lo sentimos, no puedes usar este apodo. Elige otro.</translation>
    </message>
    <message>
        <source>Your nickname has now been changed to %1.</source>
        <translation>Tu apodo ahora es %1.</translation>
    </message>
    <message>
        <source>/part [reason]           - Leave room, optionally with [reason].</source>
        <translation>/part [motivo]           – Salir de la sala, con un [motivo] opcional.</translation>
    </message>
    <message>
        <source>/me &lt;action&gt;           - &apos;perform&apos; an action.</source>
        <translation>/me &lt;acción&gt;           – «Realizar» una acción.</translation>
    </message>
    <message>
        <source>Syntax is /ME &lt;action&gt;.</source>
        <translation>Sintaxis: /ME &lt;acción&gt;.</translation>
    </message>
    <message>
        <source>/clear                        - Clear chat buffer.</source>
        <translation>/clear                        – Borrar el chat.</translation>
    </message>
    <message>
        <source>/quit                          - Quit Scrawlbox.</source>
        <translation>/quit                          – Salir de Scrawlbox.</translation>
    </message>
    <message>
        <source>Quitting (via CLI).</source>
        <translation>Saliendo (por comando).</translation>
    </message>
    <message>
        <source>/debug                      - Print debugging info.</source>
        <translation>/debug                      – Mostrar información de depuración.</translation>
    </message>
    <message>
        <source>/votekick &lt;nickname&gt; - Vote to kick &lt;nickname&gt; out of the room.</source>
        <translation>/votekick &lt;apodo&gt; – Votar para expulsar a &lt;apodo&gt; de la sala.</translation>
    </message>
    <message>
        <source>Syntax is /VOTEKICK &lt;nickname&gt;.</source>
        <translation>Sintaxis: /VOTEKICK &lt;apodo&gt;.</translation>
    </message>
    <message>
        <source>Nobody in this room is called %1.</source>
        <translation>Nadie se llama %1 en esta sala.</translation>
    </message>
    <message>
        <source>/warn                          - Warn the artist: most guessers warning skips the round.</source>
        <translation>/warn                          – Avisar al artista: si avisa la mayoría de los que adivinan, se salta la ronda.</translation>
    </message>
    <message>
        <source>There is no artist you can warn now.</source>
        <translation>Ahora no hay ningún artista al que avisar.</translation>
    </message>
    <message>
        <source>/watch                        - Watch the game instead of playing.</source>
        <translation>/watch                        – Mirar la partida en lugar de jugar.</translation>
    </message>
    <message>
        <source>/play                          - Play again after watching.</source>
        <translation>/play                          – Volver a jugar después de mirar.</translation>
    </message>
    <message>
        <source>Currently implemented commands:</source>
        <translation>Comandos disponibles:</translation>
    </message>
    <message>
        <source>Unknown command - type /help for command list.</source>
        <translation>Comando desconocido: escribe /help para ver la lista de comandos.</translation>
    </message>
    <message>
        <source>ADMIN</source>
        <translation>ADMIN</translation>
    </message>
    <message>
        <source>%1 is choosing a word to draw.</source>
        <translation>%1 está eligiendo una palabra para dibujar.</translation>
    </message>
</context>
<context>
    <name>directory</name>
    <message>
        <source>a room&apos;s code after the &quot;/&quot; holds only letters and digits</source>
        <translation>el código de una sala después de «/» solo lleva letras y cifras</translation>
    </message>
    <message>
        <source>no address was given</source>
        <translation>no se ha indicado ninguna dirección</translation>
    </message>
    <message>
        <source>the &quot;]&quot; after the address is missing</source>
        <translation>falta el «]» después de la dirección</translation>
    </message>
    <message>
        <source>only &quot;:&quot; and a port may follow the &quot;]&quot;</source>
        <translation>después del «]» solo pueden ir «:» y un puerto</translation>
    </message>
    <message>
        <source>the host is missing before the port</source>
        <translation>falta el host antes del puerto</translation>
    </message>
    <message>
        <source>the host may not hold blanks, &quot;/&quot; or brackets</source>
        <translation>el host no puede llevar espacios, «/» ni corchetes</translation>
    </message>
    <message>
        <source>the port is missing after the &quot;:&quot;</source>
        <translation>falta el puerto después de «:»</translation>
    </message>
</context>
<context>
    <name>page::PageCore</name>
    <message>
        <source>Not connected: practise here, or join with a nickname.</source>
        <translation>Sin conexión: practica aquí o entra con un apodo.</translation>
    </message>
</context>
<context>
    <name>protocol</name>
    <message>
        <source>The player you voted to kick is not in the room.</source>
        <translation>El jugador al que has votado para expulsar no está en la sala.</translation>
    </message>
    <message>
        <source>You cannot vote to kick yourself.</source>
        <translation>No puedes votar para expulsarte a ti mismo.</translation>
    </message>
    <message>
        <source>A vote to kick needs at least %1 players in the room.</source>
        <translation>Una votación para expulsar necesita al menos %1 jugadores en la sala.</translation>
    </message>
    <message>
        <source>Only players who were in the room when this round began may vote to kick.</source>
        <translation>Solo pueden votar para expulsar los jugadores que estaban en la sala al empezar esta ronda.</translation>
    </message>
    <message>
        <source>Only players who were in the room when the vote to kick %1 began may vote in it.</source>
        <translation>Solo pueden votar los jugadores que estaban en la sala cuando empezó la votación contra %1.</translation>
    </message>
    <message>
        <source>A vote from your address to kick %1 has already been counted.</source>
        <translation>Ya se ha contado un voto desde tu dirección para expulsar a %1.</translation>
    </message>
    <message>
        <source>%1 votes to kick %2 (%3 of %4 needed).</source>
        <translation>%1 vota para expulsar a %2 (%3 de %4 necesarios).</translation>
    </message>
    <message>
        <source>%1 warned the artist (%2 of %3 needed).</source>
        <translation>%1 ha avisado al artista (%2 de %3 necesarios).</translation>
    </message>
    <message>
        <source>Most players warned the artist; the round is skipped.</source>
        <translation>La mayoría de los jugadores ha avisado al artista; se salta la ronda.</translation>
    </message>
    <message>
        <source>Your line was not sent: while you watch, it may not name the word.</source>
        <translation>Tu mensaje no se ha enviado: mientras miras, no puedes decir la palabra.</translation>
    </message>
    <message>
        <source>Too few players are left, so the game stops.</source>
        <translation>Quedan muy pocos jugadores, así que la partida se detiene.</translation>
    </message>
    <message>
        <source>Artist has left the room; a new one will be selected.</source>
        <translation>El artista ha salido de la sala; se elegirá otro.</translation>
    </message>
    <message>
        <source>a player who left</source>
        <translation>un jugador que se fue</translation>
    </message>
    <message>
        <source>You will watch from the next round.</source>
        <translation>Mirarás a partir de la siguiente ronda.</translation>
    </message>
    <message>
        <source>You will play from the next round.</source>
        <translation>Jugarás a partir de la siguiente ronda.</translation>
    </message>
    <message>
        <source>No words could be read from the chosen word lists.</source>
        <translation>No se ha podido leer ninguna palabra de las listas elegidas.</translation>
    </message>
    <message>
        <source>The artist has given a hint! The word has %1 letters.</source>
        <translation>¡El artista ha dado una pista! La palabra tiene %1 letras.</translation>
    </message>
    <message>
        <source>Drawing flood</source>
        <translation>Demasiados trazos</translation>
    </message>
    <message>
        <source>Flooding</source>
        <translation>Demasiados mensajes</translation>
    </message>
    <message>
        <source>You are sending messages too quickly; please slow down.</source>
        <translation>Estás enviando mensajes demasiado rápido; ve más despacio.</translation>
    </message>
    <message>
        <source>Send queue exceeded</source>
        <translation>Cola de envío llena</translation>
    </message>
    <message>
        <source>The picture is too large to send; it will appear with the next round.</source>
        <translation>La imagen es demasiado grande para enviarla; aparecerá con la siguiente ronda.</translation>
    </message>
    <message>
        <source>Too many connections from your address.</source>
        <translation>Demasiadas conexiones desde tu dirección.</translation>
    </message>
    <message>
        <source>The room is full.</source>
        <translation>La sala está llena.</translation>
    </message>
    <message>
        <source>Made way for a newcomer</source>
        <translation>Dejó sitio a un recién llegado</translation>
    </message>
    <message>
        <source>Handshake timed out</source>
        <translation>Tiempo de conexión agotado</translation>
    </message>
    <message>
        <source>Login timed out</source>
        <translation>Tiempo de inicio de sesión agotado</translation>
    </message>
    <message>
        <source>Deny mode</source>
        <translation>Sala cerrada</translation>
    </message>
    <message>
        <source>Banned address</source>
        <translation>Dirección vetada</translation>
    </message>
    <message>
        <source>Voted out</source>
        <translation>Expulsado por votación</translation>
    </message>
    <message>
        <source>Wrong passwords: refused for a minute</source>
        <translation>Contraseñas incorrectas: rechazado durante un minuto</translation>
    </message>
    <message>
        <source>Wrong password</source>
        <translation>Contraseña incorrecta</translation>
    </message>
    <message>
        <source>This room needs a password.</source>
        <translation>Esta sala necesita contraseña.</translation>
    </message>
    <message>
        <source>Please choose a nickname (Edit, User Profile) before you join a room.</source>
        <translation>Elige un apodo (Editar, Perfil) antes de entrar en una sala.</translation>
    </message>
    <message>
        <source>The nickname &quot;%1&quot; is reserved; please choose another.</source>
        <translation>El apodo «%1» está reservado; elige otro.</translation>
    </message>
    <message>
        <source>The nickname &quot;%1&quot; is already used in this room; please choose another.</source>
        <translation>El apodo «%1» ya se usa en esta sala; elige otro.</translation>
    </message>
    <message>
        <source>Nickname refused: %1</source>
        <translation>Apodo rechazado: %1</translation>
    </message>
    <message>
        <source>The server has been shutdown.</source>
        <translation>El servidor se ha apagado.</translation>
    </message>
    <message>
        <source>Message too long</source>
        <translation>Mensaje demasiado largo</translation>
    </message>
    <message>
        <source>Ping timeout</source>
        <translation>Sin respuesta</translation>
    </message>
    <message>
        <source>This server holds one room and makes no others.</source>
        <translation>Este servidor tiene una sola sala y no crea otras.</translation>
    </message>
    <message>
        <source>The host is shutting down.</source>
        <translation>El servidor se está apagando.</translation>
    </message>
    <message>
        <source>This host has all the rooms it can hold; try again later.</source>
        <translation>Este servidor ya tiene todas las salas que admite; inténtalo más tarde.</translation>
    </message>
    <message>
        <source>You have made %1 rooms within the hour, as many as one address may; try again later.</source>
        <translation>Has creado %1 salas en la última hora, el máximo para una dirección; inténtalo más tarde.</translation>
    </message>
    <message>
        <source>No free code was found for the room; try again.</source>
        <translation>No se ha encontrado un código libre para la sala; inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>The host is full.</source>
        <translation>El servidor está lleno.</translation>
    </message>
    <message>
        <source>There is no room with that code here; it may have closed.</source>
        <translation>Aquí no hay ninguna sala con ese código; puede que se haya cerrado.</translation>
    </message>
    <message>
        <source>No room was made: %1</source>
        <translation>No se ha creado ninguna sala: %1</translation>
    </message>
    <message>
        <source>Has started the game..</source>
        <translation>Ha empezado la partida.</translation>
    </message>
    <message>
        <source>Has given a hint.</source>
        <translation>Ha dado una pista.</translation>
    </message>
    <message>
        <source>Has skipped the current word.</source>
        <translation>Ha saltado la palabra.</translation>
    </message>
    <message>
        <source>Connected; waiting for login info...</source>
        <translation>Conectado; esperando los datos de inicio de sesión...</translation>
    </message>
    <message>
        <source>Awaiting password...</source>
        <translation>Esperando la contraseña...</translation>
    </message>
    <message>
        <source>Awaiting UserList request...</source>
        <translation>Esperando la petición de la lista de jugadores...</translation>
    </message>
    <message>
        <source>The login sequence was successful.</source>
        <translation>Inicio de sesión correcto.</translation>
    </message>
    <message>
        <source>Has changed their profile information.</source>
        <translation>Ha cambiado su perfil.</translation>
    </message>
    <message>
        <source>Has changed nickname.</source>
        <translation>Ha cambiado de apodo.</translation>
    </message>
    <message>
        <source>Requested UserInfo for: %1</source>
        <translation>Ha pedido la información de: %1</translation>
    </message>
    <message>
        <source>Has kicked: %1</source>
        <translation>Ha expulsado: %1</translation>
    </message>
    <message>
        <source>The banned list is full.</source>
        <translation>La lista de vetados está llena.</translation>
    </message>
    <message>
        <source>This IP address is already in the banned list.</source>
        <translation>Esta dirección IP ya está en la lista de vetados.</translation>
    </message>
    <message>
        <source>Please set the Deny message...</source>
        <translation>Define primero el mensaje de rechazo...</translation>
    </message>
    <message>
        <source>Server has been placed in Deny mode. Clients will be given the message and then disconnected.</source>
        <translation>El servidor rechaza ahora a todos: los jugadores reciben el mensaje y se desconectan.</translation>
    </message>
    <message>
        <source>Deny mode cancelled, server is back in online mode.</source>
        <translation>Rechazo desactivado, el servidor vuelve a estar abierto.</translation>
    </message>
    <message>
        <source>Connected, sending details..</source>
        <translation>Conectado, enviando los datos...</translation>
    </message>
    <message>
        <source>Tracker Socket Error: [%1] - %2</source>
        <translation>Error del directorio de salas: [%1] – %2</translation>
    </message>
    <message>
        <source>Your server was submitted successfully to the public database.</source>
        <translation>Tu servidor se ha registrado en el directorio público.</translation>
    </message>
    <message>
        <source>Your server details have been updated in the public database.</source>
        <translation>Los datos de tu servidor se han actualizado en el directorio público.</translation>
    </message>
    <message>
        <source>Your server details have been removed from the server.</source>
        <translation>Tu servidor se ha quitado del directorio.</translation>
    </message>
    <message>
        <source>Your server was not found in the listings database.</source>
        <translation>Tu servidor no figura en el directorio.</translation>
    </message>
    <message>
        <source>It seems your client is out of date. Please download the new version.</source>
        <translation>Parece que tu versión está desfasada. Descarga la nueva versión.</translation>
    </message>
    <message>
        <source>Message from server..</source>
        <translation>Mensaje del directorio</translation>
    </message>
    <message>
        <source>Banned</source>
        <translation>Vetado</translation>
    </message>
    <message>
        <source>General failure: %1</source>
        <translation>Fallo general: %1</translation>
    </message>
    <message>
        <source>Server returned error: %1</source>
        <translation>El directorio ha devuelto un error: %1</translation>
    </message>
    <message>
        <source>Unknown status returned: %1</source>
        <translation>Respuesta desconocida: %1</translation>
    </message>
    <message>
        <source>You need to perform a Remove Server before shutting down the server.</source>
        <translation>Quita primero el servidor del directorio antes de apagarlo.</translation>
    </message>
    <message>
        <source>Error checking for update! Please check the logs!</source>
        <translation>¡Error al buscar actualizaciones! Consulta el registro.</translation>
    </message>
    <message>
        <source>New version available..</source>
        <translation>Nueva versión disponible</translation>
    </message>
    <message>
        <source>There is an updated Scrawlbox server available for download!
Would you like to be taken to the download page?</source>
        <translation>¡Hay una nueva versión del servidor de Scrawlbox para descargar!
¿Quieres abrir la página de descarga?</translation>
    </message>
    <message>
        <source>Check done. You are already running the latest version of the server.</source>
        <translation>Comprobado. Ya usas la versión más reciente del servidor.</translation>
    </message>
    <message>
        <source>Master Socket - %1</source>
        <translation>Socket principal – %1</translation>
    </message>
    <message>
        <source>Listening for connections..</source>
        <translation>Esperando conexiones...</translation>
    </message>
    <message>
        <source>Master socket ready and waiting for incoming connections on port %1 ..</source>
        <translation>Listo: el servidor espera conexiones en el puerto %1...</translation>
    </message>
    <message>
        <source>Server details and settings reloaded.</source>
        <translation>Datos y ajustes del servidor recargados.</translation>
    </message>
    <message>
        <source>Unknown User</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
</context>
<context>
    <name>server</name>
    <message>
        <source>by the server operator</source>
        <translation>por el operador del servidor</translation>
    </message>
    <message>
        <source>This room does not take votes to kick.</source>
        <translation>Esta sala no admite votaciones para expulsar.</translation>
    </message>
</context>
<context>
    <name>server::OperatorActions</name>
    <message>
        <source>by a vote of the players</source>
        <translation>por votación de los jugadores</translation>
    </message>
    <message>
        <source>Banned %2.</source>
        <translation>Expulsado permanentemente %2.</translation>
    </message>
    <message>
        <source>Banned %2: %3</source>
        <translation>Expulsado permanentemente %2: %3</translation>
    </message>
    <message>
        <source>Kicked %2.</source>
        <translation>Expulsado %2.</translation>
    </message>
    <message>
        <source>Kicked %2: %3</source>
        <translation>Expulsado %2: %3</translation>
    </message>
    <message>
        <source>%1 has been banned %2.</source>
        <translation>%1 ha sido expulsado permanentemente %2.</translation>
    </message>
    <message>
        <source>%1 has been banned %2: %3</source>
        <translation>%1 ha sido expulsado permanentemente %2: %3</translation>
    </message>
    <message>
        <source>%1 has been kicked %2.</source>
        <translation>%1 ha sido expulsado %2.</translation>
    </message>
    <message>
        <source>%1 has been kicked %2: %3</source>
        <translation>%1 ha sido expulsado %2: %3</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Not connected: practise here, or join a room with File &gt; Connect..</source>
        <translation>Sin conexión: practica aquí o entra en una sala con Archivo &gt; Conectar...</translation>
    </message>
    <message>
        <source>You have been banned from this room by the operator</source>
        <translation>El operador te ha vetado en esta sala</translation>
    </message>
    <message>
        <source>Kicked by a vote of the players.</source>
        <translation>Expulsado por votación de los jugadores.</translation>
    </message>
    <message>
        <source>Nobody found %1; %2 drew (%3).</source>
        <translation>Nadie ha adivinado %1; %2 dibujó (%3).</translation>
    </message>
    <message>
        <source>Nobody found %1.</source>
        <translation>Nadie ha adivinado %1.</translation>
    </message>
    <message>
        <source>The word was %1. Found by %2; %3 drew (%4).</source>
        <translation>La palabra era %1. La adivinaron %2; %3 dibujó (%4).</translation>
    </message>
    <message>
        <source>The word was %1. Found by %2.</source>
        <translation>La palabra era %1. La adivinaron %2.</translation>
    </message>
    <message>
        <source>Skip Word!</source>
        <translation>¡Saltar palabra!</translation>
    </message>
    <message>
        <source>Setup Game</source>
        <translation>Preparar la partida</translation>
    </message>
    <message>
        <source>Give Hint</source>
        <translation>Dar una pista</translation>
    </message>
    <message>
        <source>Warn Artist</source>
        <translation>Avisar al artista</translation>
    </message>
    <message>
        <source>Quitting</source>
        <translation>Saliendo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Se fue</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
</context>
</TS>
