<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Worksheet</name>
    <message numerus="yes">
        <source>%n answer(s) changed</source>
        <translation>
            <numerusform>%n answer changed</numerusform>
            <numerusform>%n answers changed</numerusform>
        </translation>
    </message>
</context>
</TS>
