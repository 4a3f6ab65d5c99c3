<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>scrawlbox::AboutWindow</name>
    <message>
        <source>About Scrawlbox %1</source>
        <translation>Acerca de Scrawlbox %1</translation>
    </message>
    <message>
        <source>Version %1 (build %2)</source>
        <translation>Versión %1 (compilación %2)</translation>
    </message>
    <message>
        <source>An internet multiplayer draw-and-guess game: one player draws a secret word, the others guess it.</source>
        <translation>Un juego multijugador por internet de dibujar y adivinar: un jugador dibuja una palabra secreta y los demás la adivinan.</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Sitio web:</translation>
    </message>
    <message>
        <source>Help:</source>
        <translation>Ayuda:</translation>
    </message>
</context>
<context>
    <name>scrawlbox::MessageBox</name>
    <message>
        <source>Error visiting link..</source>
        <translation>No se pudo abrir el enlace</translation>
    </message>
    <message>
        <source>Um.. you don&apos;t appear to have a web-browser installed...</source>
        <translation>Parece que no hay ningún navegador web instalado…</translation>
    </message>
</context>
<context>
    <name>scrawlbox::ProfileViewWindow</name>
    <message>
        <source>User Information</source>
        <translation>Información del jugador</translation>
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
        <source>Name:</source>
        <translation>Nombre:</translation>
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
</context>
<context>
    <name>scrawlbox::SplashWindow</name>
    <message>
        <source>%1 - version %2 (build %3)</source>
        <translation>%1 – versión %2 (compilación %3)</translation>
    </message>
</context>
</TS>
