<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name></name>
    <message id="8109">
        <source>01.80</source>
        <translation>01.80</translation>
    </message>
</context>
</TS>
