<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>server::DenyMessageDialog</name>
    <message>
        <source>Deny Message</source>
        <translation>Abweisungsnachricht</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Newcomers are given this message and then disconnected; players in the room stay.</source>
        <translation>Neue Spieler bekommen diese Nachricht und werden dann getrennt; wer im Raum ist, bleibt.</translation>
    </message>
    <message>
        <source>You need to put in a deny message!</source>
        <translation>Gib eine Abweisungsnachricht ein!</translation>
    </message>
    <message>
        <source>Click Cancel if you want to exit Deny mode.</source>
        <translation>Klicke auf Abbrechen, um das Abweisen zu beenden.</translation>
    </message>
</context>
<context>
    <name>server::MainWindow</name>
    <message>
        <source>Num</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Bytes Received</source>
        <translation>Empfangene Bytes</translation>
    </message>
    <message>
        <source>Connections</source>
        <translation>Verbindungen</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Attempts</source>
        <translation>Versuche</translation>
    </message>
    <message>
        <source>Banned</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Scrawlbox Server %1</source>
        <translation>Scrawlbox-Server %1</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>&amp;Server</translation>
    </message>
    <message>
        <source>Server Details..</source>
        <translation>Serverdetails …</translation>
    </message>
    <message>
        <source>Reload Settings</source>
        <translation>Einstellungen neu laden</translation>
    </message>
    <message>
        <source>Listen State</source>
        <translation>Verbindungsannahme</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Annehmen</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Abweisen</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Submit Server</source>
        <translation>Server eintragen</translation>
    </message>
    <message>
        <source>Remove Server</source>
        <translation>Server austragen</translation>
    </message>
    <message>
        <source>Statistics..</source>
        <translation>Statistik …</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Check For New Version</source>
        <translation>Nach neuer Version suchen</translation>
    </message>
    <message>
        <source>About Scrawlbox Server...</source>
        <translation>Über Scrawlbox-Server …</translation>
    </message>
    <message>
        <source>Total open %1</source>
        <translation>Insgesamt offene %1</translation>
    </message>
    <message>
        <source>Master socket status: %1</source>
        <translation>Status des Hauptsockets: %1</translation>
    </message>
    <message>
        <source>General server status: %1</source>
        <translation>Allgemeiner Serverstatus: %1</translation>
    </message>
    <message>
        <source>Panel information..</source>
        <translation>Info zum Feld</translation>
    </message>
    <message>
        <source>ACCEPT</source>
        <translation>OFFEN</translation>
    </message>
    <message>
        <source>DENY</source>
        <translation>ABWEISUNG</translation>
    </message>
    <message>
        <source>OFFLINE</source>
        <translation>OFFLINE</translation>
    </message>
    <message>
        <source>!ERROR!</source>
        <translation>!FEHLER!</translation>
    </message>
    <message>
        <source>UNDEFINED</source>
        <translation>UNBESTIMMT</translation>
    </message>
    <message>
        <source>Connections: %1</source>
        <translation>Verbindungen: %1</translation>
    </message>
    <message>
        <source>User Information</source>
        <translation>Spielerinfo</translation>
    </message>
    <message>
        <source>Message User..</source>
        <translation>Nachricht an Spieler …</translation>
    </message>
    <message>
        <source>Message All Users..</source>
        <translation>Nachricht an alle …</translation>
    </message>
    <message>
        <source>Kick User..</source>
        <translation>Spieler rauswerfen …</translation>
    </message>
    <message>
        <source>Ban User..</source>
        <translation>Spieler sperren …</translation>
    </message>
    <message>
        <source>Message User...</source>
        <translation>Nachricht an Spieler</translation>
    </message>
    <message>
        <source>Enter the message to send to %1. You are limited to a maximum of 512 characters.</source>
        <translation>Gib die Nachricht an %1 ein. Höchstens 512 Zeichen.</translation>
    </message>
    <message>
        <source>Message All Users...</source>
        <translation>Nachricht an alle</translation>
    </message>
    <message>
        <source>Enter the message to send to all the currently connected users. You are limited to a maximum of 512 characters.</source>
        <translation>Gib die Nachricht an alle verbundenen Spieler ein. Höchstens 512 Zeichen.</translation>
    </message>
    <message>
        <source>Kick User...</source>
        <translation>Spieler rauswerfen</translation>
    </message>
    <message>
        <source>If you are sure you want to kick %1, then please enter a reason and press Return. Otherwise press Escape or click Cancel. You are limited to 512 characters.</source>
        <translation>Wenn du %1 wirklich rauswerfen willst, gib einen Grund ein und drücke die Eingabetaste. Sonst drücke Esc oder klicke auf Abbrechen. Höchstens 512 Zeichen.</translation>
    </message>
    <message>
        <source>[no reason given]</source>
        <translation>[kein Grund angegeben]</translation>
    </message>
    <message>
        <source>Ban Reason</source>
        <translation>Sperrgrund</translation>
    </message>
    <message>
        <source>Why is %1 being banned?</source>
        <translation>Warum wird %1 gesperrt?</translation>
    </message>
    <message>
        <source>[No Reason Given]</source>
        <translation>[Kein Grund angegeben]</translation>
    </message>
    <message>
        <source>Change IP..</source>
        <translation>IP ändern …</translation>
    </message>
    <message>
        <source>Change IP</source>
        <translation>IP ändern</translation>
    </message>
    <message>
        <source>Edit the IP address below. You can use ? and * wildcards, if required. Please make sure that it is a valid (wildcarded) IP, as I will not validate it to make sure that it is correct.</source>
        <translation>Bearbeite unten die IP-Adresse. Die Platzhalter ? und * sind erlaubt. Achte darauf, dass es eine gültige IP (mit Platzhaltern) ist: Geprüft wird sie nicht.</translation>
    </message>
    <message>
        <source>Change Reason..</source>
        <translation>Grund ändern …</translation>
    </message>
    <message>
        <source>Change Ban Reason</source>
        <translation>Sperrgrund ändern</translation>
    </message>
    <message>
        <source>Enter the new reason for this IP being banned.</source>
        <translation>Gib den neuen Grund für die Sperre dieser IP ein.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>There is currently a game in progress.</source>
        <translation>Gerade läuft ein Spiel.</translation>
    </message>
    <message>
        <source>Are you sure you want to shut the server down?</source>
        <translation>Willst du den Server wirklich herunterfahren?</translation>
    </message>
</context>
<context>
    <name>server::ServerDetailsDialog</name>
    <message>
        <source>Server Details</source>
        <translation>Serverdetails</translation>
    </message>
    <message>
        <source>Guess It</source>
        <translation>Ermitteln</translation>
    </message>
    <message>
        <source>Let Scrawlbox try and guess your server&apos;s IP address..</source>
        <translation>Scrawlbox die IP-Adresse deines Servers ermitteln lassen</translation>
    </message>
    <message>
        <source>Private server (not listed on the tracker)</source>
        <translation>Privater Server (nicht im Tracker aufgeführt)</translation>
    </message>
    <message>
        <source>Remove from the tracker automatically on quit</source>
        <translation>Beim Beenden automatisch aus dem Tracker austragen</translation>
    </message>
    <message>
        <source>A new port is used from the next start of the server.</source>
        <translation>Ein neuer Port gilt ab dem nächsten Serverstart.</translation>
    </message>
    <message>
        <source>Seconds between keep-alive probes (1 to 60).</source>
        <translation>Sekunden zwischen zwei Verbindungsprüfungen (1 bis 60).</translation>
    </message>
    <message>
        <source>Room name:</source>
        <translation>Raumname:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Admin name:</source>
        <translation>Name des Admins:</translation>
    </message>
    <message>
        <source>Admin e-mail:</source>
        <translation>E-Mail des Admins:</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Message of the day:</source>
        <translation>Nachricht des Tages:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Ping (seconds):</source>
        <translation>Ping (Sekunden):</translation>
    </message>
    <message>
        <source>Western European letters only</source>
        <translation>Nur westeuropäische Buchstaben</translation>
    </message>
    <message>
        <source>The server information is kept and sent in Windows-1252: English and the letters of Western European languages (such as é, ä, ñ, ß or ç) are fine. Any other character (Greek, Cyrillic, Polish or Chinese letters, emoji...) turns into &quot;?&quot;.</source>
        <translation>Die Serverangaben werden in Windows-1252 gespeichert und gesendet: Englisch und die Buchstaben westeuropäischer Sprachen (etwa é, ä, ñ, ß oder ç) gehen. Jedes andere Zeichen (griechische, kyrillische, polnische oder chinesische Buchstaben, Emoji …) wird zu „?“.</translation>
    </message>
    <message>
        <source>The name of this computer is not known.</source>
        <translation>Der Name dieses Computers ist unbekannt.</translation>
    </message>
    <message>
        <source>Guess IP Results</source>
        <translation>IP ermitteln</translation>
    </message>
    <message>
        <source>Sorry, I was unable to guess your IP.</source>
        <translation>Deine IP ließ sich leider nicht ermitteln.</translation>
    </message>
    <message numerus="yes">
        <source>I found %n IP address(es).</source>
        <translation>
            <numerusform>%n IP-Adresse gefunden.</numerusform>
            <numerusform>%n IP-Adressen gefunden.</numerusform>
        </translation>
    </message>
    <message>
        <source>The settings could not be written to Server.ini. Check that its folder can be written and is not full.</source>
        <translation>Die Einstellungen konnten nicht in Server.ini geschrieben werden. Prüfe, ob ihr Ordner beschreibbar und nicht voll ist.</translation>
    </message>
</context>
<context>
    <name>server::StatisticsWindow</name>
    <message>
        <source>Server Statistics</source>
        <translation>Serverstatistik</translation>
    </message>
    <message>
        <source>Statistic</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Selected Stat</source>
        <translation>Gewählter Wert</translation>
    </message>
    <message>
        <source>Name: %1
Value: %2</source>
        <translation>Name: %1
Wert: %2</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Reset Statistics</source>
        <translation>Statistik zurücksetzen</translation>
    </message>
    <message>
        <source>Are you completely sure you want to reset your server&apos;s statistics?</source>
        <translation>Willst du die Statistik deines Servers wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>Server statistics have been reset.</source>
        <translation>Die Serverstatistik wurde zurückgesetzt.</translation>
    </message>
</context>
</TS>
