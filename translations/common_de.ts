<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>scrawlbox::AboutWindow</name>
    <message>
        <source>About Scrawlbox %1</source>
        <translation>Über Scrawlbox %1</translation>
    </message>
    <message>
        <source>Version %1 (build %2)</source>
        <translation>Version %1 (Build %2)</translation>
    </message>
    <message>
        <source>An internet multiplayer draw-and-guess game: one player draws a secret word, the others guess it.</source>
        <translation>Ein Zeichen- und Ratespiel für viele Spieler im Internet: Einer zeichnet ein geheimes Wort, die anderen raten es.</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Help:</source>
        <translation>Hilfe:</translation>
    </message>
</context>
<context>
    <name>scrawlbox::MessageBox</name>
    <message>
        <source>Error visiting link..</source>
        <translation>Link konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Um.. you don&apos;t appear to have a web-browser installed...</source>
        <translation>Offenbar ist kein Webbrowser installiert …</translation>
    </message>
</context>
<context>
    <name>scrawlbox::ProfileViewWindow</name>
    <message>
        <source>User Information</source>
        <translation>Spielerinfo</translation>
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
        <source>Name:</source>
        <translation>Name:</translation>
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
</context>
<context>
    <name>scrawlbox::SplashWindow</name>
    <message>
        <source>%1 - version %2 (build %3)</source>
        <translation>%1 – Version %2 (Build %3)</translation>
    </message>
</context>
</TS>
