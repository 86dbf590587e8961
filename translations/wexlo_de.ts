<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>RuntimeError</name>
    <message>
        <location filename="../src/platform/RuntimeError.cpp" line="+14"/>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bad file name or number</source>
        <translation>Dateiname oder -nummer ungültig</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File already open</source>
        <translation>Datei bereits geöffnet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device I/O error</source>
        <translation>Ein-/Ausgabefehler des Geräts</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File already exists</source>
        <translation>Datei existiert bereits</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Input past end of file</source>
        <translation>Lesen über das Dateiende hinaus</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Too many files</source>
        <translation>Zu viele Dateien</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device unavailable</source>
        <translation>Gerät nicht verfügbar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disk not ready</source>
        <translation>Datenträger nicht bereit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Object variable or With block variable not set</source>
        <translation>Objektvariable oder With-Blockvariable nicht festgelegt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Component not correctly registered</source>
        <translation>Komponente nicht korrekt registriert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Still executing last request</source>
        <translation>Die letzte Anfrage läuft noch</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Request timed out</source>
        <translation>Zeitüberschreitung der Anfrage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>URL is malformed</source>
        <translation>Die Adresse ist fehlerhaft</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
</context>
<context>
    <name>wexlo::FindBar</name>
    <message>
        <location filename="../src/app/FindBar.cpp" line="+21"/>
        <location line="+5"/>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Fi&amp;nd:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Close the find bar</source>
        <translation>Suchleiste schließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Find Bar</source>
        <translation>Suchleiste schließen</translation>
    </message>
    <message numerus="yes">
        <location line="+91"/>
        <source>%1 of %2 loan(s)</source>
        <translation>
            <numerusform>%1 von %2 Ausleihe</numerusform>
            <numerusform>%1 von %2 Ausleihen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>wexlo::MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="+147"/>
        <source>Loans List</source>
        <translation>Liste der Ausleihen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entry panel</source>
        <translation>Eingabebereich</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Deletes the selected loan item</source>
        <translation>Löscht die ausgewählte Ausleihe</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+397"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="-396"/>
        <location line="+395"/>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location line="-394"/>
        <source>Add Item</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+391"/>
        <source>Lent To</source>
        <translation>Verliehen an</translation>
    </message>
    <message>
        <location line="-390"/>
        <location line="+391"/>
        <source>Item</source>
        <translation>Gegenstand</translation>
    </message>
    <message>
        <location line="-388"/>
        <location line="+3"/>
        <source>Phone:</source>
        <translation>Tel.:</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+3"/>
        <source>Lent To:</source>
        <translation>Verliehen an:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Item:</source>
        <translation>Gegenstand:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print List</source>
        <translation>Liste &amp;drucken</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print &amp;Overdue List</source>
        <translation>Liste der Ü&amp;berfälligen drucken</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set &amp;Due Date...</source>
        <translation>Fälligkeits&amp;datum festlegen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Clear Due Date</source>
        <translation>Fälligkeitsdatum &amp;entfernen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mark &amp;Returned</source>
        <translation>Als &amp;zurückgegeben markieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mark &amp;Not Returned</source>
        <translation>Als &amp;nicht zurückgegeben markieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show &amp;Due Dates</source>
        <translation>&amp;Fälligkeitsdaten anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Overdue Only</source>
        <translation>&amp;Nur überfällige</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show &amp;Returned Loans</source>
        <translation>&amp;Zurückgegebene Ausleihen anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Check for Update</source>
        <translation>Nach &amp;Aktualisierung suchen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disable automatic &apos;check for new version&apos;</source>
        <translation>Automatische Suche nach neuen &amp;Versionen abschalten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>The loans could not be read from %1.

Wexlo will not save any changes until it is started again with a readable file.</source>
        <translation>Die Ausleihen konnten nicht aus %1 gelesen werden.

Wexlo speichert keine Änderungen, bis es mit einer lesbaren Datei neu gestartet wird.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The loans were not saved: %1</source>
        <translation>Die Ausleihen wurden nicht gespeichert: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 could not be read at start-up, and saving would replace it. Start Wexlo again once the file can be read.</source>
        <translation>%1 konnte beim Start nicht gelesen werden, und Speichern würde die Datei ersetzen. Starten Sie Wexlo neu, sobald die Datei lesbar ist.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 could not be opened for writing.</source>
        <translation>%1 konnte nicht zum Schreiben geöffnet werden.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Please enter a description for the item</source>
        <translation>Bitte geben Sie eine Beschreibung des Gegenstands ein</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please enter a name for the person you are lending to</source>
        <translation>Bitte geben Sie den Namen der Person ein, an die Sie verleihen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Add Loan</source>
        <translation>Ausleihe hinzufügen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Please select an item before trying to delete it</source>
        <translation>Bitte wählen Sie zuerst einen Eintrag aus, den Sie löschen möchten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>This will delete the selected entry. Are you sure?</source>
        <translation>Der ausgewählte Eintrag wird gelöscht. Sind Sie sicher?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This will delete all selected entries. Are you sure?</source>
        <translation>Alle ausgewählten Einträge werden gelöscht. Sind Sie sicher?</translation>
    </message>
    <message numerus="yes">
        <location line="+8"/>
        <source>Delete %n Loan(s)</source>
        <translation>
            <numerusform>Ausleihe löschen</numerusform>
            <numerusform>%n Ausleihen löschen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Enter date this item was lent</source>
        <translation>Datum der Ausleihe eingeben</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Returned</source>
        <translation>Zurückgegeben</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>returned %1</source>
        <translation>zurückgegeben am %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>overdue, due %1</source>
        <translation>überfällig, fällig am %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>due %1</source>
        <translation>fällig am %1</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Due: %1 (overdue)</source>
        <translation>Fällig: %1 (überfällig)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Due: %1</source>
        <translation>Fällig: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Returned: %1</source>
        <translation>Zurückgegeben: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Enter date this item is due back</source>
        <translation>Rückgabedatum eingeben</translation>
    </message>
    <message>
        <location line="+147"/>
        <source>The updater could not be started: %1
The update package was kept at %2, and Wexlo keeps running.</source>
        <translation>Das Aktualisierungsprogramm konnte nicht gestartet werden: %1
Das Aktualisierungspaket wurde unter %2 aufbewahrt, und Wexlo läuft weiter.</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindowLoanWork.cpp" line="+49"/>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Export to CSV...</source>
        <translation>Als &amp;CSV exportieren...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Remind &amp;Me of Overdue Loans</source>
        <translation>An überfällige Ausleihen &amp;erinnern</translation>
    </message>
    <message numerus="yes">
        <location line="+32"/>
        <source>Clear Due Date(s) of %n Loan(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum entfernen</numerusform>
            <numerusform>Fälligkeitsdaten von %n Ausleihen entfernen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Set Due Date of %n Loan(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum festlegen</numerusform>
            <numerusform>Fälligkeitsdatum von %n Ausleihen festlegen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Mark %n Loan(s) Not Returned</source>
        <translation>
            <numerusform>Ausleihe als nicht zurückgegeben markieren</numerusform>
            <numerusform>%n Ausleihen als nicht zurückgegeben markieren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Mark %n Loan(s) Returned</source>
        <translation>
            <numerusform>Ausleihe als zurückgegeben markieren</numerusform>
            <numerusform>%n Ausleihen als zurückgegeben markieren</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Export to CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The loans were not exported to %1: %2 (%3).</source>
        <translation>Die Ausleihen wurden nicht nach %1 exportiert: %2 (%3).</translation>
    </message>
    <message numerus="yes">
        <location line="+55"/>
        <source>%1 loan(s) overdue</source>
        <translation>
            <numerusform>%1 Ausleihe ist überfällig</numerusform>
            <numerusform>%1 Ausleihen sind überfällig</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The oldest: %1, lent to %2, was due %3.</source>
        <translation>Die älteste: %1, verliehen an %2, war am %3 fällig.</translation>
    </message>
</context>
<context>
    <name>wexlo::app</name>
    <message>
        <location filename="../src/app/Program.cpp" line="+14"/>
        <source>Tracks items you lend to people</source>
        <translation>Behält im Blick, was Sie an wen verliehen haben</translation>
    </message>
</context>
<context>
    <name>wexlo::printing</name>
    <message>
        <location filename="../src/app/LoansPrinter.cpp" line="+43"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lent To</source>
        <translation>Verliehen an</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Item</source>
        <translation>Gegenstand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Returned</source>
        <translation>Zurückgegeben</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The date &quot;%1&quot; of loan %2 cannot be read.</source>
        <translation>Das Datum „%1“ der Ausleihe %2 ist nicht lesbar.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Loans list for %1</source>
        <translation>Liste der Ausleihen vom %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Overdue loans for %1</source>
        <translation>Überfällige Ausleihen am %1</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>The printer did not accept the job.</source>
        <translation>Der Drucker hat den Auftrag nicht angenommen.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The printer could not start a new page.</source>
        <translation>Der Drucker konnte keine neue Seite beginnen.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The printer could not finish the job.</source>
        <translation>Der Drucker konnte den Auftrag nicht abschließen.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The loans list was not printed.

%1</source>
        <translation>Die Liste der Ausleihen wurde nicht gedruckt.

%1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Loans List</source>
        <translation>Liste der Ausleihen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Overdue List</source>
        <translation>Überfällige Ausleihen</translation>
    </message>
</context>
</TS>
