<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>RuntimeError</name>
    <message>
        <location filename="../src/platform/RuntimeError.cpp" line="+14"/>
        <source>Invalid procedure call or argument</source>
        <translation>Appel de procédure ou argument non valide</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Subscript out of range</source>
        <translation>Indice hors limites</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Division by zero</source>
        <translation>Division par zéro</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type mismatch</source>
        <translation>Types incompatibles</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bad file name or number</source>
        <translation>Nom ou numéro de fichier incorrect</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File already open</source>
        <translation>Fichier déjà ouvert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device I/O error</source>
        <translation>Erreur d&apos;entrée/sortie du périphérique</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File already exists</source>
        <translation>Le fichier existe déjà</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disk full</source>
        <translation>Disque plein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Input past end of file</source>
        <translation>Lecture au-delà de la fin du fichier</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Too many files</source>
        <translation>Trop de fichiers</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device unavailable</source>
        <translation>Périphérique non disponible</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Permission denied</source>
        <translation>Permission refusée</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disk not ready</source>
        <translation>Disque non prêt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path/File access error</source>
        <translation>Erreur d&apos;accès au chemin ou au fichier</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path not found</source>
        <translation>Chemin introuvable</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Object variable or With block variable not set</source>
        <translation>Variable objet ou variable de bloc With non définie</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Component not correctly registered</source>
        <translation>Composant mal enregistré</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Still executing last request</source>
        <translation>La dernière requête est encore en cours</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Request timed out</source>
        <translation>Délai de la requête dépassé</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>URL is malformed</source>
        <translation>L&apos;adresse est mal formée</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Application-defined or object-defined error</source>
        <translation>Erreur définie par l&apos;application ou par l&apos;objet</translation>
    </message>
</context>
<context>
    <name>wexlo::FindBar</name>
    <message>
        <location filename="../src/app/FindBar.cpp" line="+21"/>
        <location line="+5"/>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Fi&amp;nd:</source>
        <translation>&amp;Rechercher&#xa0;:</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Close the find bar</source>
        <translation>Fermer la barre de recherche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Find Bar</source>
        <translation>Fermer la barre de recherche</translation>
    </message>
    <message numerus="yes">
        <location line="+91"/>
        <source>%1 of %2 loan(s)</source>
        <translation>
            <numerusform>%1 sur %2 prêt</numerusform>
            <numerusform>%1 sur %2 prêts</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>wexlo::MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="+147"/>
        <source>Loans List</source>
        <translation>Liste des prêts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entry panel</source>
        <translation>Zone de saisie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Deletes the selected loan item</source>
        <translation>Supprime le prêt sélectionné</translation>
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
        <translation>Téléphone</translation>
    </message>
    <message>
        <location line="-394"/>
        <source>Add Item</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+391"/>
        <source>Lent To</source>
        <translation>Prêté à</translation>
    </message>
    <message>
        <location line="-390"/>
        <location line="+391"/>
        <source>Item</source>
        <translation>Objet</translation>
    </message>
    <message>
        <location line="-388"/>
        <location line="+3"/>
        <source>Phone:</source>
        <translation>Tél.&#xa0;:</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Address:</source>
        <translation>Adresse&#xa0;:</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+3"/>
        <source>Lent To:</source>
        <translation>Prêté à&#xa0;:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Item:</source>
        <translation>Objet&#xa0;:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date:</source>
        <translation>Date&#xa0;:</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print List</source>
        <translation>&amp;Imprimer la liste</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print &amp;Overdue List</source>
        <translation>Imprimer la liste des prêts en &amp;retard</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set &amp;Due Date...</source>
        <translation>&amp;Définir la date d&apos;échéance...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Clear Due Date</source>
        <translation>&amp;Effacer la date d&apos;échéance</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mark &amp;Returned</source>
        <translation>&amp;Marquer comme rendu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mark &amp;Not Returned</source>
        <translation>Marquer comme &amp;non rendu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show &amp;Due Dates</source>
        <translation>&amp;Afficher les échéances</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Overdue Only</source>
        <translation>&amp;En retard uniquement</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show &amp;Returned Loans</source>
        <translation>Afficher les prêts &amp;rendus</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Check for Update</source>
        <translation>&amp;Rechercher une mise à jour</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disable automatic &apos;check for new version&apos;</source>
        <translation>&amp;Désactiver la recherche automatique de nouvelles versions</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>The loans could not be read from %1.

Wexlo will not save any changes until it is started again with a readable file.</source>
        <translation>Impossible de lire les prêts depuis %1.

Wexlo n&apos;enregistrera aucune modification tant qu&apos;il n&apos;aura pas été relancé avec un fichier lisible.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The loans were not saved: %1</source>
        <translation>Les prêts n&apos;ont pas été enregistrés&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 could not be read at start-up, and saving would replace it. Start Wexlo again once the file can be read.</source>
        <translation>%1 n&apos;a pas pu être lu au démarrage, et l&apos;enregistrement le remplacerait. Relancez Wexlo dès que le fichier est lisible.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 could not be opened for writing.</source>
        <translation>Impossible d&apos;ouvrir %1 en écriture.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Please enter a description for the item</source>
        <translation>Veuillez saisir une description de l&apos;objet</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please enter a name for the person you are lending to</source>
        <translation>Veuillez saisir le nom de la personne à qui vous prêtez</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Add Loan</source>
        <translation>Ajouter le prêt</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Please select an item before trying to delete it</source>
        <translation>Veuillez d&apos;abord sélectionner l&apos;entrée à supprimer</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>This will delete the selected entry. Are you sure?</source>
        <translation>L&apos;entrée sélectionnée va être supprimée. Êtes-vous sûr&#xa0;?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This will delete all selected entries. Are you sure?</source>
        <translation>Toutes les entrées sélectionnées vont être supprimées. Êtes-vous sûr&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <location line="+8"/>
        <source>Delete %n Loan(s)</source>
        <translation>
            <numerusform>Supprimer le prêt</numerusform>
            <numerusform>Supprimer %n prêts</numerusform>
        </translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Enter date this item was lent</source>
        <translation>Saisissez la date du prêt</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Due</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Returned</source>
        <translation>Rendu</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>returned %1</source>
        <translation>rendu le %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>overdue, due %1</source>
        <translation>en retard, dû le %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>due %1</source>
        <translation>dû le %1</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Due: %1 (overdue)</source>
        <translation>Échéance&#xa0;: %1 (en retard)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Due: %1</source>
        <translation>Échéance&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Returned: %1</source>
        <translation>Rendu&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Enter date this item is due back</source>
        <translation>Saisissez la date de retour prévue</translation>
    </message>
    <message>
        <location line="+147"/>
        <source>The updater could not be started: %1
The update package was kept at %2, and Wexlo keeps running.</source>
        <translation>Impossible de lancer le programme de mise à jour&#xa0;: %1
Le paquet de mise à jour a été conservé dans %2, et Wexlo continue de fonctionner.</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindowLoanWork.cpp" line="+49"/>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Find...</source>
        <translation>Re&amp;chercher...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Export to CSV...</source>
        <translation>&amp;Exporter en CSV...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Remind &amp;Me of Overdue Loans</source>
        <translation>&amp;Me rappeler les prêts en retard</translation>
    </message>
    <message numerus="yes">
        <location line="+32"/>
        <source>Clear Due Date(s) of %n Loan(s)</source>
        <translation>
            <numerusform>Effacer la date d&apos;échéance</numerusform>
            <numerusform>Effacer les dates d&apos;échéance de %n prêts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Set Due Date of %n Loan(s)</source>
        <translation>
            <numerusform>Définir la date d&apos;échéance</numerusform>
            <numerusform>Définir la date d&apos;échéance de %n prêts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Mark %n Loan(s) Not Returned</source>
        <translation>
            <numerusform>Marquer le prêt comme non rendu</numerusform>
            <numerusform>Marquer %n prêts comme non rendus</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Mark %n Loan(s) Returned</source>
        <translation>
            <numerusform>Marquer le prêt comme rendu</numerusform>
            <numerusform>Marquer %n prêts comme rendus</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Export to CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The loans were not exported to %1: %2 (%3).</source>
        <translation>Les prêts n&apos;ont pas été exportés vers %1&#xa0;: %2 (%3).</translation>
    </message>
    <message numerus="yes">
        <location line="+55"/>
        <source>%1 loan(s) overdue</source>
        <translation>
            <numerusform>%1 prêt est en retard</numerusform>
            <numerusform>%1 prêts sont en retard</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The oldest: %1, lent to %2, was due %3.</source>
        <translation>Le plus ancien&#xa0;: %1, prêté à %2, était dû le %3.</translation>
    </message>
</context>
<context>
    <name>wexlo::app</name>
    <message>
        <location filename="../src/app/Program.cpp" line="+14"/>
        <source>Tracks items you lend to people</source>
        <translation>Garde la trace des objets que vous prêtez</translation>
    </message>
</context>
<context>
    <name>wexlo::printing</name>
    <message>
        <location filename="../src/app/LoansPrinter.cpp" line="+43"/>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lent To</source>
        <translation>Prêté à</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Item</source>
        <translation>Objet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phone</source>
        <translation>Téléphone</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Due</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Returned</source>
        <translation>Rendu</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The date &quot;%1&quot; of loan %2 cannot be read.</source>
        <translation>La date «&#xa0;%1&#xa0;» du prêt %2 est illisible.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Loans list for %1</source>
        <translation>Liste des prêts au %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Overdue loans for %1</source>
        <translation>Prêts en retard au %1</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>The printer did not accept the job.</source>
        <translation>L&apos;imprimante n&apos;a pas accepté la tâche.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The printer could not start a new page.</source>
        <translation>L&apos;imprimante n&apos;a pas pu commencer une nouvelle page.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The printer could not finish the job.</source>
        <translation>L&apos;imprimante n&apos;a pas pu terminer la tâche.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The loans list was not printed.

%1</source>
        <translation>La liste des prêts n&apos;a pas été imprimée.

%1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Loans List</source>
        <translation>Liste des prêts</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Overdue List</source>
        <translation>Prêts en retard</translation>
    </message>
</context>
</TS>
