<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August </source>
        <translation>August</translation>
    </message>
    <message>
        <source>September </source>
        <translation>September</translation>
    </message>
    <message>
        <source>October </source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>SimpChinese</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>TradChinese</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Türkçe</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>العربية</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Português</translation>
    </message>
    <message>
        <source>Main Stream</source>
        <translation>Hauptstream</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>Substream</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>Zeitraffer-Video</translation>
    </message>
    <message>
        <source>Baidu</source>
        <translation>Baidu</translation>
    </message>
    <message>
        <source>Gaode</source>
        <translation>Gaode</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Is Out China</source>
        <translation>Außerhalb Chinas</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>Sicherheitscode</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>Dieses Programm liest Festplatten von Rekordern nur, es schreibt nie darauf. Verwenden Sie die angezeigten Aufnahmen im Einklang mit dem Gesetz.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>Open-Source-Lizenzen</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>Nutzungsbedingungen</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>Aufnahme-Stream</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>Kartentyp</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>Kartenschlüssel</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>Aufnahmeordner</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>Bilderordner</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>Datenträgerabbilder</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Datenträgerabbild öffnen</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>Der Kartenschlüssel konnte nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>Die Änderung wird nach einem Neustart von Korvane wirksam.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neustart</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Ordner für Aufnahmen wählen</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>Ordner für Schnappschüsse wählen</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>H264/H265</source>
        <translation>H264/H265</translation>
    </message>
    <message>
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message>
        <source>Cut Range </source>
        <translation>Schnittbereich </translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Ordner für Aufnahmen wählen</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>Der Dateiname enthält keinen Zeitbereich; die Datei kann nicht geschnitten werden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Ungültige Zeit</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>Schneiden der Aufnahme abbrechen?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Umwandlung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Schnitt abgeschlossen</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>Schneiden fehlgeschlagen</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Schnitt abgeschlossen</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>Schnitt beginnt</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>Startposition wird gesucht</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>Aufnahme wird umgewandelt</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>Umwandlung in MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>die Aufnahme %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>die Datei kann nicht %1 genannt werden: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>die Länge der Aufnahme kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>Kein Bild im Zeitbereich</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>die Umwandlung ist fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>Lokale Aufnahmen hinzufügen</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Ordner für Aufnahmen wählen</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>Indexdatei nicht gefunden</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>Keine passende Aufnahmedatei</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Synchron abspielen</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS-Track exportieren</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>Dies ist ein Ordner, keine Abbilddatei.</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>Dies ist keine Abbilddatei.</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>Die Datei kann nicht zum Lesen geöffnet werden (keine Berechtigung).</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>In der Datei wurde keine Rekorder-Festplatte (WFS) gefunden.</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>Datenträgerabbilder (*.img *.dd *.001 *.raw *.bin);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>Datenträgerabbild öffnen...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>Keine Rekorder-Festplatte (WFS) gefunden.</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>%n Rekorder-Festplatte gefunden, aber sie enthält keine Aufnahmen des in den Einstellungen gewählten Streams.</numerusform>
            <numerusform>%n Rekorder-Festplatten gefunden, aber keine enthält Aufnahmen des in den Einstellungen gewählten Streams.</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>Diese Festplatten sind vorhanden, können aber nicht zum Lesen geöffnet werden: %1. Zum Lesen ist die Mitgliedschaft in der Gruppe „disk“ nötig (nach dem Beitritt neu anmelden) oder Korvane muss mit Leserechten für sie laufen.</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>Übersprungene Datenträgerabbilder:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>Eine Abbilddatei (.img, .dd, .001) öffnen Sie mit „Datenträgerabbild öffnen...“ unten oder im Menü dieser Liste oder mit --image FILE auf der Kommandozeile.</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Datenträgerabbild öffnen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>Festplatteninfo</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Synchron abspielen</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS-Track exportieren</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>Gesamtkapazität</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>Kapazität für Bilder</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>Kapazität für Aufnahmen</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>Nächstes Bild</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>Der Dateiindex wird gelesen; der Fortschrittsbalken ist noch nicht bedienbar</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>Rekorderzeit des aktiven Fensters / Ende seiner Aufnahme</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>Nur I-Frames abspielen</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>Ton an</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>Ton aus</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>Im synchronen Modus muss der Dateiindex erst erstellt sein</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>Bitte zuerst die synchrone Wiedergabe beenden</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>Schnappschuss fehlgeschlagen</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Alle schließen</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>Schnappschuss</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Bereich vergrößern</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>Fensterbeschriftung</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>Fensteraufteilung</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1 Fenster</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4 Fenster</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8 Fenster</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9 Fenster</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16 Fenster</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>Aufnahme konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>Nach Datei exportieren</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>Nach Zeit exportieren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>H264/H265</source>
        <translation>H264/H265</translation>
    </message>
    <message>
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message>
        <source>Merge Export</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>Erzwungen zusammenführen</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Speichern in:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>Aufnahmezeitraum</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Startzeit:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Endzeit:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Exportpfad</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Ordner für Aufnahmen wählen</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>Export der Aufnahmen abbrechen?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>%1 Dateien dieses Exports sind im Ordner schon mit anderem Inhalt vorhanden (die erste: %2). Ersetzen?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Exportpfad</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>Export abgeschlossen</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>Export abgeschlossen: %1 von %2 Dateien fehlgeschlagen</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>Außerhalb des Zeitbereichs</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Export läuft</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>Öffnen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>Export abgebrochen</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>Bilder außerhalb des Zeitbereichs</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>Umwandlung konnte nicht starten </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>Umwandlung abgeschlossen</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Umwandlung läuft</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>Umwandlung fehlgeschlagen</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>Keine Datei ausgewählt</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Ungültige Zeit</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>Kein Kanal ausgewählt</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>die Länge der Aufnahme kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>beschädigte Zeit im Verzeichnis: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>die Datei kann nicht %1 genannt werden: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>Nicht exportiert: %1 ist vorhanden</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>das Exportprotokoll %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>Wählen Sie den Zielordner: einen vollständigen Pfad, etwa %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>Lesen nach %1 von %2 Bytes fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>die Aufnahme endet bei Byte %1 von %2</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>der Stream-Parser hat die Daten abgelehnt</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>Die Aufnahme kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>Die Aufnahme konnte nicht bis zum Ende gelesen werden; der Track endet dort.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>Der Track kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>Die Aufnahme enthält keine GPS-Positionen; der in %1 gespeicherte Track ist leer.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>%1 GPS-Positionen in %2 gespeichert.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS-Track exportieren</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>GPX-Dateien (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>GPS-Positionen der Aufnahme werden gelesen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CKorvane</name>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>Do you want to close</source>
        <translation>Korvane beenden</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>Zum Laden der Karte muss zuerst ein Schlüssel eingerichtet werden</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>Folgen</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>Fahrzeug im Blick behalten</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>Die Kartenbibliothek (Leaflet) fehlt neben dem Programm.</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>Baidu-Karte: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>Der Kartendienst von Baidu konnte nicht geladen werden (kein Netz oder kein gültiger Kartenschlüssel).</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>Die Baidu-Karte konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>Der Kartendienst von Gaode konnte nicht geladen werden (kein Netz oder kein gültiger Kartenschlüssel).</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>Die Gaode-Karte konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>Der Kartendienst von Google konnte nicht geladen werden (kein Netz oder kein gültiger Kartenschlüssel).</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>Der Kartendienst von Google hat den Kartenschlüssel abgelehnt.</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>Die Google-Karte konnte nicht gestartet werden: %1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokal</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>Die Datei %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>Zur Kenntnis genommen</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>Die Kanäle %1 können nicht synchron abgespielt werden: Die Ansicht hat nur %2 Fenster.</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>Kanal %1</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>So</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Di</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Fr</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sa</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>Wird geladen</translation>
    </message>
</context>
</TS>
