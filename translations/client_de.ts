<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>client::CreateRoomWindow</name>
    <message>
        <source>Create Room</source>
        <translation>Raum erstellen</translation>
    </message>
    <message>
        <source>A room of your own on a server that hosts many rooms. You are its first player, and so its admin.</source>
        <translation>Ein eigener Raum auf einem Server mit vielen Räumen. Du bist sein erster Spieler und damit sein Admin.</translation>
    </message>
    <message>
        <source>The server to make the room on: host, host:port or [IPv6]:port (the port is 2020 when none is given)</source>
        <translation>Der Server für den Raum: Host, Host:Port oder [IPv6]:Port (ohne Angabe Port 2020)</translation>
    </message>
    <message>
        <source>&amp;List it in the room directory</source>
        <translation>Im Raum&amp;verzeichnis aufführen</translation>
    </message>
    <message>
        <source>Everyone may then find it in the server browser&apos;s Public list</source>
        <translation>Dann finden ihn alle in der öffentlichen Liste der Serverübersicht</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>&amp;Erstellen</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>You leave the game in progress for the new room.</source>
        <translation>Du verlässt das laufende Spiel für den neuen Raum.</translation>
    </message>
    <message>
        <source>You leave the room you are in for the new one.</source>
        <translation>Du verlässt deinen Raum für den neuen.</translation>
    </message>
    <message>
        <source>Not an address..</source>
        <translation>Keine Adresse</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a server to make a room on: %2.
Enter host, host:port or [IPv6]:port.</source>
        <translation>„%1“ ist kein Server für einen Raum: %2.
Gib Host, Host:Port oder [IPv6]:Port ein.</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>optional</translation>
    </message>
</context>
<context>
    <name>client::MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Connect..</source>
        <translation>Verbinden …</translation>
    </message>
    <message>
        <source>Create Room...</source>
        <translation>Raum erstellen …</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Load Image..</source>
        <translation>Bild laden …</translation>
    </message>
    <message>
        <source>Save Image..</source>
        <translation>Bild speichern …</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Copy Picture</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Paste Picture</source>
        <translation>Bild einfügen</translation>
    </message>
    <message>
        <source>User Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>Gallery</source>
        <translation>Galerie</translation>
    </message>
    <message>
        <source>&amp;Chat</source>
        <translation>&amp;Chat</translation>
    </message>
    <message>
        <source>Float ChatBar</source>
        <translation>Chatleiste lösen</translation>
    </message>
    <message>
        <source>Keep On Top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>User Information</source>
        <translation>Spielerinfo</translation>
    </message>
    <message>
        <source>Administrate</source>
        <translation>Verwalten</translation>
    </message>
    <message>
        <source>Kick User</source>
        <translation>Spieler rauswerfen</translation>
    </message>
    <message>
        <source>Vote to Kick</source>
        <translation>Für Rauswurf stimmen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Scrawlbox Website</source>
        <translation>Scrawlbox-Website</translation>
    </message>
    <message>
        <source>Scrawlbox Forum</source>
        <translation>Scrawlbox-Forum</translation>
    </message>
    <message>
        <source>Tell a Friend</source>
        <translation>Freunden empfehlen</translation>
    </message>
    <message>
        <source>Leave a Comment</source>
        <translation>Kommentar hinterlassen</translation>
    </message>
    <message>
        <source>Check For New Version</source>
        <translation>Nach neuer Version suchen</translation>
    </message>
    <message>
        <source>About Scrawlbox...</source>
        <translation>Über Scrawlbox …</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Freihand</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Kreis</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <source>Flood Fill</source>
        <translation>Füllen</translation>
    </message>
    <message>
        <source>Spray Can</source>
        <translation>Sprühdose</translation>
    </message>
    <message>
        <source>Solid Fill</source>
        <translation>Gefüllte Formen</translation>
    </message>
    <message>
        <source>Clear Pad (press twice)</source>
        <translation>Blatt leeren (zweimal drücken)</translation>
    </message>
    <message>
        <source>Small Brush</source>
        <translation>Kleiner Pinsel</translation>
    </message>
    <message>
        <source>Medium Brush</source>
        <translation>Mittlerer Pinsel</translation>
    </message>
    <message>
        <source>Large Brush</source>
        <translation>Großer Pinsel</translation>
    </message>
    <message>
        <source>Huge Brush</source>
        <translation>Riesiger Pinsel</translation>
    </message>
</context>
<context>
    <name>client::OptionsWindow</name>
    <message>
        <source>The system&apos;s</source>
        <translation>Wie das System</translation>
    </message>
    <message>
        <source>Scrawlbox speaks it from its next start.</source>
        <translation>Scrawlbox spricht sie ab dem nächsten Start.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Windows:</source>
        <translation>Fenster:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Show a line when someone joins the room</source>
        <translation>Eine Zeile zeigen, wenn jemand den Raum betritt</translation>
    </message>
    <message>
        <source>Show a line when someone leaves the room</source>
        <translation>Eine Zeile zeigen, wenn jemand den Raum verlässt</translation>
    </message>
    <message>
        <source>The pad&apos;s cursor follows the selected tool</source>
        <translation>Der Mauszeiger zeigt das gewählte Werkzeug</translation>
    </message>
    <message>
        <source>Flat toolbars</source>
        <translation>Flache Werkzeugleisten</translation>
    </message>
    <message>
        <source>Dial-up Modem</source>
        <translation>Modem</translation>
    </message>
    <message>
        <source>Broadband</source>
        <translation>Breitband</translation>
    </message>
    <message>
        <source>Local Area Network</source>
        <translation>Lokales Netzwerk</translation>
    </message>
    <message>
        <source>Drawing information will only be sent to the server when the mouse button is released.</source>
        <translation>Gezeichnetes geht erst an den Server, wenn die Maustaste losgelassen wird.</translation>
    </message>
    <message>
        <source>Drawing information is sent to the server in bursts once every second.</source>
        <translation>Gezeichnetes geht einmal pro Sekunde gesammelt an den Server.</translation>
    </message>
    <message>
        <source>Drawing information is constantly sent to the server. Note that this can saturate a non-LAN connection.</source>
        <translation>Gezeichnetes geht laufend an den Server. Eine Verbindung außerhalb eines lokalen Netzes kann das auslasten.</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Chat font:</source>
        <translation>Chat-Schrift:</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <source>Drawing cursor:</source>
        <translation>Zeichen-Mauszeiger:</translation>
    </message>
    <message>
        <source>Connection:</source>
        <translation>Verbindung:</translation>
    </message>
    <message>
        <source>Play a sound when</source>
        <translation>Einen Ton spielen, wenn</translation>
    </message>
    <message>
        <source>Someone joins the room</source>
        <translation>Jemand den Raum betritt</translation>
    </message>
    <message>
        <source>Someone says something</source>
        <translation>Jemand etwas sagt</translation>
    </message>
    <message>
        <source>Someone finds the word</source>
        <translation>Jemand das Wort findet</translation>
    </message>
    <message>
        <source>A key is typed in the chat</source>
        <translation>Im Chat eine Taste gedrückt wird</translation>
    </message>
    <message>
        <source>The profile is saved or closed</source>
        <translation>Das Profil gespeichert oder geschlossen wird</translation>
    </message>
    <message>
        <source>It is your turn to draw</source>
        <translation>Du mit Zeichnen dran bist</translation>
    </message>
    <message>
        <source>You are offered words to choose from</source>
        <translation>Dir Wörter zur Wahl angeboten werden</translation>
    </message>
    <message>
        <source>A round&apos;s last five seconds tick away</source>
        <translation>Die letzten fünf Sekunden einer Runde laufen</translation>
    </message>
</context>
<context>
    <name>client::RoomInviteWindow</name>
    <message>
        <source>Invite friends</source>
        <translation>Freunde einladen</translation>
    </message>
    <message>
        <source>Your room &quot;%1&quot; is ready. Send your friends a link to it:</source>
        <translation>Dein Raum „%1“ ist bereit. Schick deinen Freunden einen Link dorthin:</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Link kopieren</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>Kopiert!</translation>
    </message>
    <message>
        <source>The browser link plays in any web browser, with nothing to install; the Scrawlbox link opens this program in the room.</source>
        <translation>Der Browser-Link läuft in jedem Webbrowser, ohne Installation; der Scrawlbox-Link öffnet dieses Programm im Raum.</translation>
    </message>
    <message>
        <source>In a browser:</source>
        <translation>Im Browser:</translation>
    </message>
    <message>
        <source>In Scrawlbox:</source>
        <translation>In Scrawlbox:</translation>
    </message>
</context>
<context>
    <name>client::WordChoicePanel</name>
    <message>
        <source>Choose the word you will draw</source>
        <translation>Wähle das Wort, das du zeichnest</translation>
    </message>
    <message>
        <source>%1 is choosing a word</source>
        <translation>%1 wählt ein Wort</translation>
    </message>
    <message>
        <source>1 second left</source>
        <translation>Noch 1 Sekunde</translation>
    </message>
    <message>
        <source>%1 seconds left</source>
        <translation>Noch %1 Sekunden</translation>
    </message>
    <message>
        <source>Draw %1 (key %2)</source>
        <translation>%1 zeichnen (Taste %2)</translation>
    </message>
</context>
</TS>
