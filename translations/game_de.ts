<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Game</name>
    <message>
        <source>The artist has given a second hint! The word starts with: %1</source>
        <translation>Der Zeichner hat einen zweiten Tipp gegeben! Das Wort beginnt mit: %1</translation>
    </message>
    <message>
        <source>The artist has given a third hint! The word starts with: %1</source>
        <translation>Der Zeichner hat einen dritten Tipp gegeben! Das Wort beginnt mit: %1</translation>
    </message>
    <message>
        <source>The artist has given a final hint! The word starts with: %1</source>
        <translation>Der Zeichner hat einen letzten Tipp gegeben! Das Wort beginnt mit: %1</translation>
    </message>
</context>
<context>
    <name>client::Session</name>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>This server holds one room and makes no others; you are in its room.</source>
        <translation>Dieser Server hat nur einen Raum und erstellt keine weiteren; du bist in diesem Raum.</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>You have been banned from this server. You are not permitted to join it.</source>
        <translation>Du wurdest von diesem Server gesperrt und darfst ihn nicht betreten.</translation>
    </message>
    <message>
        <source>Sorry, but you are using an old version of the Scrawlbox client. You will need to download the newest version from %1 before you can join this server.</source>
        <translation>Du verwendest leider eine alte Version von Scrawlbox. Lade die neueste Version von %1 herunter, um diesen Server zu betreten.</translation>
    </message>
    <message>
        <source>Requesting userlist...</source>
        <translation>Spielerliste wird angefordert …</translation>
    </message>
    <message>
        <source>You are alone in this room; feel free to practise drawing. Your drawing actions will not be sent to the server. But anything you type will - use it as a rough indication of your ping.</source>
        <translation>Du bist allein in diesem Raum; übe ruhig das Zeichnen. Deine Zeichnungen werden nicht an den Server gesendet, alles, was du schreibst, aber schon – so siehst du ungefähr deinen Ping.</translation>
    </message>
    <message>
        <source>Waiting for a second player</source>
        <translation>Warte auf einen zweiten Spieler</translation>
    </message>
    <message>
        <source>MOTD - %1</source>
        <translation>Nachricht des Tages – %1</translation>
    </message>
    <message>
        <source>** %1 has joined the room!</source>
        <translation>** %1 hat den Raum betreten!</translation>
    </message>
    <message>
        <source>%1 has left (%2).</source>
        <translation>%1 ist gegangen (%2).</translation>
    </message>
    <message>
        <source>%1 has been made into an admin.</source>
        <translation>%1 ist jetzt Admin.</translation>
    </message>
    <message>
        <source>%1 has kicked %2: %3</source>
        <translation>%1 hat %2 rausgeworfen: %3</translation>
    </message>
    <message>
        <source> ** %1 is now known as %2.</source>
        <translation> ** %1 heißt jetzt %2.</translation>
    </message>
    <message>
        <source>No room was made on %1.</source>
        <translation>Auf %1 wurde kein Raum erstellt.</translation>
    </message>
    <message>
        <source>The server made the room but named it with a code this client cannot use; you are in it, but it is not kept in Recent.</source>
        <translation>Der Server hat den Raum erstellt, aber mit einem Code, den dieses Programm nicht verwenden kann; du bist im Raum, er wird aber nicht unter „Zuletzt besucht“ gespeichert.</translation>
    </message>
    <message>
        <source>Your room &quot;%1&quot; is made; its code is %2. Invite friends with a link:</source>
        <translation>Dein Raum „%1“ ist erstellt; sein Code ist %2. Lade Freunde mit einem Link ein:</translation>
    </message>
    <message>
        <source>  In a browser: %1</source>
        <translation>  Im Browser: %1</translation>
    </message>
    <message>
        <source>  In Scrawlbox: %1</source>
        <translation>  In Scrawlbox: %1</translation>
    </message>
    <message>
        <source>Choose another nickname to join %1</source>
        <translation>Wähle einen anderen Nicknamen, um %1 zu betreten</translation>
    </message>
    <message>
        <source>You have been kicked from the room by a vote of the players.</source>
        <translation>Du wurdest durch Abstimmung der Spieler aus dem Raum geworfen.</translation>
    </message>
    <message>
        <source>You have been kicked from the server by the operator for the following reason: %1</source>
        <translation>Der Betreiber hat dich aus folgendem Grund vom Server geworfen: %1</translation>
    </message>
    <message>
        <source>ADMINISTRATOR</source>
        <translation>ADMINISTRATOR</translation>
    </message>
    <message>
        <source>Server has quit: %1.</source>
        <translation>Der Server wurde beendet: %1.</translation>
    </message>
    <message>
        <source>Somebody is setting up the game...</source>
        <translation>Jemand richtet das Spiel ein …</translation>
    </message>
    <message>
        <source>Somebody is setting up a game</source>
        <translation>Jemand richtet ein Spiel ein</translation>
    </message>
    <message>
        <source>%1 is setting up the game...</source>
        <translation>%1 richtet das Spiel ein …</translation>
    </message>
    <message>
        <source>%1 is setting up a game</source>
        <translation>%1 richtet ein Spiel ein</translation>
    </message>
    <message>
        <source> -- The game is now starting! --</source>
        <translation> -- Das Spiel beginnt! --</translation>
    </message>
    <message>
        <source>Wordlists: %1.</source>
        <translation>Wortlisten: %1.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>The game is starting</source>
        <translation>Das Spiel beginnt</translation>
    </message>
    <message>
        <source>A new round is starting!</source>
        <translation>Eine neue Runde beginnt!</translation>
    </message>
    <message>
        <source>A new artist has been selected to draw: %1</source>
        <translation>Ein neuer Zeichner wurde gewählt: %1</translation>
    </message>
    <message>
        <source>%1 is close to the word!</source>
        <translation>%1 ist nah dran!</translation>
    </message>
    <message>
        <source>%1 has found the word!</source>
        <translation>%1 hat das Wort gefunden!</translation>
    </message>
    <message>
        <source>%1 has skipped the word: %2</source>
        <translation>%1 hat das Wort übersprungen: %2</translation>
    </message>
    <message>
        <source>The round is over! The word was: %1</source>
        <translation>Die Runde ist vorbei! Das Wort war: %1</translation>
    </message>
    <message>
        <source>The game is over. Nobody scored, so there is no winner.</source>
        <translation>Das Spiel ist vorbei. Niemand hat Punkte gemacht, also gibt es keinen Sieger.</translation>
    </message>
    <message>
        <source>The game is over and the winner is %1 - well done!</source>
        <translation>Das Spiel ist vorbei, und %1 hat gewonnen – gut gemacht!</translation>
    </message>
    <message>
        <source>The game is over: %1 share first place - well done!</source>
        <translation>Das Spiel ist vorbei: %1 teilen sich den ersten Platz – gut gemacht!</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Final standings:</source>
        <translation>Endstand:</translation>
    </message>
    <message numerus="yes">
        <source>%1. %2 - %n point(s)</source>
        <translation>
            <numerusform>%1. %2 – %n Punkt</numerusform>
            <numerusform>%1. %2 – %n Punkte</numerusform>
        </translation>
    </message>
    <message>
        <source>The game is over: nobody scored</source>
        <translation>Das Spiel ist vorbei: niemand hat Punkte</translation>
    </message>
    <message>
        <source>%1 wins!</source>
        <translation>%1 gewinnt!</translation>
    </message>
    <message>
        <source>%1 share first place</source>
        <translation>%1 teilen sich den ersten Platz</translation>
    </message>
    <message>
        <source>Press Setup Game to start one.</source>
        <translation>Klicke auf „Spiel einrichten“, um eines zu starten.</translation>
    </message>
    <message>
        <source>%1 may start one with Setup Game.</source>
        <translation>%1 kann mit „Spiel einrichten“ eines starten.</translation>
    </message>
    <message>
        <source>A player may start one.</source>
        <translation>Ein Spieler kann eines starten.</translation>
    </message>
    <message>
        <source>Nobody drew or found a word in that game, so no new game starts by itself. %1</source>
        <translation>In diesem Spiel hat niemand gezeichnet oder ein Wort gefunden, daher startet kein neues Spiel von selbst. %1</translation>
    </message>
    <message>
        <source>You are watching: you neither draw nor guess until you play again.</source>
        <translation>Du schaust zu: Du zeichnest und rätst nicht, bis du wieder mitspielst.</translation>
    </message>
    <message>
        <source>You are playing again.</source>
        <translation>Du spielst wieder mit.</translation>
    </message>
    <message>
        <source>a player who left</source>
        <translation>ein Spieler, der gegangen ist</translation>
    </message>
    <message>
        <source>Another game will be starting soon; please wait.</source>
        <translation>Gleich beginnt ein neues Spiel; bitte warte.</translation>
    </message>
    <message>
        <source> - made by the Scrawlbox developers</source>
        <translation> – von den Scrawlbox-Entwicklern</translation>
    </message>
    <message>
        <source>    Type /help, /h or /? for a list of commands.</source>
        <translation>    Gib /help, /h oder /? ein, um die Befehle zu sehen.</translation>
    </message>
    <message>
        <source>Tip: you can use the right mouse button with any tool to quick-erase.</source>
        <translation>Tipp: Mit der rechten Maustaste radierst du mit jedem Werkzeug schnell.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbinde mit %1 …</translation>
    </message>
    <message>
        <source>Cannot connect to &quot;%1&quot;: %2.</source>
        <translation>Keine Verbindung zu „%1“ möglich: %2.</translation>
    </message>
    <message>
        <source>Connecting to server %1 ...</source>
        <translation>Verbinde mit Server %1 …</translation>
    </message>
    <message>
        <source>Choose a nickname to make a room on %1</source>
        <translation>Wähle einen Nicknamen, um auf %1 einen Raum zu erstellen</translation>
    </message>
    <message>
        <source>Choose a nickname to join %1</source>
        <translation>Wähle einen Nicknamen, um %1 zu betreten</translation>
    </message>
    <message>
        <source>Cannot make a room on &quot;%1&quot;: %2.</source>
        <translation>Auf „%1“ kann kein Raum erstellt werden: %2.</translation>
    </message>
    <message>
        <source>A new room needs a name of at most %1 characters.</source>
        <translation>Ein neuer Raum braucht einen Namen mit höchstens %1 Zeichen.</translation>
    </message>
    <message>
        <source>Making the room &quot;%1&quot; on server %2 ...</source>
        <translation>Raum „%1“ wird auf Server %2 erstellt …</translation>
    </message>
    <message>
        <source>Connecting to server %1 on port %2 ..</source>
        <translation>Verbinde mit Server %1 auf Port %2 …</translation>
    </message>
    <message>
        <source>Connected to server. Logging in...</source>
        <translation>Mit dem Server verbunden. Anmeldung …</translation>
    </message>
    <message>
        <source>Logging in...</source>
        <translation>Anmeldung …</translation>
    </message>
    <message>
        <source>Disconnected from server.</source>
        <translation>Vom Server getrennt.</translation>
    </message>
    <message>
        <source>There doesn&apos;t appear to be a Scrawlbox server running on the remote machine. If it is a valid Scrawlbox server, then please try again later.</source>
        <translation>Auf diesem Rechner scheint kein Scrawlbox-Server zu laufen. Wenn es ein Scrawlbox-Server ist, versuche es später noch einmal.</translation>
    </message>
    <message>
        <source>The specified server cannot be found. The server machine may be offline or the address is incorrect.</source>
        <translation>Der angegebene Server wurde nicht gefunden. Der Rechner ist vielleicht offline oder die Adresse ist falsch.</translation>
    </message>
    <message>
        <source>Socket Error [%1] - %2.</source>
        <translation>Verbindungsfehler [%1] – %2.</translation>
    </message>
    <message>
        <source>Press Setup Game to start a game</source>
        <translation>Klicke auf „Spiel einrichten“, um ein Spiel zu starten</translation>
    </message>
    <message>
        <source>Waiting for %1 to start a game</source>
        <translation>Warte darauf, dass %1 ein Spiel startet</translation>
    </message>
    <message>
        <source>Waiting for a game to start</source>
        <translation>Warte auf den Beginn eines Spiels</translation>
    </message>
    <message>
        <source>Waiting for the next round</source>
        <translation>Warte auf die nächste Runde</translation>
    </message>
    <message>
        <source>Your turn to draw</source>
        <translation>Du bist mit Zeichnen dran</translation>
    </message>
    <message>
        <source>Your turn: draw %1</source>
        <translation>Du bist dran: Zeichne %1</translation>
    </message>
    <message>
        <source>%1 is drawing</source>
        <translation>%1 zeichnet</translation>
    </message>
    <message>
        <source>Everyone found the word</source>
        <translation>Alle haben das Wort gefunden</translation>
    </message>
    <message>
        <source>The word was: %1</source>
        <translation>Das Wort war: %1</translation>
    </message>
    <message>
        <source>Cannot send, not connected to a server.</source>
        <translation>Senden nicht möglich: keine Verbindung zu einem Server.</translation>
    </message>
    <message>
        <source>You cannot send the same text more than 3 times in a row.</source>
        <translation>Du kannst denselben Text nicht öfter als 3-mal hintereinander senden.</translation>
    </message>
    <message>
        <source>Please wait - getting user information...</source>
        <translation>Bitte warten – Spielerinfos werden geholt …</translation>
    </message>
    <message>
        <source>This room does not take votes to kick.</source>
        <translation>In diesem Raum gibt es keine Abstimmungen zum Rauswerfen.</translation>
    </message>
    <message>
        <source>This room does not take watchers.</source>
        <translation>In diesem Raum kann man nicht zuschauen.</translation>
    </message>
    <message>
        <source>You are not in a room.</source>
        <translation>Du bist in keinem Raum.</translation>
    </message>
    <message>
        <source>This room does not count warnings of the artist.</source>
        <translation>Dieser Raum zählt keine Warnungen an den Zeichner.</translation>
    </message>
    <message>
        <source>Your warning of the artist was sent.</source>
        <translation>Deine Warnung an den Zeichner wurde gesendet.</translation>
    </message>
    <message>
        <source>Choose a word to draw (%1 s)</source>
        <translation>Wähle ein Wort zum Zeichnen (%1 s)</translation>
    </message>
    <message>
        <source>%1 is choosing a word (%2 s)</source>
        <translation>%1 wählt ein Wort (%2 s)</translation>
    </message>
    <message>
        <source>There was an error checking for an update - %1: %2.</source>
        <translation>Bei der Suche nach Updates ist ein Fehler aufgetreten – %1: %2.</translation>
    </message>
    <message>
        <source>New version available..</source>
        <translation>Neue Version verfügbar</translation>
    </message>
    <message>
        <source>There is an updated Scrawlbox client available for download!
Would you like to be taken to the download page?</source>
        <translation>Eine neue Version von Scrawlbox steht zum Herunterladen bereit!
Möchtest du die Download-Seite öffnen?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>You are already running the latest version of the client.</source>
        <translation>Du verwendest bereits die neueste Version.</translation>
    </message>
    <message>
        <source>/connect &lt;server&gt;[:&lt;port&gt;] - Connect to &lt;server&gt;, on port 2020 unless given.</source>
        <translation>/connect &lt;Server&gt;[:&lt;Port&gt;] – Mit &lt;Server&gt; verbinden, ohne Angabe auf Port 2020.</translation>
    </message>
    <message>
        <source>Syntax is /Connect &lt;server&gt;[:&lt;port&gt;].</source>
        <translation>Syntax: /Connect &lt;Server&gt;[:&lt;Port&gt;].</translation>
    </message>
    <message>
        <source>/create &lt;name&gt;          - Make a private room named &lt;name&gt; on this server, in this room&apos;s language.</source>
        <translation>/create &lt;Name&gt;          – Einen privaten Raum &lt;Name&gt; auf diesem Server erstellen, in der Sprache dieses Raums.</translation>
    </message>
    <message>
        <source>Syntax is /CREATE &lt;name&gt;: makes a private room named &lt;name&gt; on the server you are on, or were on last, in that room&apos;s language, and takes you there. File &gt; Create Room... offers more.</source>
        <translation>Syntax: /CREATE &lt;Name&gt; erstellt einen privaten Raum &lt;Name&gt; auf dem Server, auf dem du bist oder zuletzt warst, in der Sprache dieses Raums, und bringt dich hinein. Datei &gt; Raum erstellen … bietet mehr.</translation>
    </message>
    <message>
        <source>Connect to a server first: /create makes the room there.</source>
        <translation>Verbinde dich zuerst mit einem Server: /create erstellt den Raum dort.</translation>
    </message>
    <message>
        <source>/disconnect [reason] - Disconnect from server.</source>
        <translation>/disconnect [Grund] – Vom Server trennen.</translation>
    </message>
    <message>
        <source>You are already disconnected.</source>
        <translation>Du bist bereits getrennt.</translation>
    </message>
    <message>
        <source>/nick &lt;nickname&gt;     - Change your nickname to &lt;nickname&gt;.</source>
        <translation>/nick &lt;Nickname&gt;     – Deinen Nicknamen in &lt;Nickname&gt; ändern.</translation>
    </message>
    <message>
        <source>Syntax is /NICK your_new_nickname. No spaces.</source>
        <translation>Syntax: /NICK dein_neuer_Nickname. Ohne Leerzeichen.</translation>
    </message>
    <message>
        <source>Sorry, but you cannot use this nickname. Please choose another.</source>
        <translation>Diesen Nicknamen kannst du leider nicht verwenden. Bitte wähle einen anderen.</translation>
    </message>
    <message>
        <source>Your nickname has now been changed to %1.</source>
        <translation>Dein Nickname lautet jetzt %1.</translation>
    </message>
    <message>
        <source>/part [reason]           - Leave room, optionally with [reason].</source>
        <translation>/part [Grund]           – Den Raum verlassen, wahlweise mit [Grund].</translation>
    </message>
    <message>
        <source>/me &lt;action&gt;           - &apos;perform&apos; an action.</source>
        <translation>/me &lt;Aktion&gt;           – Eine Aktion „ausführen“.</translation>
    </message>
    <message>
        <source>Syntax is /ME &lt;action&gt;.</source>
        <translation>Syntax: /ME &lt;Aktion&gt;.</translation>
    </message>
    <message>
        <source>/clear                        - Clear chat buffer.</source>
        <translation>/clear                        – Den Chat leeren.</translation>
    </message>
    <message>
        <source>/quit                          - Quit Scrawlbox.</source>
        <translation>/quit                          – Scrawlbox beenden.</translation>
    </message>
    <message>
        <source>Quitting (via CLI).</source>
        <translation>Verlässt den Raum (per Befehl).</translation>
    </message>
    <message>
        <source>/debug                      - Print debugging info.</source>
        <translation>/debug                      – Debug-Informationen anzeigen.</translation>
    </message>
    <message>
        <source>/votekick &lt;nickname&gt; - Vote to kick &lt;nickname&gt; out of the room.</source>
        <translation>/votekick &lt;Nickname&gt; – Dafür stimmen, &lt;Nickname&gt; aus dem Raum zu werfen.</translation>
    </message>
    <message>
        <source>Syntax is /VOTEKICK &lt;nickname&gt;.</source>
        <translation>Syntax: /VOTEKICK &lt;Nickname&gt;.</translation>
    </message>
    <message>
        <source>Nobody in this room is called %1.</source>
        <translation>Niemand in diesem Raum heißt %1.</translation>
    </message>
    <message>
        <source>/warn                          - Warn the artist: most guessers warning skips the round.</source>
        <translation>/warn                          – Den Zeichner warnen: Warnt die Mehrheit der Rater, wird die Runde übersprungen.</translation>
    </message>
    <message>
        <source>There is no artist you can warn now.</source>
        <translation>Gerade gibt es keinen Zeichner, den du warnen kannst.</translation>
    </message>
    <message>
        <source>/watch                        - Watch the game instead of playing.</source>
        <translation>/watch                        – Zuschauen statt mitspielen.</translation>
    </message>
    <message>
        <source>/play                          - Play again after watching.</source>
        <translation>/play                          – Nach dem Zuschauen wieder mitspielen.</translation>
    </message>
    <message>
        <source>Currently implemented commands:</source>
        <translation>Verfügbare Befehle:</translation>
    </message>
    <message>
        <source>Unknown command - type /help for command list.</source>
        <translation>Unbekannter Befehl – gib /help ein, um die Befehle zu sehen.</translation>
    </message>
    <message>
        <source>ADMIN</source>
        <translation>ADMIN</translation>
    </message>
    <message>
        <source>%1 is choosing a word to draw.</source>
        <translation>%1 wählt ein Wort zum Zeichnen.</translation>
    </message>
</context>
<context>
    <name>directory</name>
    <message>
        <source>a room&apos;s code after the &quot;/&quot; holds only letters and digits</source>
        <translation>der Code eines Raums nach dem „/“ besteht nur aus Buchstaben und Ziffern</translation>
    </message>
    <message>
        <source>no address was given</source>
        <translation>es wurde keine Adresse angegeben</translation>
    </message>
    <message>
        <source>the &quot;]&quot; after the address is missing</source>
        <translation>das „]“ nach der Adresse fehlt</translation>
    </message>
    <message>
        <source>only &quot;:&quot; and a port may follow the &quot;]&quot;</source>
        <translation>nach dem „]“ dürfen nur „:“ und ein Port folgen</translation>
    </message>
    <message>
        <source>the host is missing before the port</source>
        <translation>vor dem Port fehlt der Rechner</translation>
    </message>
    <message>
        <source>the host may not hold blanks, &quot;/&quot; or brackets</source>
        <translation>der Rechnername darf keine Leerzeichen, „/“ oder Klammern enthalten</translation>
    </message>
    <message>
        <source>the port is missing after the &quot;:&quot;</source>
        <translation>nach dem „:“ fehlt der Port</translation>
    </message>
</context>
<context>
    <name>page::PageCore</name>
    <message>
        <source>Not connected: practise here, or join with a nickname.</source>
        <translation>Nicht verbunden: Übe hier oder spiel mit einem Nicknamen mit.</translation>
    </message>
</context>
<context>
    <name>protocol</name>
    <message>
        <source>The player you voted to kick is not in the room.</source>
        <translation>Der Spieler, für dessen Rauswurf du gestimmt hast, ist nicht im Raum.</translation>
    </message>
    <message>
        <source>You cannot vote to kick yourself.</source>
        <translation>Du kannst nicht für deinen eigenen Rauswurf stimmen.</translation>
    </message>
    <message>
        <source>A vote to kick needs at least %1 players in the room.</source>
        <translation>Eine Abstimmung zum Rauswerfen braucht mindestens %1 Spieler im Raum.</translation>
    </message>
    <message>
        <source>Only players who were in the room when this round began may vote to kick.</source>
        <translation>Nur Spieler, die zu Beginn dieser Runde im Raum waren, dürfen für einen Rauswurf stimmen.</translation>
    </message>
    <message>
        <source>Only players who were in the room when the vote to kick %1 began may vote in it.</source>
        <translation>Nur Spieler, die zu Beginn der Abstimmung über %1 im Raum waren, dürfen mitstimmen.</translation>
    </message>
    <message>
        <source>A vote from your address to kick %1 has already been counted.</source>
        <translation>Eine Stimme von deiner Adresse gegen %1 wurde bereits gezählt.</translation>
    </message>
    <message>
        <source>%1 votes to kick %2 (%3 of %4 needed).</source>
        <translation>%1 stimmt für den Rauswurf von %2 (%3 von %4 nötigen Stimmen).</translation>
    </message>
    <message>
        <source>%1 warned the artist (%2 of %3 needed).</source>
        <translation>%1 hat den Zeichner gewarnt (%2 von %3 nötigen).</translation>
    </message>
    <message>
        <source>Most players warned the artist; the round is skipped.</source>
        <translation>Die meisten Spieler haben den Zeichner gewarnt; die Runde wird übersprungen.</translation>
    </message>
    <message>
        <source>Your line was not sent: while you watch, it may not name the word.</source>
        <translation>Deine Zeile wurde nicht gesendet: Wer zuschaut, darf das Wort nicht nennen.</translation>
    </message>
    <message>
        <source>Too few players are left, so the game stops.</source>
        <translation>Es sind zu wenige Spieler übrig, daher endet das Spiel.</translation>
    </message>
    <message>
        <source>Artist has left the room; a new one will be selected.</source>
        <translation>Der Zeichner hat den Raum verlassen; ein neuer wird gewählt.</translation>
    </message>
    <message>
        <source>a player who left</source>
        <translation>ein Spieler, der gegangen ist</translation>
    </message>
    <message>
        <source>You will watch from the next round.</source>
        <translation>Ab der nächsten Runde schaust du zu.</translation>
    </message>
    <message>
        <source>You will play from the next round.</source>
        <translation>Ab der nächsten Runde spielst du mit.</translation>
    </message>
    <message>
        <source>No words could be read from the chosen word lists.</source>
        <translation>Aus den gewählten Wortlisten konnten keine Wörter gelesen werden.</translation>
    </message>
    <message>
        <source>The artist has given a hint! The word has %1 letters.</source>
        <translation>Der Zeichner hat einen Tipp gegeben! Das Wort hat %1 Buchstaben.</translation>
    </message>
    <message>
        <source>Drawing flood</source>
        <translation>Zu viele Zeichenbefehle</translation>
    </message>
    <message>
        <source>Flooding</source>
        <translation>Zu viele Nachrichten</translation>
    </message>
    <message>
        <source>You are sending messages too quickly; please slow down.</source>
        <translation>Du sendest Nachrichten zu schnell; bitte langsamer.</translation>
    </message>
    <message>
        <source>Send queue exceeded</source>
        <translation>Sendepuffer voll</translation>
    </message>
    <message>
        <source>The picture is too large to send; it will appear with the next round.</source>
        <translation>Das Bild ist zu groß zum Senden; es erscheint mit der nächsten Runde.</translation>
    </message>
    <message>
        <source>Too many connections from your address.</source>
        <translation>Zu viele Verbindungen von deiner Adresse.</translation>
    </message>
    <message>
        <source>The room is full.</source>
        <translation>Der Raum ist voll.</translation>
    </message>
    <message>
        <source>Made way for a newcomer</source>
        <translation>Platz für einen Neuen gemacht</translation>
    </message>
    <message>
        <source>Handshake timed out</source>
        <translation>Zeitüberschreitung beim Verbindungsaufbau</translation>
    </message>
    <message>
        <source>Login timed out</source>
        <translation>Zeitüberschreitung bei der Anmeldung</translation>
    </message>
    <message>
        <source>Deny mode</source>
        <translation>Raum gesperrt</translation>
    </message>
    <message>
        <source>Banned address</source>
        <translation>Gesperrte Adresse</translation>
    </message>
    <message>
        <source>Voted out</source>
        <translation>Hinausgewählt</translation>
    </message>
    <message>
        <source>Wrong passwords: refused for a minute</source>
        <translation>Falsche Passwörter: für eine Minute abgewiesen</translation>
    </message>
    <message>
        <source>Wrong password</source>
        <translation>Falsches Passwort</translation>
    </message>
    <message>
        <source>This room needs a password.</source>
        <translation>Dieser Raum braucht ein Passwort.</translation>
    </message>
    <message>
        <source>Please choose a nickname (Edit, User Profile) before you join a room.</source>
        <translation>Bitte wähle einen Nicknamen (Bearbeiten, Profil), bevor du einen Raum betrittst.</translation>
    </message>
    <message>
        <source>The nickname &quot;%1&quot; is reserved; please choose another.</source>
        <translation>Der Nickname „%1“ ist reserviert; bitte wähle einen anderen.</translation>
    </message>
    <message>
        <source>The nickname &quot;%1&quot; is already used in this room; please choose another.</source>
        <translation>Der Nickname „%1“ wird in diesem Raum schon verwendet; bitte wähle einen anderen.</translation>
    </message>
    <message>
        <source>Nickname refused: %1</source>
        <translation>Nickname abgelehnt: %1</translation>
    </message>
    <message>
        <source>The server has been shutdown.</source>
        <translation>Der Server wurde heruntergefahren.</translation>
    </message>
    <message>
        <source>Message too long</source>
        <translation>Nachricht zu lang</translation>
    </message>
    <message>
        <source>Ping timeout</source>
        <translation>Keine Antwort mehr</translation>
    </message>
    <message>
        <source>This server holds one room and makes no others.</source>
        <translation>Dieser Server hat nur einen Raum und erstellt keine weiteren.</translation>
    </message>
    <message>
        <source>The host is shutting down.</source>
        <translation>Der Server wird heruntergefahren.</translation>
    </message>
    <message>
        <source>This host has all the rooms it can hold; try again later.</source>
        <translation>Dieser Server hat so viele Räume, wie er halten kann; versuche es später noch einmal.</translation>
    </message>
    <message>
        <source>You have made %1 rooms within the hour, as many as one address may; try again later.</source>
        <translation>Du hast in der letzten Stunde %1 Räume erstellt, so viele wie eine Adresse darf; versuche es später noch einmal.</translation>
    </message>
    <message>
        <source>No free code was found for the room; try again.</source>
        <translation>Für den Raum wurde kein freier Code gefunden; versuche es noch einmal.</translation>
    </message>
    <message>
        <source>The host is full.</source>
        <translation>Der Server ist voll.</translation>
    </message>
    <message>
        <source>There is no room with that code here; it may have closed.</source>
        <translation>Hier gibt es keinen Raum mit diesem Code; vielleicht wurde er geschlossen.</translation>
    </message>
    <message>
        <source>No room was made: %1</source>
        <translation>Es wurde kein Raum erstellt: %1</translation>
    </message>
    <message>
        <source>Has started the game..</source>
        <translation>Hat das Spiel gestartet.</translation>
    </message>
    <message>
        <source>Has given a hint.</source>
        <translation>Hat einen Tipp gegeben.</translation>
    </message>
    <message>
        <source>Has skipped the current word.</source>
        <translation>Hat das Wort übersprungen.</translation>
    </message>
    <message>
        <source>Connected; waiting for login info...</source>
        <translation>Verbunden; warte auf Anmeldedaten …</translation>
    </message>
    <message>
        <source>Awaiting password...</source>
        <translation>Warte auf das Passwort …</translation>
    </message>
    <message>
        <source>Awaiting UserList request...</source>
        <translation>Warte auf die Anfrage der Spielerliste …</translation>
    </message>
    <message>
        <source>The login sequence was successful.</source>
        <translation>Anmeldung erfolgreich.</translation>
    </message>
    <message>
        <source>Has changed their profile information.</source>
        <translation>Hat das Profil geändert.</translation>
    </message>
    <message>
        <source>Has changed nickname.</source>
        <translation>Hat den Nicknamen geändert.</translation>
    </message>
    <message>
        <source>Requested UserInfo for: %1</source>
        <translation>Hat Spielerinfos angefordert für: %1</translation>
    </message>
    <message>
        <source>Has kicked: %1</source>
        <translation>Hat rausgeworfen: %1</translation>
    </message>
    <message>
        <source>The banned list is full.</source>
        <translation>Die Sperrliste ist voll.</translation>
    </message>
    <message>
        <source>This IP address is already in the banned list.</source>
        <translation>Diese IP-Adresse steht schon auf der Sperrliste.</translation>
    </message>
    <message>
        <source>Please set the Deny message...</source>
        <translation>Lege bitte zuerst die Abweisungsnachricht fest …</translation>
    </message>
    <message>
        <source>Server has been placed in Deny mode. Clients will be given the message and then disconnected.</source>
        <translation>Der Server weist jetzt alle ab: Spieler bekommen die Nachricht und werden getrennt.</translation>
    </message>
    <message>
        <source>Deny mode cancelled, server is back in online mode.</source>
        <translation>Abweisen beendet, der Server ist wieder offen.</translation>
    </message>
    <message>
        <source>Connected, sending details..</source>
        <translation>Verbunden, Angaben werden gesendet …</translation>
    </message>
    <message>
        <source>Tracker Socket Error: [%1] - %2</source>
        <translation>Fehler beim Raumverzeichnis: [%1] – %2</translation>
    </message>
    <message>
        <source>Your server was submitted successfully to the public database.</source>
        <translation>Dein Server wurde im öffentlichen Verzeichnis eingetragen.</translation>
    </message>
    <message>
        <source>Your server details have been updated in the public database.</source>
        <translation>Die Angaben deines Servers wurden im öffentlichen Verzeichnis aktualisiert.</translation>
    </message>
    <message>
        <source>Your server details have been removed from the server.</source>
        <translation>Dein Server wurde aus dem Verzeichnis entfernt.</translation>
    </message>
    <message>
        <source>Your server was not found in the listings database.</source>
        <translation>Dein Server steht nicht im Verzeichnis.</translation>
    </message>
    <message>
        <source>It seems your client is out of date. Please download the new version.</source>
        <translation>Deine Version scheint veraltet zu sein. Bitte lade die neue Version herunter.</translation>
    </message>
    <message>
        <source>Message from server..</source>
        <translation>Nachricht vom Verzeichnis</translation>
    </message>
    <message>
        <source>Banned</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>General failure: %1</source>
        <translation>Allgemeiner Fehler: %1</translation>
    </message>
    <message>
        <source>Server returned error: %1</source>
        <translation>Das Verzeichnis meldet einen Fehler: %1</translation>
    </message>
    <message>
        <source>Unknown status returned: %1</source>
        <translation>Unbekannte Antwort: %1</translation>
    </message>
    <message>
        <source>You need to perform a Remove Server before shutting down the server.</source>
        <translation>Entferne den Server zuerst aus dem Verzeichnis, bevor du ihn beendest.</translation>
    </message>
    <message>
        <source>Error checking for update! Please check the logs!</source>
        <translation>Fehler bei der Suche nach Updates! Sieh bitte im Protokoll nach.</translation>
    </message>
    <message>
        <source>New version available..</source>
        <translation>Neue Version verfügbar</translation>
    </message>
    <message>
        <source>There is an updated Scrawlbox server available for download!
Would you like to be taken to the download page?</source>
        <translation>Eine neue Version des Scrawlbox-Servers steht zum Herunterladen bereit!
Möchtest du die Download-Seite öffnen?</translation>
    </message>
    <message>
        <source>Check done. You are already running the latest version of the server.</source>
        <translation>Fertig. Du verwendest bereits die neueste Version des Servers.</translation>
    </message>
    <message>
        <source>Master Socket - %1</source>
        <translation>Hauptsocket – %1</translation>
    </message>
    <message>
        <source>Listening for connections..</source>
        <translation>Wartet auf Verbindungen …</translation>
    </message>
    <message>
        <source>Master socket ready and waiting for incoming connections on port %1 ..</source>
        <translation>Bereit: Der Server wartet auf Port %1 auf Verbindungen …</translation>
    </message>
    <message>
        <source>Server details and settings reloaded.</source>
        <translation>Serverangaben und Einstellungen neu geladen.</translation>
    </message>
    <message>
        <source>Unknown User</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbindet …</translation>
    </message>
</context>
<context>
    <name>server</name>
    <message>
        <source>by the server operator</source>
        <translation>vom Serverbetreiber</translation>
    </message>
    <message>
        <source>This room does not take votes to kick.</source>
        <translation>In diesem Raum gibt es keine Abstimmungen zum Rauswerfen.</translation>
    </message>
</context>
<context>
    <name>server::OperatorActions</name>
    <message>
        <source>by a vote of the players</source>
        <translation>durch Abstimmung der Spieler</translation>
    </message>
    <message>
        <source>Banned %2.</source>
        <translation>Gesperrt %2.</translation>
    </message>
    <message>
        <source>Banned %2: %3</source>
        <translation>Gesperrt %2: %3</translation>
    </message>
    <message>
        <source>Kicked %2.</source>
        <translation>Hinausgeworfen %2.</translation>
    </message>
    <message>
        <source>Kicked %2: %3</source>
        <translation>Hinausgeworfen %2: %3</translation>
    </message>
    <message>
        <source>%1 has been banned %2.</source>
        <translation>%1 wurde %2 gesperrt.</translation>
    </message>
    <message>
        <source>%1 has been banned %2: %3</source>
        <translation>%1 wurde %2 gesperrt: %3</translation>
    </message>
    <message>
        <source>%1 has been kicked %2.</source>
        <translation>%1 wurde %2 rausgeworfen.</translation>
    </message>
    <message>
        <source>%1 has been kicked %2: %3</source>
        <translation>%1 wurde %2 rausgeworfen: %3</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Not connected: practise here, or join a room with File &gt; Connect..</source>
        <translation>Nicht verbunden: Übe hier oder betritt einen Raum mit Datei &gt; Verbinden …</translation>
    </message>
    <message>
        <source>You have been banned from this room by the operator</source>
        <translation>Der Betreiber hat dich aus diesem Raum gesperrt</translation>
    </message>
    <message>
        <source>Kicked by a vote of the players.</source>
        <translation>Durch Abstimmung der Spieler rausgeworfen.</translation>
    </message>
    <message>
        <source>Nobody found %1; %2 drew (%3).</source>
        <translation>Niemand hat %1 gefunden; %2 hat gezeichnet (%3).</translation>
    </message>
    <message>
        <source>Nobody found %1.</source>
        <translation>Niemand hat %1 gefunden.</translation>
    </message>
    <message>
        <source>The word was %1. Found by %2; %3 drew (%4).</source>
        <translation>Das Wort war %1. Gefunden von %2; %3 hat gezeichnet (%4).</translation>
    </message>
    <message>
        <source>The word was %1. Found by %2.</source>
        <translation>Das Wort war %1. Gefunden von %2.</translation>
    </message>
    <message>
        <source>Skip Word!</source>
        <translation>Wort überspringen!</translation>
    </message>
    <message>
        <source>Setup Game</source>
        <translation>Spiel einrichten</translation>
    </message>
    <message>
        <source>Give Hint</source>
        <translation>Tipp geben</translation>
    </message>
    <message>
        <source>Warn Artist</source>
        <translation>Zeichner warnen</translation>
    </message>
    <message>
        <source>Quitting</source>
        <translation>Verlässt den Raum</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
</context>
</TS>
