<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name></name>
    <message id="30001">
        <source>Version %1 of %2</source>
        <translation>Version %1 of %2</translation>
    </message>
    <message id="30002">
        <source>Test caption</source>
        <translation>Test caption</translation>
    </message>
</context>
</TS>
