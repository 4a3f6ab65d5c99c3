<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>scrawlbox::AboutWindow</name>
    <message>
        <source>About Scrawlbox %1</source>
        <translation>À propos de Scrawlbox %1</translation>
    </message>
    <message>
        <source>Version %1 (build %2)</source>
        <translation>Version %1 (build %2)</translation>
    </message>
    <message>
        <source>An internet multiplayer draw-and-guess game: one player draws a secret word, the others guess it.</source>
        <translation>Un jeu multijoueur en ligne de dessin et de devinettes&#xa0;: un joueur dessine un mot secret, les autres le devinent.</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Site web&#xa0;:</translation>
    </message>
    <message>
        <source>Help:</source>
        <translation>Aide&#xa0;:</translation>
    </message>
</context>
<context>
    <name>scrawlbox::MessageBox</name>
    <message>
        <source>Error visiting link..</source>
        <translation>Impossible d’ouvrir le lien</translation>
    </message>
    <message>
        <source>Um.. you don&apos;t appear to have a web-browser installed...</source>
        <translation>Il semble qu’aucun navigateur web ne soit installé…</translation>
    </message>
</context>
<context>
    <name>scrawlbox::ProfileViewWindow</name>
    <message>
        <source>User Information</source>
        <translation>Informations sur le joueur</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>Homme</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>Femme</translation>
    </message>
    <message>
        <source>Not given</source>
        <translation>Non précisé</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Age:</source>
        <translation>Âge&#xa0;:</translation>
    </message>
    <message>
        <source>Gender:</source>
        <translation>Genre&#xa0;:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Lieu&#xa0;:</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Site web&#xa0;:</translation>
    </message>
    <message>
        <source>Quote:</source>
        <translation>Citation&#xa0;:</translation>
    </message>
</context>
<context>
    <name>scrawlbox::SplashWindow</name>
    <message>
        <source>%1 - version %2 (build %3)</source>
        <translation>%1 – version %2 (build %3)</translation>
    </message>
</context>
</TS>
