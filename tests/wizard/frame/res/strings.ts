<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name></name>
    <message id="25000"><source>A page cannot be created.</source><translation>A page cannot be created.</translation></message>
    <message id="25013"><source>The version-up is stopped.</source><translation>The version-up is stopped.</translation></message>
    <message id="25014"><source>Version-up</source><translation>Version-up</translation></message>
    <message id="25015"><source>Image not found.</source><translation>Image not found.</translation></message>
    <message id="25016"><source>Image cannot be loaded.</source><translation>Image cannot be loaded.</translation></message>
    <message id="25021"><source>Image has the wrong size.</source><translation>Image has the wrong size.</translation></message>
</context>
</TS>
