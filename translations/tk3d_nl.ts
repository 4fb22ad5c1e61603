<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl" sourcelanguage="de">
<context>
    <name>tk3d::CoreMessages</name>
    <message>
        <source>Stream-Lesefehler</source>
        <translation>Leesfout in de gegevensstroom</translation>
    </message>
    <message>
        <source>Ungültige Typumwandlung</source>
        <translation>Ongeldige typeconversie</translation>
    </message>
    <message>
        <source>Ungültige Gleitkommaoperation</source>
        <translation>Ongeldige drijvende-kommabewerking</translation>
    </message>
    <message>
        <source>Unbekannter Objekttyp! [%1]</source>
        <translation>Onbekend objecttype! [%1]</translation>
    </message>
    <message>
        <source>Unbekannter Objekttyp!</source>
        <translation>Onbekend objecttype!</translation>
    </message>
    <message>
        <source>Datei %1 ist ungültig oder paßt nicht zu dieser Programmversion!</source>
        <translation>Bestand %1 is ongeldig of past niet bij deze programmaversie!</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>Bestand %1 kan niet worden geopend</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erzeugt werden</source>
        <translation>Bestand %1 kan niet worden aangemaakt</translation>
    </message>
    <message>
        <source>Kann Dateien der Vorversion, die eingebettete oder verknüpfte Objekte enthalten, nicht lesen!</source>
        <translation>Kan bestanden van de vorige versie met ingesloten of gekoppelde objecten niet lezen!</translation>
    </message>
    <message>
        <source>INCIRCUM - F - Points are coincident !!</source>
        <translation>INCIRCUM - F - Punten vallen samen !!</translation>
    </message>
    <message>
        <source>AlignBMP mit 0 aufgerufen!</source>
        <translation>AlignBMP met 0 aangeroepen!</translation>
    </message>
    <message>
        <source>Es ist ein Problem (vermutlich Resourcen-Mangel) beim Erzeugen einer 3D-Schriftart aufgetreten!</source>
        <translation>Bij het aanmaken van een 3D-lettertype is een probleem opgetreden (waarschijnlijk een tekort aan systeembronnen)!</translation>
    </message>
    <message>
        <source>OpenGL-Fehler! [$%1]</source>
        <translation>OpenGL-fout! [$%1]</translation>
    </message>
    <message>
        <source>OpenGL 2.1 wird benötigt, vorhanden: %1</source>
        <translation>OpenGL 2.1 is nodig, aanwezig: %1</translation>
    </message>
    <message>
        <source>OpenGL: kein aktueller Kontext</source>
        <translation>OpenGL: geen actuele context</translation>
    </message>
    <message>
        <source>TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!</source>
        <translation>TPointArrayClass: Index buiten het geldige bereik!</translation>
    </message>
    <message>
        <source>TExPointArrayClass: Index nicht innerhalb des gültigen Bereichs!</source>
        <translation>TExPointArrayClass: Index buiten het geldige bereik!</translation>
    </message>
    <message>
        <source>OpenGL: kein Framebuffer für das Bild</source>
        <translation>OpenGL: geen framebuffer voor de afbeelding</translation>
    </message>
    <message>
        <source>OpenGL: Shader für Texte nicht bindbar</source>
        <translation>OpenGL: de shader voor teksten kan niet worden gekoppeld</translation>
    </message>
    <message>
        <source>Bild zu groß</source>
        <translation>Afbeelding te groot</translation>
    </message>
</context>
<context>
    <name>tk3d::Help</name>
    <message>
        <source>Wrong help command!</source>
        <translation>Verkeerde helpopdracht!</translation>
    </message>
    <message>
        <source>Die Hilfedatei %1 konnte nicht gefunden werden!</source>
        <translation>Het helpbestand %1 is niet gevonden!</translation>
    </message>
</context>
<context>
    <name>tk3d::Language</name>
    <message>
        <source>deu</source>
        <translation>nld</translation>
    </message>
    <message>
        <source>@version</source>
        <translation>0.1.0.0</translation>
    </message>
    <message>
        <source>SetResourceHInstance failed!</source>
        <translation>SetResourceHInstance mislukt!</translation>
    </message>
    <message>
        <source>Could not load resource module %1!</source>
        <translation>Kan de taalmodule %1 niet laden!</translation>
    </message>
    <message>
        <source>3D-Viewer für %1</source>
        <translation>3D-viewer voor %1</translation>
    </message>
    <message>
        <source>Systemfehler.  Code: %1.
%2</source>
        <translation>Systeemfout.  Code: %1.
%2</translation>
    </message>
</context>
<context>
    <name>tk3d::LoadProgress</name>
    <message>
        <source>Datei %1 wird geladen ...</source>
        <translation>Bestand %1 wordt geladen ...</translation>
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
        <translation>Terug</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Vooruit</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Inhoud</translation>
    </message>
</context>
<context>
    <name>tk3d::TInfoForm</name>
    <message>
        <source>Info über 3D-Viewer für Trakona®</source>
        <translation>Info over 3D-viewer voor Trakona®</translation>
    </message>
    <message>
        <source>3D-Viewer für </source>
        <translation>3D-viewer voor </translation>
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
        <translation>tk3d toont baanplannen van de planner Trakona als 3D-model. Het programma is vrije software; vragen, foutmeldingen en suggesties zijn welkom.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versie %1</translation>
    </message>
</context>
<context>
    <name>tk3d::TLayerForm</name>
    <message>
        <source>Layer wählen</source>
        <translation>Lagen kiezen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>tk3d::TTKL3DForm</name>
    <message>
        <source>Datei öffnen</source>
        <translation>Bestand openen</translation>
    </message>
    <message>
        <source>Programm beenden</source>
        <translation>Programma afsluiten</translation>
    </message>
    <message>
        <source>Landschaft anzeigen/verbergen</source>
        <translation>Landschap tonen/verbergen</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Artikelnummern anzeigen/verbergen</source>
        <translation>Artikelnummers tonen/verbergen</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>Bezeichnungen anzeigen/verbergen</source>
        <translation>Beschrijvingen tonen/verbergen</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Höhe anzeigen/verbergen</source>
        <translation>Hoogte tonen/verbergen</translation>
    </message>
    <message>
        <source>Schwellen anzeigen/verbergen</source>
        <translation>Dwarsliggers tonen/verbergen</translation>
    </message>
    <message>
        <source>Koordinatenkreuz anzeigen/verbergen</source>
        <translation>Assenkruis tonen/verbergen</translation>
    </message>
    <message>
        <source>Seitenränder anzeigen/verbergen</source>
        <translation>Paginaranden tonen/verbergen</translation>
    </message>
    <message>
        <source>Layer wählen</source>
        <translation>Lagen kiezen</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Gesamtansicht ein/aus</source>
        <translation>Overzicht aan/uit</translation>
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
        <translation>Bestand afdrukken</translation>
    </message>
    <message>
        <source>Seite einrichten</source>
        <translation>Pagina-instelling</translation>
    </message>
    <message>
        <source>In Druckerauflösung in die Zwischenablage kopieren</source>
        <translation>In printerresolutie naar het klembord kopiëren</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotatie</translation>
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
        <translation>Trakona-bestanden (*.tkl)</translation>
    </message>
    <message>
        <source>Alle dateien (*)</source>
        <translation>Alle bestanden (*)</translation>
    </message>
</context>
</TS>
