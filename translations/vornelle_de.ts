<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>CoreTexts</name>
    <message>
        <source>No Message on File for This .db: </source>
        <translation>Keine Nachricht für diesen Tag in der .db: </translation>
    </message>
    <message>
        <source>No Message Files Exists! Please check your installation.</source>
        <translation>Keine Nachrichtendateien vorhanden! Bitte prüfen Sie Ihre Installation.</translation>
    </message>
    <message>
        <source>Not a Theme of This Folder, Left Out: </source>
        <translation>Kein Thema dieses Ordners, ausgelassen: </translation>
    </message>
    <message>
        <source>Theme File Not Found, Left Out: </source>
        <translation>Themendatei nicht gefunden, ausgelassen: </translation>
    </message>
    <message>
        <source>The day must be MMDD (0101 to 1231) or 9999 for the description</source>
        <translation>Der Tag muss MMTT (0101 bis 1231) sein oder 9999 für die Beschreibung</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>Schreiben nicht möglich: </translation>
    </message>
    <message>
        <source>Cannot copy the sample </source>
        <translation>Das Beispiel kann nicht kopiert werden: </translation>
    </message>
    <message>
        <source>Cannot create </source>
        <translation>Kann nicht angelegt werden: </translation>
    </message>
    <message>
        <source>Cannot create the folder </source>
        <translation>Der Ordner kann nicht angelegt werden: </translation>
    </message>
    <message>
        <source>Cannot use the folder </source>
        <translation>Der Ordner kann nicht verwendet werden: </translation>
    </message>
    <message>
        <source>Cannot remove </source>
        <translation>Kann nicht entfernt werden: </translation>
    </message>
    <message>
        <source>Cannot write </source>
        <translation>Kann nicht geschrieben werden: </translation>
    </message>
    <message>
        <source>No home folder is known for the user&apos;s themes</source>
        <translation>Für die Themen des Benutzers ist kein persönlicher Ordner bekannt</translation>
    </message>
    <message>
        <source>Lock failed [Insert]</source>
        <translation>Sperren fehlgeschlagen [Einfügen]</translation>
    </message>
    <message>
        <source>Lock failed [Delete]</source>
        <translation>Sperren fehlgeschlagen [Löschen]</translation>
    </message>
    <message>
        <source>Lock failed [Post]</source>
        <translation>Sperren fehlgeschlagen [Speichern]</translation>
    </message>
    <message>
        <source>Lock failed [Restore]</source>
        <translation>Sperren fehlgeschlagen [Wiederherstellen]</translation>
    </message>
    <message>
        <source>Could not create &quot;</source>
        <translation>Konnte nicht angelegt werden: &quot;</translation>
    </message>
    <message>
        <source>Program halted.</source>
        <translation>Programm angehalten.</translation>
    </message>
    <message>
        <source>Start at Login cannot write a name that is not UTF-8 text into a desktop entry: </source>
        <translation>„Beim Anmelden starten“ kann einen Namen, der kein UTF-8-Text ist, nicht in einen Desktop-Eintrag schreiben: </translation>
    </message>
    <message>
        <source>No year has such a day (MMDD): </source>
        <translation>Diesen Tag gibt es in keinem Jahr (MMTT): </translation>
    </message>
    <message>
        <source>Tools &gt; Edit This Day... shows the whole message. Lines not shown: </source>
        <translation>Extras &gt; Diesen Tag bearbeiten... zeigt die ganze Nachricht. Nicht angezeigte Zeilen: </translation>
    </message>
    <message>
        <source>No message for this day in </source>
        <translation>Keine Nachricht für diesen Tag in </translation>
    </message>
    <message>
        <source>A theme needs a name</source>
        <translation>Ein Thema braucht einen Namen</translation>
    </message>
    <message>
        <source>A theme is a file of this folder: its name holds no &quot;/&quot;</source>
        <translation>Ein Thema ist eine Datei dieses Ordners: Sein Name enthält kein „/“</translation>
    </message>
    <message>
        <source>A name that starts with &quot;.&quot; is hidden: the calendar would not list the theme</source>
        <translation>Ein Name, der mit „.“ beginnt, ist verborgen: Der Kalender würde das Thema nicht anzeigen</translation>
    </message>
</context>
<context>
    <name>FontDialog</name>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> pt</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Fett</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Kursiv</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Unterstrichen</translation>
    </message>
    <message>
        <source>S&amp;trikeout</source>
        <translation>&amp;Durchgestrichen</translation>
    </message>
    <message>
        <source>C&amp;olour...</source>
        <translation>Fa&amp;rbe...</translation>
    </message>
    <message>
        <source>Font Colour</source>
        <translation>Schriftfarbe</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schriftart:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Stil:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Farbe:</translation>
    </message>
</context>
<context>
    <name>QtMessageBoxService</name>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>vornelle::app::Delivery</name>
    <message>
        <source>&amp;Notify at Day Change</source>
        <translation>Bei Tageswechsel &amp;benachrichtigen</translation>
    </message>
    <message>
        <source>Start at &amp;Login</source>
        <translation>Beim &amp;Anmelden starten</translation>
    </message>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>Kalender &amp;anzeigen</translation>
    </message>
    <message>
        <source>Copy &amp;Day&apos;s Messages</source>
        <translation>&amp;Nachrichten des Tages kopieren</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>vornelle::app::FindWindow</name>
    <message>
        <source>Text to find</source>
        <translation>Zu suchender Text</translation>
    </message>
    <message>
        <source>The days whose messages hold this text are listed as you type</source>
        <translation>Die Tage, deren Nachrichten diesen Text enthalten, werden schon beim Tippen aufgelistet</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>&amp;All themes</source>
        <translation>&amp;Alle Themen</translation>
    </message>
    <message>
        <source>Search every theme of the folder, not only the displayed ones</source>
        <translation>Alle Themen des Ordners durchsuchen, nicht nur die angezeigten</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Press Enter or double-click to show the day in the calendar</source>
        <translation>Eingabetaste oder Doppelklick zeigt den Tag im Kalender</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Search status</source>
        <translation>Suchstatus</translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation>Nichts gefunden</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>1 day found</source>
        <translation>1 Tag gefunden</translation>
    </message>
    <message>
        <source>%1 days found</source>
        <translation>%1 Tage gefunden</translation>
    </message>
    <message>
        <source>Find Messages</source>
        <translation>Nachrichten suchen</translation>
    </message>
    <message>
        <source>&amp;Whole words</source>
        <translation>&amp;Ganze Wörter</translation>
    </message>
    <message>
        <source>Find the text only where no letter or digit comes right before or after it</source>
        <translation>Den Text nur finden, wo kein Buchstabe und keine Ziffer direkt davor oder danach steht</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>Groß-/&amp;Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Find capitals only where the text has them</source>
        <translation>Großbuchstaben nur finden, wo der Text sie hat</translation>
    </message>
</context>
<context>
    <name>vornelle::app::GoToDateDialog</name>
    <message>
        <source>Go to Date</source>
        <translation>Zu Datum gehen</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Write a date as %1 or %2.</source>
        <translation>Schreiben Sie ein Datum als %1 oder %2.</translation>
    </message>
    <message>
        <source>Not a Date: &quot;%1&quot;. Write a date as %2 or %3.</source>
        <translation>Kein Datum: „%1“. Schreiben Sie ein Datum als %2 oder %3.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::HistoryNavigation</name>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Back to the Day Shown Before.</source>
        <translation>Zurück zum zuvor gezeigten Tag.</translation>
    </message>
    <message>
        <source>F&amp;orward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>Forward to the Day Shown After.</source>
        <translation>Vor zum danach gezeigten Tag.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::NewThemeDialog</name>
    <message>
        <source>Theme text (@MMDD records)</source>
        <translation>Thementext (@MMTT-Datensätze)</translation>
    </message>
    <message>
        <source>calendar file (MM/DD, Mon DD)</source>
        <translation>calendar-Datei (MM/TT, Mon TT)</translation>
    </message>
    <message>
        <source>fortune file (% between sayings)</source>
        <translation>fortune-Datei (% zwischen den Sprüchen)</translation>
    </message>
    <message>
        <source>New Theme from File</source>
        <translation>Neues Thema aus Datei</translation>
    </message>
    <message>
        <source>New Theme</source>
        <translation>Neues Thema</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>Quelldatei</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Du&amp;rchsuchen...</translation>
    </message>
    <message>
        <source>Choose the file the theme is made from</source>
        <translation>Die Datei wählen, aus der das Thema entsteht</translation>
    </message>
    <message>
        <source>&amp;Source file:</source>
        <translation>&amp;Quelldatei:</translation>
    </message>
    <message>
        <source>Kind of file</source>
        <translation>Art der Datei</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Art:</translation>
    </message>
    <message>
        <source>First day of the sayings (MMDD)</source>
        <translation>Erster Tag der Sprüche (MMTT)</translation>
    </message>
    <message>
        <source>First &amp;day (MMDD):</source>
        <translation>Erster &amp;Tag (MMTT):</translation>
    </message>
    <message>
        <source>File name of the new theme</source>
        <translation>Dateiname des neuen Themas</translation>
    </message>
    <message>
        <source>mythoughts.dbf</source>
        <translation>meinegedanken.dbf</translation>
    </message>
    <message>
        <source>&amp;File name:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>Description of the new theme</source>
        <translation>Beschreibung des neuen Themas</translation>
    </message>
    <message>
        <source>the file&apos;s own, or its name</source>
        <translation>die der Datei oder ihr Name</translation>
    </message>
    <message>
        <source>as the options list it</source>
        <translation>wie die Optionen sie anzeigen</translation>
    </message>
    <message>
        <source>D&amp;escription:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>Make a Theme from</source>
        <translation>Thema erstellen aus</translation>
    </message>
    <message>
        <source>The theme&apos;s file</source>
        <translation>Die Datei des Themas</translation>
    </message>
    <message>
        <source>The theme&apos;s file: %1</source>
        <translation>Die Datei des Themas: %1</translation>
    </message>
    <message>
        <source>iCalendar file (.ics, BEGIN:VCALENDAR)</source>
        <translation>iCalendar-Datei (.ics, BEGIN:VCALENDAR)</translation>
    </message>
</context>
<context>
    <name>vornelle::app::Spelling</name>
    <message>
        <source>The spelling language could not be kept in %1</source>
        <translation>Die Rechtschreibsprache konnte nicht in %1 gespeichert werden</translation>
    </message>
    <message>
        <source>No Suggestions</source>
        <translation>Keine Vorschläge</translation>
    </message>
    <message>
        <source>&amp;Add to Dictionary</source>
        <translation>Zum &amp;Wörterbuch hinzufügen</translation>
    </message>
    <message>
        <source>The word could not be added to your dictionary: %1</source>
        <translation>Das Wort konnte nicht zu Ihrem Wörterbuch hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>Spelling &amp;Language</source>
        <translation>Rechtschreib&amp;sprache</translation>
    </message>
    <message>
        <source>No Checking</source>
        <translation>Keine Prüfung</translation>
    </message>
    <message>
        <source>No spelling dictionary is installed, so the theme editor does not check spelling. Install one for your language (for English, the package hunspell-en-us) and open the editor again.</source>
        <translation>Es ist kein Rechtschreibwörterbuch installiert, daher prüft der Themen-Editor die Rechtschreibung nicht. Installieren Sie eines für Ihre Sprache (für Deutsch das Paket hunspell-de-de, für Englisch hunspell-en-us) und öffnen Sie den Editor erneut.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::TAboutBox</name>
    <message>
        <source>%1 icon</source>
        <translation>Symbol von %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Closes this box, as Escape does</source>
        <translation>Schließt dieses Fenster, wie die Escape-Taste</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Visit us at: %1</source>
        <translation>Besuchen Sie uns: %1</translation>
    </message>
    <message>
        <source>Email us at: %1</source>
        <translation>Schreiben Sie uns: %1</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
</context>
<context>
    <name>vornelle::app::TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Save Changes Made</source>
        <translation>Änderungen &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;Day&apos;s Messages</source>
        <translation>&amp;Nachrichten des Tages kopieren</translation>
    </message>
    <message>
        <source>&amp;Find Messages...</source>
        <translation>Nachrichten &amp;suchen...</translation>
    </message>
    <message>
        <source>&amp;Go to Date...</source>
        <translation>Zu &amp;Datum gehen...</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Edit Themes...</source>
        <translation>&amp;Themen bearbeiten...</translation>
    </message>
    <message>
        <source>Edit &amp;This Day...</source>
        <translation>&amp;Diesen Tag bearbeiten...</translation>
    </message>
    <message>
        <source>Use &amp;Desktop Colours</source>
        <translation>Desktop-&amp;Farben verwenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Configure options for the program.</source>
        <translation>Die Optionen des Programms einstellen.</translation>
    </message>
    <message>
        <source>Save Changes Made.</source>
        <translation>Die Änderungen speichern.</translation>
    </message>
    <message>
        <source>Get Help For The Program.</source>
        <translation>Hilfe zum Programm.</translation>
    </message>
    <message>
        <source>Information About The Program.</source>
        <translation>Informationen über das Programm.</translation>
    </message>
    <message>
        <source>Write and Change the Themes&apos; Messages.</source>
        <translation>Die Nachrichten der Themen schreiben und ändern.</translation>
    </message>
    <message>
        <source>Go to Today.</source>
        <translation>Zum heutigen Tag gehen.</translation>
    </message>
    <message>
        <source>Exit The Program.</source>
        <translation>Das Programm beenden.</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Save Changes Made</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Edit Themes</source>
        <translation>Themen bearbeiten</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Calendar panel</source>
        <translation>Kalenderbereich</translation>
    </message>
    <message>
        <source>Click on any day to see more messages.</source>
        <translation>Klicken Sie auf einen Tag, um weitere Nachrichten zu sehen.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>The selected day&apos;s messages are in the pane below</source>
        <translation>Die Nachrichten des ausgewählten Tages stehen im Bereich darunter</translation>
    </message>
    <message>
        <source>Previous Month</source>
        <translation>Voriger Monat</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Messages of the day</source>
        <translation>Nachrichten des Tages</translation>
    </message>
    <message>
        <source>Messages of %1</source>
        <translation>Nachrichten vom %1</translation>
    </message>
    <message>
        <source>The help file %1 is missing</source>
        <translation>Die Hilfedatei %1 fehlt</translation>
    </message>
    <message>
        <source>The help page %1 could not be opened</source>
        <translation>Die Hilfeseite %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Not a Date: &quot;%1&quot;. Write a date as %2 or %3.</source>
        <translation>Kein Datum: „%1“. Schreiben Sie ein Datum als %2 oder %3.</translation>
    </message>
    <message>
        <source>Save Changes Before Exiting?</source>
        <translation>Änderungen vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>Close Without Saving?</source>
        <translation>Ohne Speichern schließen?</translation>
    </message>
    <message>
        <source>&amp;Quiet Days Without Messages</source>
        <translation>&amp;Ruhige Tage ohne Nachrichten</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>&amp;Rückwärts suchen</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Selected Day</source>
        <translation>Gewählter Tag</translation>
    </message>
    <message>
        <source>Its Week</source>
        <translation>Seine Woche</translation>
    </message>
    <message>
        <source>Its Month</source>
        <translation>Sein Monat</translation>
    </message>
    <message>
        <source>Days to print</source>
        <translation>Zu druckende Tage</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>&amp;Days to export:</source>
        <translation>Zu exportierende &amp;Tage:</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>The PDF file %1 could not be written: %2</source>
        <translation>Die PDF-Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>vornelle::app::ThemeEditor</name>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>The theme whose records are shown</source>
        <translation>Das Thema, dessen Datensätze angezeigt werden</translation>
    </message>
    <message>
        <source>&amp;Theme:</source>
        <translation>&amp;Thema:</translation>
    </message>
    <message>
        <source>&amp;New Theme...</source>
        <translation>&amp;Neues Thema...</translation>
    </message>
    <message>
        <source>Make an empty theme in this folder</source>
        <translation>Ein leeres Thema in diesem Ordner anlegen</translation>
    </message>
    <message>
        <source>New Theme from &amp;File...</source>
        <translation>Neues Thema aus &amp;Datei...</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>The theme&apos;s records in file order: day, first line of the message, deleted mark</source>
        <translation>Die Datensätze des Themas in der Reihenfolge der Datei: Tag, erste Zeile der Nachricht, Löschmarkierung</translation>
    </message>
    <message>
        <source>Day (MMDD)</source>
        <translation>Tag (MMTT)</translation>
    </message>
    <message>
        <source>The record&apos;s key: month and day as four digits, or 9999 for the description</source>
        <translation>Der Schlüssel des Datensatzes: Monat und Tag als vier Ziffern oder 9999 für die Beschreibung</translation>
    </message>
    <message>
        <source>&amp;Day (MMDD):</source>
        <translation>T&amp;ag (MMTT):</translation>
    </message>
    <message>
        <source>Note on this record</source>
        <translation>Hinweis zu diesem Datensatz</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>Nachr&amp;icht:</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>The whole message the calendar shows for this day</source>
        <translation>Die ganze Nachricht, die der Kalender für diesen Tag zeigt</translation>
    </message>
    <message>
        <source>New Da&amp;y</source>
        <translation>Neuer Ta&amp;g</translation>
    </message>
    <message>
        <source>Start a new record for a day (Ctrl+N)</source>
        <translation>Einen neuen Datensatz für einen Tag beginnen (Strg+N)</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Mark the record deleted</source>
        <translation>Den Datensatz als gelöscht markieren</translation>
    </message>
    <message>
        <source>R&amp;estore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Take the deleted mark away</source>
        <translation>Die Löschmarkierung entfernen</translation>
    </message>
    <message>
        <source>Re&amp;vert</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Show the record as the file holds it, dropping the changes</source>
        <translation>Den Datensatz so zeigen, wie die Datei ihn enthält, und die Änderungen verwerfen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Write the record to the theme (Ctrl+S)</source>
        <translation>Den Datensatz in das Thema schreiben (Strg+S)</translation>
    </message>
    <message>
        <source>Choose a theme, or make a new one.</source>
        <translation>Wählen Sie ein Thema oder legen Sie ein neues an.</translation>
    </message>
    <message>
        <source>This theme&apos;s file may not be changed; its records are shown only.</source>
        <translation>Die Datei dieses Themas darf nicht geändert werden; ihre Datensätze werden nur angezeigt.</translation>
    </message>
    <message>
        <source>A new record: type its day and message, then Save.</source>
        <translation>Ein neuer Datensatz: Tag und Nachricht eingeben, dann Speichern.</translation>
    </message>
    <message>
        <source>This key is no day: the calendar never shows this record.</source>
        <translation>Dieser Schlüssel ist kein Tag: Der Kalender zeigt diesen Datensatz nie.</translation>
    </message>
    <message>
        <source>A second record for %1: the calendar shows the first (record %2).</source>
        <translation>Ein zweiter Datensatz (%1): Der Kalender zeigt den ersten (Datensatz %2).</translation>
    </message>
    <message>
        <source>the description</source>
        <translation>die Beschreibung</translation>
    </message>
    <message>
        <source>The theme&apos;s description, as the options list it.</source>
        <translation>Die Beschreibung des Themas, wie die Optionen sie anzeigen.</translation>
    </message>
    <message>
        <source>%1; nothing was written.</source>
        <translation>%1; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Vornelle Theme Editor</source>
        <translation>Vornelle-Themeneditor</translation>
    </message>
    <message>
        <source>Save Changes to This Day?</source>
        <translation>Änderungen an diesem Tag speichern?</translation>
    </message>
    <message>
        <source>&amp;Remove Deleted Days...</source>
        <translation>Gelöschte Tage &amp;entfernen...</translation>
    </message>
    <message>
        <source>Remove the records marked deleted from the theme for good</source>
        <translation>Die als gelöscht markierten Datensätze endgültig aus dem Thema entfernen</translation>
    </message>
    <message>
        <source>The theme&apos;s description, as the options list it. Its day stays 9999: the calendar needs it.</source>
        <translation>Die Beschreibung des Themas, wie die Optionen sie anzeigen. Ihr Tag bleibt 9999: Der Kalender braucht ihn.</translation>
    </message>
    <message>
        <source>Deleted: the calendar still shows it until Remove Deleted Days removes it; Restore takes the mark away.</source>
        <translation>Gelöscht: Der Kalender zeigt ihn weiter, bis „Gelöschte Tage entfernen“ ihn entfernt; Wiederherstellen nimmt die Markierung weg.</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Another program is changing this theme. Your text is kept; try again in a moment.

%1</source>
        <translation>Ein anderes Programm ändert dieses Thema gerade. Ihr Text bleibt erhalten; versuchen Sie es gleich noch einmal.

%1</translation>
    </message>
    <message>
        <source>Another program replaced the theme %1 since the editor opened it (a new import of it, for example). Nothing was written. The editor now shows the new table, with your text kept: Save writes it there.</source>
        <translation>Ein anderes Programm hat das Thema %1 ersetzt, seit der Editor es geöffnet hat (etwa durch einen neuen Import). Es wurde nichts geschrieben. Der Editor zeigt jetzt die neue Tabelle, Ihr Text bleibt erhalten: Speichern schreibt ihn dorthin.</translation>
    </message>
    <message>
        <source>Another program changed this day since the editor showed it.

Keep Mine writes your text over theirs. Take Theirs shows their text; Ctrl+Z in the message brings yours back. Cancel writes nothing.</source>
        <translation>Ein anderes Programm hat diesen Tag geändert, seit der Editor ihn angezeigt hat.

„Meinen behalten“ schreibt Ihren Text über den anderen. „Ihren übernehmen“ zeigt den anderen Text; Strg+Z in der Nachricht holt Ihren zurück. Abbrechen schreibt nichts.</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>&amp;Meinen behalten</translation>
    </message>
    <message>
        <source>&amp;Take Theirs</source>
        <translation>&amp;Ihren übernehmen</translation>
    </message>
    <message>
        <source>The description</source>
        <translation>Die Beschreibung</translation>
    </message>
    <message>
        <source>%1 has a record already, and the calendar shows that one. Add a second record for it anyway?</source>
        <translation>Für %1 gibt es schon einen Datensatz, und der Kalender zeigt diesen. Trotzdem einen zweiten anlegen?</translation>
    </message>
    <message>
        <source>&amp;Add Second Record</source>
        <translation>Zweiten Datensatz &amp;anlegen</translation>
    </message>
    <message>
        <source>Drop your changes to this day and show it as the theme holds it?</source>
        <translation>Ihre Änderungen an diesem Tag verwerfen und ihn so zeigen, wie das Thema ihn enthält?</translation>
    </message>
    <message>
        <source>&amp;Revert</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Remove the days marked deleted from %1 for good?

The theme is written anew; no other program may have it open meanwhile.</source>
        <translation>Die als gelöscht markierten Tage endgültig aus %1 entfernen?

Das Thema wird neu geschrieben; kein anderes Programm darf es dabei geöffnet haben.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>%1: %2 deleted days removed, %3 records kept.</source>
        <translation>%1: %2 gelöschte Tage entfernt, %3 Datensätze behalten.</translation>
    </message>
    <message>
        <source>The theme&apos;s code page (%1) cannot hold the character %2; nothing was written.</source>
        <translation>Die Codepage des Themas (%1) kann das Zeichen %2 nicht aufnehmen; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>&amp;Copy to My Themes</source>
        <translation>In &amp;meine Themen kopieren</translation>
    </message>
    <message>
        <source>Copy this theme of the system&apos;s into your own themes, where you can change it</source>
        <translation>Dieses Thema des Systems in Ihre eigenen Themen kopieren, wo Sie es ändern können</translation>
    </message>
    <message>
        <source>Export as &amp;iCalendar...</source>
        <translation>Als iCalendar e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Write the theme as an iCalendar file for calendar programs and phones (Ctrl+E)</source>
        <translation>Das Thema als iCalendar-Datei für Kalenderprogramme und Telefone schreiben (Strg+E)</translation>
    </message>
    <message>
        <source>A theme the system provides: its records are shown only. Copy to My Themes makes a copy you can change.</source>
        <translation>Ein Thema des Systems: Seine Datensätze werden nur angezeigt. „In meine Themen kopieren“ legt eine Kopie an, die Sie ändern können.</translation>
    </message>
    <message>
        <source>%1 is one of your own themes now: your changes go to your copy.</source>
        <translation>%1 ist jetzt eines Ihrer eigenen Themen: Ihre Änderungen gehen in Ihre Kopie.</translation>
    </message>
    <message>
        <source>Export Theme as iCalendar</source>
        <translation>Thema als iCalendar exportieren</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>iCalendar-Dateien (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 days of %2 written to %3.</source>
        <translation>%1 Tage von %2 in %3 geschrieben.</translation>
    </message>
    <message>
        <source>Make a theme from a theme text, calendar, iCalendar or fortune file</source>
        <translation>Ein Thema aus einem Thementext, einer calendar-, iCalendar- oder fortune-Datei anlegen</translation>
    </message>
</context>
<context>
    <name>vornelle::app::ThemeRecordsModel</name>
    <message>
        <source>Deleted</source>
        <translation>Gelöscht</translation>
    </message>
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
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
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
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A theme&apos;s day: the day of the month and the month&apos;s name, as in &quot;8 December&quot;.</extracomment>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
</context>
<context>
    <name>vornelle::options::TMyColorGrid</name>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Kastanienbraun</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliv</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Marineblau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Silber</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Türkis</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Foreground and background color</source>
        <translation>Vorder- und Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Foreground color</source>
        <translation>Vordergrundfarbe</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
</context>
<context>
    <name>vornelle::options::TOptionsF</name>
    <message>
        <source>Calendar Month Background Color</source>
        <translation>Hintergrundfarbe des Monats</translation>
    </message>
    <message>
        <source>Calendar Title Background Color</source>
        <translation>Hintergrundfarbe des Titels</translation>
    </message>
    <message>
        <source>Calendar Title Text Color</source>
        <translation>Textfarbe des Titels</translation>
    </message>
    <message>
        <source>Calendar Title Trailing Text Color</source>
        <translation>Textfarbe der Nachbarmonate</translation>
    </message>
    <message>
        <source>Window Color</source>
        <translation>Fensterfarbe</translation>
    </message>
    <message>
        <source>%1 Options</source>
        <translation>%1-Optionen</translation>
    </message>
    <message>
        <source>Available Themes</source>
        <translation>Verfügbare Themen</translation>
    </message>
    <message>
        <source>Themes to Display</source>
        <translation>Angezeigte Themen</translation>
    </message>
    <message>
        <source>Add -&gt;</source>
        <translation>Hinzu -&gt;</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Color Options</source>
        <translation>Farboptionen</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Not in use while Tools &gt; Use Desktop Colours is on.</source>
        <translation>Ohne Wirkung, solange Extras &gt; Desktop-Farben verwenden an ist.</translation>
    </message>
    <message>
        <source>Font Options</source>
        <translation>Schriftoptionen</translation>
    </message>
    <message>
        <source>Set Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Message Text Font</source>
        <translation>Schrift der Nachrichten</translation>
    </message>
    <message>
        <source>Calendar Text Font</source>
        <translation>Schrift des Kalenders</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The themes whose messages the calendar shows</source>
        <translation>Die Themen, deren Nachrichten der Kalender zeigt</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Adds the highlighted available theme to the themes to display</source>
        <translation>Fügt das markierte verfügbare Thema den angezeigten Themen hinzu</translation>
    </message>
    <message>
        <source>Removes the highlighted theme from the themes to display</source>
        <translation>Entfernt das markierte Thema aus den angezeigten Themen</translation>
    </message>
    <message>
        <source>Left and Right arrows change this color</source>
        <translation>Die Pfeiltasten nach links und rechts ändern diese Farbe</translation>
    </message>
    <message>
        <source>Color Grid</source>
        <translation>Farbraster</translation>
    </message>
    <message>
        <source>The marked cell is the checked item&apos;s color</source>
        <translation>Das markierte Feld ist die Farbe des gewählten Eintrags</translation>
    </message>
    <message>
        <source>Set Message Text Font</source>
        <translation>Schrift der Nachrichten einstellen</translation>
    </message>
    <message>
        <source>Set Calendar Text Font</source>
        <translation>Schrift des Kalenders einstellen</translation>
    </message>
    <message>
        <source>Keeps the changes and closes the dialog</source>
        <translation>Behält die Änderungen und schließt den Dialog</translation>
    </message>
    <message>
        <source>Closes the dialog without the changes</source>
        <translation>Schließt den Dialog ohne die Änderungen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Error creating font window!</source>
        <translation>Fehler beim Öffnen des Schriftfensters!</translation>
    </message>
    <message>
        <source>You must highlight a Theme to add.</source>
        <translation>Sie müssen ein Thema zum Hinzufügen markieren.</translation>
    </message>
    <message>
        <source>That Theme is already being displayed.</source>
        <translation>Dieses Thema wird bereits angezeigt.</translation>
    </message>
    <message>
        <source>You must highlight a Theme to remove.</source>
        <translation>Sie müssen ein Thema zum Entfernen markieren.</translation>
    </message>
    <message>
        <source>You made changes. Do you really want to exit without applying?</source>
        <translation>Sie haben Änderungen vorgenommen. Wollen Sie wirklich schließen, ohne sie zu übernehmen?</translation>
    </message>
</context>
</TS>
