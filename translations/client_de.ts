<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>client::AgreementWindow</name>
    <message>
        <source>Room Agreement</source>
        <translation>Raumregeln</translation>
    </message>
    <message>
        <source>I Agree</source>
        <translation>Ich stimme zu</translation>
    </message>
    <message>
        <source>I Disagree</source>
        <translation>Ich lehne ab</translation>
    </message>
    <message>
        <source>Please read the rules of this room:</source>
        <translation>Bitte lies die Regeln dieses Raums:</translation>
    </message>
</context>
<context>
    <name>client::ChatBar</name>
    <message>
        <source>Scrawlbox Chat</source>
        <translation>Scrawlbox-Chat</translation>
    </message>
</context>
<context>
    <name>client::ChatInput</name>
    <message>
        <source>A chat line holds at most 512 characters: rooms pass on no more.</source>
        <translation>Eine Chatzeile fasst höchstens 512 Zeichen: Mehr geben die Räume nicht weiter.</translation>
    </message>
</context>
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
    <message>
        <source>The language the room plays in: its word lists, and where the room directory lists it</source>
        <translation>Die Sprache, in der im Raum gespielt wird: seine Wortlisten und wo ihn das Raumverzeichnis aufführt</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>Spr&amp;ache:</translation>
    </message>
</context>
<context>
    <name>client::DrawingArea</name>
    <message>
        <source>Clear the pad (press twice)</source>
        <translation>Blatt leeren (zweimal drücken)</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Freihand</translation>
    </message>
    <message>
        <source>Straight line</source>
        <translation>Gerade Linie</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Flood fill</source>
        <translation>Füllen</translation>
    </message>
    <message>
        <source>Spray can</source>
        <translation>Sprühdose</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Fill closed shapes</source>
        <translation>Geschlossene Formen füllen</translation>
    </message>
    <message>
        <source>Small brush (1 pixel width)</source>
        <translation>Kleiner Pinsel (1 Pixel breit)</translation>
    </message>
    <message>
        <source>Medium brush (2 pixel width)</source>
        <translation>Mittlerer Pinsel (2 Pixel breit)</translation>
    </message>
    <message>
        <source>Large brush (4 pixel width)</source>
        <translation>Großer Pinsel (4 Pixel breit)</translation>
    </message>
    <message>
        <source>Huge brush (8 pixel width)</source>
        <translation>Riesiger Pinsel (8 Pixel breit)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Take the results off the pad</source>
        <translation>Ergebnisse vom Blatt nehmen</translation>
    </message>
    <message>
        <source>Select this colour as the current drawing colour</source>
        <translation>Mit dieser Farbe zeichnen</translation>
    </message>
    <message>
        <source>The current colour: click to mix your own</source>
        <translation>Die aktuelle Farbe: Klicke, um eine eigene zu mischen</translation>
    </message>
</context>
<context>
    <name>client::Gallery</name>
    <message>
        <source>Scrawlbox round %1</source>
        <translation>Scrawlbox Runde %1</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>von %1</translation>
    </message>
</context>
<context>
    <name>client::GalleryWindow</name>
    <message>
        <source>the word was not told</source>
        <translation>das Wort wurde nicht verraten</translation>
    </message>
    <message>
        <source>Round %1: %2</source>
        <translation>Runde %1: %2</translation>
    </message>
    <message>
        <source>Game of %1</source>
        <translation>Spiel vom %1</translation>
    </message>
    <message>
        <source>ddd d MMM yyyy, HH:mm</source>
        <translation>ddd, d. MMM yyyy, HH:mm</translation>
    </message>
    <message>
        <source>Game %1</source>
        <translation>Spiel %1</translation>
    </message>
    <message>
        <source>Nobody found the word.</source>
        <translation>Niemand hat das Wort gefunden.</translation>
    </message>
    <message>
        <source>Found by %1.</source>
        <translation>Gefunden von %1.</translation>
    </message>
    <message>
        <source>Gallery</source>
        <translation>Galerie</translation>
    </message>
    <message>
        <source>No rounds yet. Every round played while Scrawlbox runs is kept here: its picture, its word, who drew it and who found it.</source>
        <translation>Noch keine Runden. Jede Runde, die gespielt wird, solange Scrawlbox läuft, bleibt hier: ihr Bild, ihr Wort, wer es gezeichnet und wer es gefunden hat.</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Draw the round again as it was drawn</source>
        <translation>Die Runde noch einmal so zeichnen, wie sie gezeichnet wurde</translation>
    </message>
    <message>
        <source>Replay %1×</source>
        <translation>Abspielen %1×</translation>
    </message>
    <message>
        <source>Draw the round again, %1 times as fast</source>
        <translation>Die Runde noch einmal zeichnen, %1-mal so schnell</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stop the replay and show the round&apos;s picture</source>
        <translation>Wiedergabe anhalten und das Bild der Runde zeigen</translation>
    </message>
    <message>
        <source>How far the replay is</source>
        <translation>Wie weit die Wiedergabe ist</translation>
    </message>
    <message>
        <source>Save as PNG...</source>
        <translation>Als PNG speichern …</translation>
    </message>
    <message>
        <source>Save this round&apos;s picture at the size chosen beside</source>
        <translation>Das Bild dieser Runde in der daneben gewählten Größe speichern</translation>
    </message>
    <message>
        <source>The size pictures are saved at; every pixel stays a sharp square</source>
        <translation>Die Größe, in der Bilder gespeichert werden; jedes Pixel bleibt ein scharfes Quadrat</translation>
    </message>
    <message>
        <source>Save All...</source>
        <translation>Alle speichern …</translation>
    </message>
    <message>
        <source>Save every round&apos;s picture into a folder</source>
        <translation>Die Bilder aller Runden in einen Ordner speichern</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>Drawn by %1</source>
        <translation>Gezeichnet von %1</translation>
    </message>
    <message>
        <source>Save the round&apos;s picture</source>
        <translation>Bild der Runde speichern</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>The picture could not be saved as %1.</source>
        <translation>Das Bild konnte nicht als %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Save every picture into a folder</source>
        <translation>Alle Bilder in einen Ordner speichern</translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1.</source>
        <translation>
            <numerusform>%n Bild in %1 gespeichert.</numerusform>
            <numerusform>%n Bilder in %1 gespeichert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1; %2 could not be written.</source>
        <translation>
            <numerusform>%n Bild in %1 gespeichert; nicht geschrieben: %2.</numerusform>
            <numerusform>%n Bilder in %1 gespeichert; nicht geschrieben: %2.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>client::GameWordWindow</name>
    <message>
        <source>The game words are..</source>
        <translation>Die Spielwörter sind …</translation>
    </message>
    <message>
        <source>The game word is..</source>
        <translation>Das Spielwort ist …</translation>
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
    <message>
        <source>Scrawlbox - Client v%1 (build#%2) Beta</source>
        <translation>Scrawlbox – Client v%1 (Build %2) Beta</translation>
    </message>
    <message>
        <source>Room:</source>
        <translation>Raum:</translation>
    </message>
    <message>
        <source>Admin:</source>
        <translation>Admin:</translation>
    </message>
    <message>
        <source>Round:</source>
        <translation>Runde:</translation>
    </message>
    <message>
        <source>Word:</source>
        <translation>Wort:</translation>
    </message>
    <message>
        <source>Click to show the word large</source>
        <translation>Klicken, um das Wort groß zu zeigen</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Auto-Skip Go</source>
        <translation>Immer aussetzen</translation>
    </message>
    <message>
        <source>Never be chosen to draw (away)</source>
        <translation>Nie zum Zeichnen gewählt werden (abwesend)</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Zuschauen</translation>
    </message>
    <message>
        <source>Watch the game instead of playing, from the next round</source>
        <translation>Ab der nächsten Runde zuschauen statt mitspielen</translation>
    </message>
    <message>
        <source>Watch until the next round</source>
        <translation>Bis zur nächsten Runde zuschauen</translation>
    </message>
    <message>
        <source>Joining during a round, watch it and play from the next one</source>
        <translation>Kommst du mitten in einer Runde, schau ihr zu und spiel ab der nächsten mit</translation>
    </message>
    <message>
        <source>Shared first place</source>
        <translation>Geteilter erster Platz</translation>
    </message>
    <message>
        <source>Choose another nickname to join the room.</source>
        <translation>Wähle einen anderen Nicknamen, um den Raum zu betreten.</translation>
    </message>
    <message>
        <source>Kick User..</source>
        <translation>Spieler rauswerfen</translation>
    </message>
    <message>
        <source>Enter the reason why you are kicking %1. You are limited to %2 characters.</source>
        <translation>Gib an, warum du %1 rauswirfst. Höchstens %2 Zeichen.</translation>
    </message>
    <message>
        <source>[No reason given]</source>
        <translation>[Kein Grund angegeben]</translation>
    </message>
    <message>
        <source>Select image to load..</source>
        <translation>Bild zum Laden wählen</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.png *.jpg *.jpeg)</source>
        <translation>Bilder (*.bmp *.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>(*.*) All Files (*)</source>
        <translation>(*.*) Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Could not load picture: %1 (%2)</source>
        <translation>Bild konnte nicht geladen werden: %1 (%2)</translation>
    </message>
    <message>
        <source>Loaded picture: %1</source>
        <translation>Bild geladen: %1</translation>
    </message>
    <message>
        <source>Enter filename for image...</source>
        <translation>Dateiname für das Bild</translation>
    </message>
    <message>
        <source>Could not save picture: %1</source>
        <translation>Bild konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Picture saved as: %1</source>
        <translation>Bild gespeichert als: %1</translation>
    </message>
    <message>
        <source>The clipboard does not contain any image data.</source>
        <translation>Die Zwischenablage enthält kein Bild.</translation>
    </message>
    <message>
        <source>Leave the game?</source>
        <translation>Spiel verlassen?</translation>
    </message>
    <message>
        <source>Leave the game in progress?</source>
        <translation>Das laufende Spiel verlassen?</translation>
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
    <name>client::PadWidget</name>
    <message>
        <source>Click Clear again</source>
        <translation>Noch ein Klick</translation>
    </message>
    <message>
        <source>to wipe the pad</source>
        <translation>leert das Blatt</translation>
    </message>
    <message>
        <source>The winner</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>is...</source>
        <translation>hat …</translation>
    </message>
</context>
<context>
    <name>client::ProfileWindow</name>
    <message>
        <source>Choose a nickname first.</source>
        <translation>Wähle zuerst einen Nicknamen.</translation>
    </message>
    <message>
        <source>Choose a nickname</source>
        <translation>Nicknamen wählen</translation>
    </message>
    <message>
        <source>User Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>Männlich</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>Weiblich</translation>
    </message>
    <message>
        <source>Not given</source>
        <translation>Keine Angabe</translation>
    </message>
    <message>
        <source>Nickname:</source>
        <translation>Nickname:</translation>
    </message>
    <message>
        <source>Age:</source>
        <translation>Alter:</translation>
    </message>
    <message>
        <source>Gender:</source>
        <translation>Geschlecht:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Homepage:</translation>
    </message>
    <message>
        <source>Quote:</source>
        <translation>Zitat:</translation>
    </message>
    <message>
        <source>The other players know you by your nickname; the rest of the profile is yours to fill in or leave.</source>
        <translation>Die anderen kennen dich unter deinem Nicknamen; den Rest des Profils kannst du ausfüllen oder leer lassen.</translation>
    </message>
    <message>
        <source>Sorry, but you cannot use the nickname you have selected. It either contains offensive language, is a reserved name, or is the default profile name.</source>
        <translation>Diesen Nicknamen kannst du leider nicht verwenden. Er enthält beleidigende Wörter, ist reserviert oder ist der voreingestellte Profilname.</translation>
    </message>
    <message>
        <source>Reserved Nickname...</source>
        <translation>Reservierter Nickname</translation>
    </message>
    <message>
        <source>Click OK and please change your nickname.</source>
        <translation>Klicke auf OK und ändere bitte deinen Nicknamen.</translation>
    </message>
    <message>
        <source>Click Yes to be taken to the Profile window so you can edit your nickname.</source>
        <translation>Klicke auf Ja, um im Profilfenster deinen Nicknamen zu ändern.</translation>
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
    <name>client::RoomPasswordWindow</name>
    <message>
        <source>Room Password</source>
        <translation>Raumpasswort</translation>
    </message>
    <message>
        <source>The password was not right. The room at %1 asks for its password:</source>
        <translation>Das Passwort war falsch. Der Raum unter %1 fragt nach seinem Passwort:</translation>
    </message>
    <message>
        <source>The room at %1 asks for a password:</source>
        <translation>Der Raum unter %1 fragt nach einem Passwort:</translation>
    </message>
    <message>
        <source>Remember it for this room</source>
        <translation>Für diesen Raum merken</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Betreten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>client::ServerBrowserWindow</name>
    <message>
        <source>Server Browser</source>
        <translation>Serverübersicht</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Öffentlich</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt besucht</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Server Name</source>
        <translation>Servername</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Add To Favourites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Is Server Online?</source>
        <translation>Ist der Server online?</translation>
    </message>
    <message>
        <source>Play in the browser</source>
        <translation>Im Browser spielen</translation>
    </message>
    <message>
        <source>Enter the IP of the server you want to connect to.. (host, host:port or [IPv6]:port; the port is 2020 when none is given)</source>
        <translation>Gib die IP des Servers ein, mit dem du dich verbinden willst (Host, Host:Port oder [IPv6]:Port; ohne Angabe Port 2020)</translation>
    </message>
    <message>
        <source>Enter a name for this server if you want to bookmark it..</source>
        <translation>Gib einen Namen für diesen Server ein, wenn du ihn als Favoriten speichern willst</translation>
    </message>
    <message>
        <source>Enter a short description for this server if you want to bookmark it..</source>
        <translation>Gib eine kurze Beschreibung für diesen Server ein, wenn du ihn als Favoriten speichern willst</translation>
    </message>
    <message>
        <source>Add server to favourites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation>Server entfernen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Ask the room directory for its list again</source>
        <translation>Die Liste erneut vom Raumverzeichnis holen</translation>
    </message>
    <message>
        <source>Show only the public rooms that play in this language</source>
        <translation>Nur öffentliche Räume in dieser Sprache zeigen</translation>
    </message>
    <message>
        <source>Any language</source>
        <translation>Alle Sprachen</translation>
    </message>
    <message>
        <source>Server appears to be online.</source>
        <translation>Der Server scheint online zu sein.</translation>
    </message>
    <message>
        <source>The server closed the connection.</source>
        <translation>Der Server hat die Verbindung geschlossen.</translation>
    </message>
    <message>
        <source>The server could not be checked: %1</source>
        <translation>Der Server konnte nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>Bereiche</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>This room asks for a password</source>
        <translation>Dieser Raum verlangt ein Passwort</translation>
    </message>
    <message>
        <source>Play in the browser: %1</source>
        <translation>Im Browser spielen: %1</translation>
    </message>
    <message>
        <source>No IP Entered..</source>
        <translation>Keine IP angegeben</translation>
    </message>
    <message>
        <source>You need to select a server or enter a server IP address into the Address textbox before you can connect.</source>
        <translation>Wähle einen Server oder gib im Feld „Adresse“ eine Server-IP ein, bevor du dich verbindest.</translation>
    </message>
    <message>
        <source>Not an address..</source>
        <translation>Keine Adresse</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address to connect to: %2.
Enter host, host:port or [IPv6]:port.</source>
        <translation>„%1“ ist keine Adresse zum Verbinden: %2.
Gib Host, Host:Port oder [IPv6]:Port ein.</translation>
    </message>
    <message>
        <source>Can&apos;t add favourite..</source>
        <translation>Favorit nicht hinzugefügt</translation>
    </message>
    <message>
        <source>You need to enter an IP address for this entry!</source>
        <translation>Gib für diesen Eintrag eine IP-Adresse ein!</translation>
    </message>
    <message>
        <source>The address cannot be used: %1.</source>
        <translation>Die Adresse ist nicht verwendbar: %1.</translation>
    </message>
    <message>
        <source>You need to enter a name for this entry!</source>
        <translation>Gib für diesen Eintrag einen Namen ein!</translation>
    </message>
    <message>
        <source>You need to enter a description for this entry!</source>
        <translation>Gib für diesen Eintrag eine Beschreibung ein!</translation>
    </message>
    <message>
        <source>Already exists..</source>
        <translation>Schon vorhanden</translation>
    </message>
    <message>
        <source>This favourite already exists!</source>
        <translation>Diesen Favoriten gibt es schon!</translation>
    </message>
</context>
<context>
    <name>client::SetupGameWindow</name>
    <message>
        <source>%1 (%2 to %3)</source>
        <translation>%1 (%2 bis %3)</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Unbegrenzt</translation>
    </message>
    <message>
        <source>Wordlist downloaded.</source>
        <translation>Wortlisten geladen.</translation>
    </message>
    <message>
        <source>Please select at least one wordlist.</source>
        <translation>Wähle bitte mindestens eine Wortliste.</translation>
    </message>
    <message>
        <source>Setup Game</source>
        <translation>Spiel einrichten</translation>
    </message>
    <message>
        <source>Unknown room</source>
        <translation>Unbekannter Raum</translation>
    </message>
    <message>
        <source>%1&apos;s room!</source>
        <translation>Raum von %1!</translation>
    </message>
    <message>
        <source>The name of this room</source>
        <translation>Der Name dieses Raums</translation>
    </message>
    <message>
        <source>The description for this room</source>
        <translation>Die Beschreibung dieses Raums</translation>
    </message>
    <message>
        <source>The number of players allowed in the room</source>
        <translation>Wie viele Spieler in den Raum dürfen</translation>
    </message>
    <message>
        <source>The total number of rounds per game</source>
        <translation>Die Zahl der Runden pro Spiel</translation>
    </message>
    <message>
        <source>How long each round lasts, in seconds</source>
        <translation>Wie lange jede Runde dauert, in Sekunden</translation>
    </message>
    <message>
        <source>The seconds left to the others once the first player has found the word</source>
        <translation>Die Sekunden, die den anderen bleiben, sobald jemand das Wort gefunden hat</translation>
    </message>
    <message>
        <source>Words of your own, separated by commas or lines; &quot;|&quot; between spellings</source>
        <translation>Eigene Wörter, getrennt durch Kommas oder Zeilen; „|“ zwischen Schreibweisen</translation>
    </message>
    <message>
        <source>apple, grand piano, café|cafe</source>
        <translation>Apfel, Flügel, Café|Cafe</translation>
    </message>
    <message>
        <source>None: the game uses the lists alone.</source>
        <translation>Keine: Das Spiel nimmt nur die Listen.</translation>
    </message>
    <message numerus="yes">
        <source>%n words (the most a game takes)</source>
        <translation>
            <numerusform>%n Wort (mehr nimmt ein Spiel nicht)</numerusform>
            <numerusform>%n Wörter (mehr nimmt ein Spiel nicht)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n word(s)</source>
        <translation>
            <numerusform>%n Wort</numerusform>
            <numerusform>%n Wörter</numerusform>
        </translation>
    </message>
    <message>
        <source>Downloading wordlist...</source>
        <translation>Wortlisten werden geladen …</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Customise Game Options</source>
        <translation>Spiel anpassen</translation>
    </message>
    <message>
        <source>Select the wordlists you would like to use in your game from the list on the right, then hit Start Game to begin.</source>
        <translation>Wähle rechts die Wortlisten für dein Spiel und klicke dann auf „Spiel starten“.</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>%1 to %2 seconds</source>
        <translation>%1 bis %2 Sekunden</translation>
    </message>
    <message>
        <source>Room name</source>
        <translation>Raumname</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Player limit</source>
        <translation>Spielerlimit</translation>
    </message>
    <message>
        <source>%1 to %2 (0: no limit)</source>
        <translation>%1 bis %2 (0: unbegrenzt)</translation>
    </message>
    <message>
        <source>Total rounds</source>
        <translation>Runden</translation>
    </message>
    <message>
        <source>Time per round</source>
        <translation>Zeit pro Runde</translation>
    </message>
    <message>
        <source>Grace period after first guess</source>
        <translation>Restzeit nach dem ersten Treffer</translation>
    </message>
    <message>
        <source>Word lists</source>
        <translation>Wortlisten</translation>
    </message>
    <message>
        <source>Your own words (alone, or mixed with the lists)</source>
        <translation>Eigene Wörter (allein oder mit den Listen gemischt)</translation>
    </message>
    <message>
        <source>No wordlists available.</source>
        <translation>Keine Wortlisten vorhanden.</translation>
    </message>
    <message>
        <source>Server has no wordlists...</source>
        <translation>Server ohne Wortlisten</translation>
    </message>
    <message>
        <source>The server hasn&apos;t been set up properly and does not contain any word lists. Please let the administrator of this server know!</source>
        <translation>Der Server ist nicht richtig eingerichtet und hat keine Wortlisten. Sag bitte dem Betreiber dieses Servers Bescheid!</translation>
    </message>
</context>
<context>
    <name>client::UserList</name>
    <message>
        <source>Nickname</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>%1 (watching)</source>
        <translation>%1 (schaut zu)</translation>
    </message>
    <message>
        <source>%1 is drawing</source>
        <translation>%1 zeichnet</translation>
    </message>
    <message>
        <source>%1 has found the word</source>
        <translation>%1 hat das Wort gefunden</translation>
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
