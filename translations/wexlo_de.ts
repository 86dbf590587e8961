<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Help</name>
    <message>
        <location filename="../src/shared/util/Help.cpp" line="+50"/>
        <source>Cannot find help file %1</source>
        <translation>Hilfedatei %1 nicht gefunden</translation>
    </message>
</context>
<context>
    <name>PackageSignature</name>
    <message>
        <location filename="../src/shared/updater/PackageSignature.cpp" line="+215"/>
        <source>Error - This copy cannot verify update packages.</source>
        <translation>Fehler – Diese Kopie kann Aktualisierungspakete nicht prüfen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is not signed by the maker.</source>
        <translation>Fehler – Das Aktualisierungspaket ist nicht vom Hersteller signiert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is signed with another key.</source>
        <translation>Fehler – Das Aktualisierungspaket ist mit einem anderen Schlüssel signiert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package was changed after signing.</source>
        <translation>Fehler – Das Aktualisierungspaket wurde nach dem Signieren verändert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package&apos;s signature was tampered with.</source>
        <translation>Fehler – Die Signatur des Aktualisierungspakets wurde manipuliert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is signed for another version.</source>
        <translation>Fehler – Das Aktualisierungspaket ist für eine andere Version signiert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is not newer than this version.</source>
        <translation>Fehler – Das Aktualisierungspaket ist nicht neuer als diese Version.</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <location filename="../src/platform/RuntimeError.cpp" line="+15"/>
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
        <location line="+4"/>
        <source>Component not correctly registered</source>
        <translation>Komponente nicht korrekt registriert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <location line="+3"/>
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
        <location line="+3"/>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <location filename="../src/shared/settings/SettingsStore.cpp" line="+303"/>
        <source>Unable to write to settings file - possibly read-only?</source>
        <translation>Die Einstellungsdatei kann nicht geschrieben werden – ist sie schreibgeschützt?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>You&apos;ve run out of disk space on drive %1:<byte value="xd"/>Please clear some space and then click OK to attempt to save again.</source>
        <translation>Auf Laufwerk %1 ist kein Speicherplatz mehr frei.<byte value="xd"/>Bitte schaffen Sie Platz und klicken Sie dann auf OK, um erneut zu speichern.</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <location filename="../src/platform/Transfer.cpp" line="+73"/>
        <source>The response is longer than its Content-Length</source>
        <translation>Die Antwort ist länger, als ihr Content-Length-Header angibt</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The address uses a protocol that is not supported.</source>
        <translation>Die Adresse verwendet ein nicht unterstütztes Protokoll.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The address is not valid.</source>
        <translation>Die Adresse ist ungültig.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The proxy server was not found. Please check the proxy settings.</source>
        <translation>Der Proxyserver wurde nicht gefunden. Bitte prüfen Sie die Proxy-Einstellungen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server was not found. Please check your internet connection.</source>
        <translation>Der Server wurde nicht gefunden. Bitte prüfen Sie Ihre Internetverbindung.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Could not connect to the server.</source>
        <translation>Keine Verbindung zum Server möglich.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The proxy server refused the connection.</source>
        <translation>Der Proxyserver hat die Verbindung abgelehnt.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server did not answer in time.</source>
        <translation>Der Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A secure connection to the server could not be made.</source>
        <translation>Es konnte keine sichere Verbindung zum Server hergestellt werden.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The server&apos;s certificate could not be verified.</source>
        <translation>Das Zertifikat des Servers konnte nicht überprüft werden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server answered with an error.</source>
        <translation>Der Server hat mit einem Fehler geantwortet.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server refused access.</source>
        <translation>Der Server hat den Zugriff verweigert.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file was not found on the server.</source>
        <translation>Die Datei wurde auf dem Server nicht gefunden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The connection ended before the whole file had arrived.</source>
        <translation>Die Verbindung wurde beendet, bevor die Datei vollständig übertragen war.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server sent no answer.</source>
        <translation>Der Server hat keine Antwort gesendet.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The connection to the server was interrupted.</source>
        <translation>Die Verbindung zum Server wurde unterbrochen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server&apos;s answer could not be read.</source>
        <translation>Die Antwort des Servers ist nicht lesbar.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server redirected the request too often.</source>
        <translation>Der Server hat die Anfrage zu oft weitergeleitet.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The received data could not be written.</source>
        <translation>Die empfangenen Daten konnten nicht geschrieben werden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file is larger than allowed.</source>
        <translation>Die Datei ist größer als erlaubt.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>There is not enough memory for the transfer.</source>
        <translation>Für die Übertragung ist nicht genügend Arbeitsspeicher vorhanden.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The transfer failed: %1</source>
        <translation>Die Übertragung ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+625"/>
        <source>Refused a redirect from https to %1</source>
        <translation>Eine Weiterleitung von https auf %1 wurde abgelehnt</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <location filename="../src/shared/util/Web.cpp" line="+17"/>
        <source>There was an ERROR?</source>
        <translation>Es ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open URL Error</source>
        <translation>Fehler beim Öffnen der Adresse</translation>
    </message>
</context>
<context>
    <name>wexlo::AboutDialog</name>
    <message>
        <location filename="../src/shared/ui/AboutDialog.cpp" line="+143"/>
        <location line="+3"/>
        <source>Exit</source>
        <comment>closes this window</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hover the mouse over icons for details. Click icons to open in your browser.</source>
        <translation>Maus auf ein Symbol: Details. Klick darauf: im Browser öffnen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Webmasters:</source>
        <translation>Webmaster:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Get PAD files for all my software here</source>
        <translation>PAD-Dateien aller meiner Programme</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Click the covers for your chance to win a copy --&gt;</source>
        <translation>Cover anklicken, Exemplar gewinnen --&gt;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Click a cover to open its page in your browser.</source>
        <translation>Ein Klick öffnet die Seite des Buchs im Browser.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Book 1</source>
        <translation>Buch 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Book 2</source>
        <translation>Buch 2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Try these other free programs from %1:</source>
        <translation>Probieren Sie weitere kostenlose Programme von %1:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Books by the author of %1&apos;s programs</source>
        <translation>Bücher vom Autor der Programme von %1</translation>
    </message>
</context>
<context>
    <name>wexlo::DateEntryDialog</name>
    <message>
        <location filename="../src/shared/dates/DateEntryDialog.cpp" line="+134"/>
        <source>Enter the date</source>
        <translation>Datum eingeben</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Day/Month/Year:</source>
        <translation>Tag/Monat/Jahr:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>MM/DD</source>
        <translation>MM/TT</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>DD/MM</source>
        <translation>TT/MM</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Enter the date (%1)</source>
        <translation>Datum eingeben (%1)</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The date must be in the current month (up to %1)</source>
        <translation>Das Datum muss im laufenden Monat liegen (bis %1)</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Invalid Date</source>
        <translation>Ungültiges Datum</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Year must be 2 or 4 digits. If you enter 2 digits I will guess at the century.</source>
        <translation>Das Jahr muss 2- oder 4-stellig sein. Bei 2 Ziffern wird das Jahrhundert geschätzt.</translation>
    </message>
</context>
<context>
    <name>wexlo::ErrorReportDialog</name>
    <message>
        <location filename="../src/shared/ui/ErrorReportDialog.cpp" line="+60"/>
        <source>Error Reporter</source>
        <translation>Fehlerbericht</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>You will get a chance to preview the report before sending.</source>
        <translation>Sie können den Bericht vor dem Senden ansehen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>An error has ocurred:</source>
        <translation>Ein Fehler ist aufgetreten:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error Details</source>
        <translation>Fehlerdetails</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This is the error which ocurred</source>
        <translation>Dies ist der aufgetretene Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This is the content of the program&apos;s log file</source>
        <translation>Dies ist der Inhalt der Protokolldatei des Programms</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter your own comments here</source>
        <translation>Geben Sie hier Ihre eigenen Anmerkungen ein</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>These comments will be added to your error report.</source>
        <translation>Diese Anmerkungen werden Ihrem Fehlerbericht beigefügt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter Comments</source>
        <translation>Anmerkungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>If you want to add any comments before submitting an error report, click here.</source>
        <translation>Klicken Sie hier, um vor dem Senden des Fehlerberichts Anmerkungen hinzuzufügen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>View Log File</source>
        <translation>Protokoll anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click this button to view the log file</source>
        <translation>Klicken Sie hier, um die Protokolldatei anzuzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>View Error Report</source>
        <translation>Bericht anzeigen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Submit Error Report</source>
        <translation>Fehlerbericht senden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <comment>closes this window</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+138"/>
        <source>If the &apos;submit report&apos; button doesn&apos;t work on your system, open an email to &apos;%1&apos; and paste the following text into it.  Your reports are appreciated.</source>
        <translation>Falls die Schaltfläche „Fehlerbericht senden“ auf Ihrem System nicht funktioniert, schreiben Sie eine E-Mail an „%1“ und fügen Sie den folgenden Text ein. Vielen Dank für Ihre Berichte.</translation>
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
        <location filename="../src/app/MainWindow.cpp" line="+161"/>
        <source>Loans List</source>
        <translation>Liste der Ausleihen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Entry panel</source>
        <translation>Eingabebereich</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
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
        <location line="+7"/>
        <location line="+449"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="-443"/>
        <location line="+442"/>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location line="-439"/>
        <location line="+3"/>
        <source>Add Item</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+428"/>
        <source>Lent To</source>
        <translation>Verliehen an</translation>
    </message>
    <message>
        <location line="-422"/>
        <location line="+423"/>
        <source>Item</source>
        <translation>Gegenstand</translation>
    </message>
    <message>
        <location line="-420"/>
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
        <location line="+4"/>
        <location line="+3"/>
        <source>Item:</source>
        <translation>Gegenstand:</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print List</source>
        <translation>Liste &amp;drucken</translation>
    </message>
    <message>
        <location line="+1"/>
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
        <location line="+2"/>
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
        <location line="+1"/>
        <source>Show &amp;Returned Loans</source>
        <translation>&amp;Zurückgegebene Ausleihen anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check for Update</source>
        <translation>Nach &amp;Aktualisierung suchen</translation>
    </message>
    <message>
        <location line="+1"/>
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
        <location line="+66"/>
        <source>The loans could not be read from %1.

Wexlo will not save any changes until it is started again with a readable file.</source>
        <translation>Die Ausleihen konnten nicht aus %1 gelesen werden.

Wexlo speichert keine Änderungen, bis es mit einer lesbaren Datei neu gestartet wird.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The loans were not saved: %1</source>
        <translation>Die Ausleihen wurden nicht gespeichert: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 could not be read at start-up, and saving would replace it. Start Wexlo again once the file can be read.</source>
        <translation>%1 konnte beim Start nicht gelesen werden, und Speichern würde die Datei ersetzen. Starten Sie Wexlo neu, sobald die Datei lesbar ist.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 could not be opened for writing.</source>
        <translation>%1 konnte nicht zum Schreiben geöffnet werden.</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Please enter a description for the item</source>
        <translation>Bitte geben Sie eine Beschreibung des Gegenstands ein</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Please enter a name for the person you are lending to</source>
        <translation>Bitte geben Sie den Namen der Person ein, an die Sie verleihen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Add Loan</source>
        <translation>Ausleihe hinzufügen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Please select an item before trying to delete it</source>
        <translation>Bitte wählen Sie zuerst einen Eintrag aus, den Sie löschen möchten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This will delete the selected entry. Are you sure?</source>
        <translation>Der ausgewählte Eintrag wird gelöscht. Sind Sie sicher?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This will delete all selected entries. Are you sure?</source>
        <translation>Alle ausgewählten Einträge werden gelöscht. Sind Sie sicher?</translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>Delete %n Loan(s)</source>
        <translation>
            <numerusform>Ausleihe löschen</numerusform>
            <numerusform>%n Ausleihen löschen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Enter date this item was lent</source>
        <translation>Datum der Ausleihe eingeben</translation>
    </message>
    <message>
        <location line="+52"/>
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
        <location line="+10"/>
        <source>Enter date this item is due back</source>
        <translation>Rückgabedatum eingeben</translation>
    </message>
    <message>
        <location line="+151"/>
        <source>The updater could not be started: %1
The update package was kept at %2, and Wexlo keeps running.</source>
        <translation>Das Aktualisierungsprogramm konnte nicht gestartet werden: %1
Das Aktualisierungspaket wurde unter %2 aufbewahrt, und Wexlo läuft weiter.</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindowLoanWork.cpp" line="+57"/>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <location line="+15"/>
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
        <location line="+14"/>
        <source>The loans were not exported to %1: %2 (%3).</source>
        <translation>Die Ausleihen wurden nicht nach %1 exportiert: %2 (%3).</translation>
    </message>
    <message numerus="yes">
        <location line="+53"/>
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
    <name>wexlo::ProxyDialog</name>
    <message>
        <location filename="../src/shared/internet/ProxyDialog.cpp" line="+51"/>
        <source>Proxy Setup</source>
        <translation>Proxy einrichten</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Manual Settings</source>
        <translation>Manuelle Einstellungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Allows you to specify proxy settings manually</source>
        <translation>Proxy-Einstellungen von Hand festlegen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>System Default Proxy</source>
        <translation>System-Proxy</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uses your Internet Explorer settings</source>
        <translation>Verwendet die Proxy-Einstellungen des Systems</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No Proxy</source>
        <translation>Kein Proxy</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Switches off the proxy</source>
        <translation>Schaltet den Proxy ab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Proxy Settings</source>
        <translation>Proxy-Einstellungen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>User:</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Enter Again:</source>
        <translation>Bestätigen:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Your passwords don&apos;t match.  Please retype them.</source>
        <translation>Die Passwörter stimmen nicht überein. Bitte geben Sie sie erneut ein.</translation>
    </message>
</context>
<context>
    <name>wexlo::TransferWindow</name>
    <message>
        <location filename="../src/shared/internet/TransferWindow.cpp" line="+129"/>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <location line="+153"/>
        <source>No address specified</source>
        <translation>Keine Adresse angegeben</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+12"/>
        <source>Download cancelled</source>
        <translation>Herunterladen abgebrochen</translation>
    </message>
    <message>
        <location line="+107"/>
        <location line="+207"/>
        <source>Download failed. Please try again.</source>
        <translation>Herunterladen fehlgeschlagen. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="-206"/>
        <source>Download timed out. Please try again.</source>
        <translation>Zeitüberschreitung beim Herunterladen. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Resolving host</source>
        <translation>Host wird aufgelöst</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Resolved host</source>
        <translation>Host aufgelöst</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Connecting</source>
        <translation>Verbindung wird hergestellt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <location line="+110"/>
        <source>Downloading</source>
        <translation>Wird heruntergeladen</translation>
    </message>
    <message>
        <location line="+78"/>
        <location line="+50"/>
        <source>Downloaded %1 kb (100%)</source>
        <translation>%1 kB heruntergeladen (100 %)</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>%1 kb of %2 kb (%3%)</source>
        <translation>%1 kB von %2 kB (%3 %)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 kb downloaded</source>
        <translation>%1 kB heruntergeladen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Downloaded %1kb</source>
        <translation>%1 kB heruntergeladen</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Transfer timed out</source>
        <translation>Zeitüberschreitung bei der Übertragung</translation>
    </message>
</context>
<context>
    <name>wexlo::UpdateWindow</name>
    <message>
        <location filename="../src/shared/updater/UpdateWindow.cpp" line="+75"/>
        <source>The internet control (MSINET.OCX) is missing or outdated. Visit the Runtimes page on %1 to download an updated version.</source>
        <translation>Die Internet-Komponente (MSINET.OCX) fehlt oder ist veraltet. Eine aktuelle Version finden Sie auf der Runtimes-Seite von %1.</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>%1 Updater</source>
        <translation>%1 – Aktualisierung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 version %2</source>
        <translation>%1 Version %2</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+3"/>
        <source>Check Again</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Show Version Details</source>
        <translation>Versionsdetails anzeigen</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Reads details of the latest version from the server</source>
        <translation>Liest die Details der neuesten Version vom Server</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Proxy Setup</source>
        <translation>Proxy einrichten</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Exit</source>
        <comment>closes this window</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Download Only</source>
        <translation>Nur herunterladen</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>This will download the update package without installing it.</source>
        <translation>Lädt das Aktualisierungspaket herunter, ohne es zu installieren.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Download and Install</source>
        <translation>Herunterladen und installieren</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>This will download the update package and update your copy of the program</source>
        <translation>Lädt das Aktualisierungspaket herunter und aktualisiert Ihre Kopie des Programms</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Version details</source>
        <translation>Versionsdetails</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+4"/>
        <source>Disable automatic checking</source>
        <translation>Automatische Prüfung abschalten</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>If you tick this box, the program will NOT check for updated versions. Recommended setting: not ticked</source>
        <translation>Wenn Sie dieses Kästchen ankreuzen, sucht das Programm NICHT nach neuen Versionen. Empfohlen: nicht angekreuzt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>You have:</source>
        <translation>Ihre Version:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Privacy Guarantee: No information is sent from your computer when you check for updates.</source>
        <translation>Datenschutzgarantie: Bei der Suche nach Aktualisierungen werden keine Daten von Ihrem Computer gesendet.</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Checking for update</source>
        <translation>Suche nach Aktualisierung</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Update check failed. Visit %1 to update this program manually.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen. Besuchen Sie %1, um das Programm von Hand zu aktualisieren.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Could not retrieve update status</source>
        <translation>Aktualisierungsstatus nicht abrufbar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Data retrieved</source>
        <translation>Daten empfangen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Could not read update status from file</source>
        <translation>Aktualisierungsstatus in der Datei nicht lesbar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Update check failed, could not read download filename</source>
        <translation>Suche fehlgeschlagen, Name der Download-Datei nicht lesbar</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Version %1 is available!</source>
        <translation>Version %1 ist verfügbar!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>An update is available. Would you like to view the details now?</source>
        <translation>Eine Aktualisierung ist verfügbar. Möchten Sie die Details jetzt ansehen?</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You&apos;re up to date!</source>
        <translation>Sie sind auf dem neuesten Stand!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Latest available version is %1</source>
        <translation>Neueste verfügbare Version ist %1</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Retrieving info...</source>
        <translation>Informationen werden abgerufen...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Unable to read data from server. Please check your internet settings and try again.</source>
        <translation>Die Daten konnten nicht vom Server gelesen werden. Bitte prüfen Sie Ihre Internet-Einstellungen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Error - There is no newer version to download.</source>
        <translation>Fehler – Es gibt keine neuere Version zum Herunterladen.</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+11"/>
        <source>File saved to %1</source>
        <translation>Datei gespeichert unter %1</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>The update has been downloaded. Do you want to install it now?</source>
        <translation>Die Aktualisierung wurde heruntergeladen. Möchten Sie sie jetzt installieren?</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Error - Download failed.</source>
        <translation>Fehler – Herunterladen fehlgeschlagen.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Error - Downloaded file is incomplete. Please retry</source>
        <translation>Fehler – Die heruntergeladene Datei ist unvollständig. Bitte erneut versuchen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Error - File not found on server.</source>
        <translation>Fehler – Datei auf dem Server nicht gefunden.</translation>
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
        <location filename="../src/app/LoansPrinter.cpp" line="+51"/>
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
        <location line="+25"/>
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
        <location line="+20"/>
        <source>The printer could not start a new page.</source>
        <translation>Der Drucker konnte keine neue Seite beginnen.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The printer could not finish the job.</source>
        <translation>Der Drucker konnte den Auftrag nicht abschließen.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>The loans list was not printed.

%1</source>
        <translation>Die Liste der Ausleihen wurde nicht gedruckt.

%1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Loans List</source>
        <translation>Liste der Ausleihen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Overdue List</source>
        <translation>Überfällige Ausleihen</translation>
    </message>
</context>
</TS>
