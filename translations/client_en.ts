<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>client::GalleryWindow</name>
    <message numerus="yes">
        <source>%n picture(s) saved in %1.</source>
        <translation>
            <numerusform>%n picture saved in %1.</numerusform>
            <numerusform>%n pictures saved in %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1; %2 could not be written.</source>
        <translation>
            <numerusform>%n picture saved in %1; %2 could not be written.</numerusform>
            <numerusform>%n pictures saved in %1; %2 could not be written.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>client::SetupGameWindow</name>
    <message numerus="yes">
        <source>%n words (the most a game takes)</source>
        <translation>
            <numerusform>%n word (the most a game takes)</numerusform>
            <numerusform>%n words (the most a game takes)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n word(s)</source>
        <translation>
            <numerusform>%n word</numerusform>
            <numerusform>%n words</numerusform>
        </translation>
    </message>
</context>
</TS>
