<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>client::Session</name>
    <message numerus="yes">
        <source>%1. %2 - %n point(s)</source>
        <translation>
            <numerusform>%1. %2 - %n point</numerusform>
            <numerusform>%1. %2 - %n points</numerusform>
        </translation>
    </message>
</context>
</TS>
