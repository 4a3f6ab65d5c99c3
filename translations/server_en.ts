<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>server::ServerDetailsDialog</name>
    <message numerus="yes">
        <source>I found %n IP address(es).</source>
        <translation>
            <numerusform>I found %n IP address.</numerusform>
            <numerusform>I found %n IP addresses.</numerusform>
        </translation>
    </message>
</context>
</TS>
