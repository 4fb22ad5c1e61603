<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>tk3d::CoreMessages</name>
    <message>
        <source>Stream-Lesefehler</source>
        <translation>Stream read error</translation>
    </message>
    <message>
        <source>Ungültige Typumwandlung</source>
        <translation>Invalid type cast</translation>
    </message>
    <message>
        <source>Ungültige Gleitkommaoperation</source>
        <translation>Invalid floating point operation</translation>
    </message>
    <message>
        <source>Unbekannter Objekttyp! [%1]</source>
        <translation>Unknown object type! [%1]</translation>
    </message>
    <message>
        <source>Unbekannter Objekttyp!</source>
        <translation>Unknown object type!</translation>
    </message>
    <message>
        <source>Datei %1 ist ungültig oder paßt nicht zu dieser Programmversion!</source>
        <translation>File %1 is invalid or does not match this program version!</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erzeugt werden</source>
        <translation>Cannot create file %1</translation>
    </message>
    <message>
        <source>Kann Dateien der Vorversion, die eingebettete oder verknüpfte Objekte enthalten, nicht lesen!</source>
        <translation>Cannot read files of the previous version that contain embedded or linked objects!</translation>
    </message>
    <message>
        <source>INCIRCUM - F - Points are coincident !!</source>
        <translation>INCIRCUM - F - Points are coincident !!</translation>
    </message>
    <message>
        <source>AlignBMP mit 0 aufgerufen!</source>
        <translation>AlignBMP called with 0!</translation>
    </message>
    <message>
        <source>Es ist ein Problem (vermutlich Resourcen-Mangel) beim Erzeugen einer 3D-Schriftart aufgetreten!</source>
        <translation>A problem (probably lack of resources) occurred while creating a 3D font!</translation>
    </message>
    <message>
        <source>OpenGL-Fehler! [$%1]</source>
        <translation>OpenGL error! [$%1]</translation>
    </message>
    <message>
        <source>OpenGL 2.1 wird benötigt, vorhanden: %1</source>
        <translation>OpenGL 2.1 is needed, present: %1</translation>
    </message>
    <message>
        <source>OpenGL: kein aktueller Kontext</source>
        <translation>OpenGL: no current context</translation>
    </message>
    <message>
        <source>TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!</source>
        <translation>TPointArrayClass: Index out of range!</translation>
    </message>
    <message>
        <source>TExPointArrayClass: Index nicht innerhalb des gültigen Bereichs!</source>
        <translation>TExPointArrayClass: Index out of range!</translation>
    </message>
    <message>
        <source>OpenGL: kein Framebuffer für das Bild</source>
        <translation>OpenGL: no framebuffer for the image</translation>
    </message>
    <message>
        <source>OpenGL: Shader für Texte nicht bindbar</source>
        <translation>OpenGL: the shader for texts cannot be linked</translation>
    </message>
    <message>
        <source>Bild zu groß</source>
        <translation>Image too large</translation>
    </message>
</context>
<context>
    <name>tk3d::Help</name>
    <message>
        <source>Wrong help command!</source>
        <translation>Wrong help command!</translation>
    </message>
    <message>
        <source>Die Hilfedatei %1 konnte nicht gefunden werden!</source>
        <translation>The help file %1 could not be found!</translation>
    </message>
</context>
<context>
    <name>tk3d::Language</name>
    <message>
        <source>deu</source>
        <translation>enu</translation>
    </message>
    <message>
        <source>@version</source>
        <translation>0.1.0.0</translation>
    </message>
    <message>
        <source>SetResourceHInstance failed!</source>
        <translation>SetResourceHInstance failed!</translation>
    </message>
    <message>
        <source>Could not load resource module %1!</source>
        <translation>Could not load resource module %1!</translation>
    </message>
    <message>
        <source>3D-Viewer für %1</source>
        <translation>3D-Viewer for %1</translation>
    </message>
    <message>
        <source>Systemfehler.  Code: %1.
%2</source>
        <translation>System error.  Code: %1.
%2</translation>
    </message>
</context>
<context>
    <name>tk3d::LoadProgress</name>
    <message>
        <source>Datei %1 wird geladen ...</source>
        <translation>Loading file %1 ...</translation>
    </message>
</context>
<context>
    <name>tk3d::THelpWindow</name>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>tk3d::TInfoForm</name>
    <message>
        <source>Info über 3D-Viewer für Trakona®</source>
        <translation>About 3D-Viewer for Trakona®</translation>
    </message>
    <message>
        <source>3D-Viewer für </source>
        <translation>3D-Viewer for </translation>
    </message>
    <message>
        <source>- Freeware -</source>
        <translation>- Freeware -</translation>
    </message>
    <message>
        <source>https://example.org/tk3d</source>
        <translation>https://example.org/tk3d</translation>
    </message>
    <message>
        <source>tk3d@example.org</source>
        <translation>tk3d@example.org</translation>
    </message>
    <message>
        <source>O&amp;K</source>
        <translation>O&amp;K</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>tk3d zeigt Gleispläne des Planers Trakona als 3D-Modell. Das Programm ist freie Software; Fragen, Fehlerberichte und Anregungen sind willkommen.</source>
        <translation>tk3d shows layouts of the Trakona planner as a 3D model. The program is free software; questions, bug reports and suggestions are welcome.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>tk3d::TLayerForm</name>
    <message>
        <source>Layer wählen</source>
        <translation>Choose layers</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tk3d::TTKL3DForm</name>
    <message>
        <source>Datei öffnen</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Programm beenden</source>
        <translation>Exit program</translation>
    </message>
    <message>
        <source>Landschaft anzeigen/verbergen</source>
        <translation>Show/hide landscape</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Artikelnummern anzeigen/verbergen</source>
        <translation>Show/hide article numbers</translation>
    </message>
    <message>
        <source>B</source>
        <translation>D</translation>
    </message>
    <message>
        <source>Bezeichnungen anzeigen/verbergen</source>
        <translation>Show/hide descriptions</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Höhe anzeigen/verbergen</source>
        <translation>Show/hide heights</translation>
    </message>
    <message>
        <source>Schwellen anzeigen/verbergen</source>
        <translation>Show/hide ties</translation>
    </message>
    <message>
        <source>Koordinatenkreuz anzeigen/verbergen</source>
        <translation>Show/hide coordinate cross</translation>
    </message>
    <message>
        <source>Seitenränder anzeigen/verbergen</source>
        <translation>Show/hide page borders</translation>
    </message>
    <message>
        <source>Layer wählen</source>
        <translation>Choose layers</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Gesamtansicht ein/aus</source>
        <translation>Overview on/off</translation>
    </message>
    <message>
        <source>Zoom: 1:</source>
        <translation>Zoom: 1:</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Datei drucken</source>
        <translation>Print file</translation>
    </message>
    <message>
        <source>Seite einrichten</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>In Druckerauflösung in die Zwischenablage kopieren</source>
        <translation>Copy to the clipboard at printer resolution</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Z:</source>
        <translation>Z:</translation>
    </message>
    <message>
        <source>&amp;Deutsch</source>
        <translation>&amp;Deutsch</translation>
    </message>
    <message>
        <source>D&amp;utch</source>
        <translation>D&amp;utch</translation>
    </message>
    <message>
        <source>E&amp;nglish (Great Britain)</source>
        <translation>E&amp;nglish (Great Britain)</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>Trakona-Dateien (*.tkl)</source>
        <translation>Trakona files (*.tkl)</translation>
    </message>
    <message>
        <source>Alle dateien (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
</TS>
