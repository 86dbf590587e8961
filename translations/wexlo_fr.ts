<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Help</name>
    <message>
        <location filename="../src/shared/util/Help.cpp" line="+50"/>
        <source>Cannot find help file %1</source>
        <translation>Fichier d&apos;aide %1 introuvable</translation>
    </message>
</context>
<context>
    <name>PackageSignature</name>
    <message>
        <location filename="../src/shared/updater/PackageSignature.cpp" line="+215"/>
        <source>Error - This copy cannot verify update packages.</source>
        <translation>Erreur – Cette copie ne peut pas vérifier les paquets de mise à jour.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is not signed by the maker.</source>
        <translation>Erreur – Le paquet de mise à jour n&apos;est pas signé par l&apos;éditeur.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is signed with another key.</source>
        <translation>Erreur – Le paquet de mise à jour est signé avec une autre clé.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package was changed after signing.</source>
        <translation>Erreur – Le paquet de mise à jour a été modifié après sa signature.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package&apos;s signature was tampered with.</source>
        <translation>Erreur – La signature du paquet de mise à jour a été falsifiée.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is signed for another version.</source>
        <translation>Erreur – Le paquet de mise à jour est signé pour une autre version.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error - The update package is not newer than this version.</source>
        <translation>Erreur – Le paquet de mise à jour n&apos;est pas plus récent que cette version.</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <location filename="../src/platform/RuntimeError.cpp" line="+15"/>
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
        <location line="+4"/>
        <source>Component not correctly registered</source>
        <translation>Composant mal enregistré</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <location line="+3"/>
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
        <location line="+3"/>
        <source>Application-defined or object-defined error</source>
        <translation>Erreur définie par l&apos;application ou par l&apos;objet</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <location filename="../src/shared/settings/SettingsStore.cpp" line="+303"/>
        <source>Unable to write to settings file - possibly read-only?</source>
        <translation>Impossible d&apos;écrire le fichier de réglages – est-il en lecture seule&#xa0;?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>You&apos;ve run out of disk space on drive %1:<byte value="xd"/>Please clear some space and then click OK to attempt to save again.</source>
        <translation>Le lecteur %1 n&apos;a plus d&apos;espace libre.<byte value="xd"/>Libérez de l&apos;espace puis cliquez sur OK pour réessayer l&apos;enregistrement.</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <location filename="../src/platform/Transfer.cpp" line="+73"/>
        <source>The response is longer than its Content-Length</source>
        <translation>La réponse est plus longue que ne l&apos;annonce son en-tête Content-Length</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The address uses a protocol that is not supported.</source>
        <translation>L&apos;adresse utilise un protocole non pris en charge.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The address is not valid.</source>
        <translation>L&apos;adresse n&apos;est pas valide.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The proxy server was not found. Please check the proxy settings.</source>
        <translation>Le serveur proxy est introuvable. Vérifiez les réglages du proxy.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server was not found. Please check your internet connection.</source>
        <translation>Le serveur est introuvable. Vérifiez votre connexion Internet.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Could not connect to the server.</source>
        <translation>Impossible de se connecter au serveur.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The proxy server refused the connection.</source>
        <translation>Le serveur proxy a refusé la connexion.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server did not answer in time.</source>
        <translation>Le serveur n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A secure connection to the server could not be made.</source>
        <translation>Impossible d&apos;établir une connexion sécurisée avec le serveur.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The server&apos;s certificate could not be verified.</source>
        <translation>Le certificat du serveur n&apos;a pas pu être vérifié.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server answered with an error.</source>
        <translation>Le serveur a répondu par une erreur.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server refused access.</source>
        <translation>Le serveur a refusé l&apos;accès.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file was not found on the server.</source>
        <translation>Le fichier est introuvable sur le serveur.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The connection ended before the whole file had arrived.</source>
        <translation>La connexion s&apos;est interrompue avant la réception complète du fichier.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server sent no answer.</source>
        <translation>Le serveur n&apos;a envoyé aucune réponse.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The connection to the server was interrupted.</source>
        <translation>La connexion au serveur a été interrompue.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server&apos;s answer could not be read.</source>
        <translation>La réponse du serveur est illisible.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The server redirected the request too often.</source>
        <translation>Le serveur a redirigé la requête trop de fois.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The received data could not be written.</source>
        <translation>Impossible d&apos;écrire les données reçues.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file is larger than allowed.</source>
        <translation>Le fichier dépasse la taille autorisée.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>There is not enough memory for the transfer.</source>
        <translation>Mémoire insuffisante pour le transfert.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The transfer failed: %1</source>
        <translation>Le transfert a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+625"/>
        <source>Refused a redirect from https to %1</source>
        <translation>Une redirection de https vers %1 a été refusée</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <location filename="../src/shared/util/Web.cpp" line="+17"/>
        <source>There was an ERROR?</source>
        <translation>Une erreur s&apos;est produite.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open URL Error</source>
        <translation>Erreur d&apos;ouverture de l&apos;adresse</translation>
    </message>
</context>
<context>
    <name>wexlo::AboutDialog</name>
    <message>
        <location filename="../src/shared/ui/AboutDialog.cpp" line="+143"/>
        <location line="+3"/>
        <source>Exit</source>
        <comment>closes this window</comment>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hover the mouse over icons for details. Click icons to open in your browser.</source>
        <translation>Survolez une icône pour ses détails, cliquez pour l&apos;ouvrir.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Webmasters:</source>
        <translation>Webmestres&#xa0;:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Get PAD files for all my software here</source>
        <translation>Les fichiers PAD de tous mes logiciels sont ici</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Click the covers for your chance to win a copy --&gt;</source>
        <translation>Cliquez, un exemplaire à gagner --&gt;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Click a cover to open its page in your browser.</source>
        <translation>Un clic ouvre la page du livre.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Book 1</source>
        <translation>Livre 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Book 2</source>
        <translation>Livre 2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Try these other free programs from %1:</source>
        <translation>Essayez d&apos;autres logiciels gratuits de %1&#xa0;:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Books by the author of %1&apos;s programs</source>
        <translation>Livres de l&apos;auteur des logiciels de %1</translation>
    </message>
</context>
<context>
    <name>wexlo::DateEntryDialog</name>
    <message>
        <location filename="../src/shared/dates/DateEntryDialog.cpp" line="+134"/>
        <source>Enter the date</source>
        <translation>Saisir la date</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Day/Month/Year:</source>
        <translation>Jour/Mois/Année&#xa0;:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>MM/DD</source>
        <translation>MM/JJ</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>DD/MM</source>
        <translation>JJ/MM</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Enter the date (%1)</source>
        <translation>Saisir la date (%1)</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The date must be in the current month (up to %1)</source>
        <translation>La date doit être dans le mois en cours (jusqu&apos;au %1)</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Invalid Date</source>
        <translation>Date non valide</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Year must be 2 or 4 digits. If you enter 2 digits I will guess at the century.</source>
        <translation>L&apos;année doit comporter 2 ou 4 chiffres. Avec 2 chiffres, le siècle sera deviné.</translation>
    </message>
</context>
<context>
    <name>wexlo::ErrorReportDialog</name>
    <message>
        <location filename="../src/shared/ui/ErrorReportDialog.cpp" line="+60"/>
        <source>Error Reporter</source>
        <translation>Rapport d&apos;erreur</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>You will get a chance to preview the report before sending.</source>
        <translation>Vous pourrez consulter le rapport avant de l&apos;envoyer.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>An error has ocurred:</source>
        <translation>Une erreur s&apos;est produite&#xa0;:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error Details</source>
        <translation>Détails de l&apos;erreur</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This is the error which ocurred</source>
        <translation>Voici l&apos;erreur qui s&apos;est produite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This is the content of the program&apos;s log file</source>
        <translation>Voici le contenu du fichier journal du programme</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter your own comments here</source>
        <translation>Saisissez ici vos commentaires</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>These comments will be added to your error report.</source>
        <translation>Ces commentaires seront ajoutés à votre rapport d&apos;erreur.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter Comments</source>
        <translation>Commentaires</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>If you want to add any comments before submitting an error report, click here.</source>
        <translation>Cliquez ici pour ajouter des commentaires avant d&apos;envoyer le rapport d&apos;erreur.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>View Log File</source>
        <translation>Afficher le journal</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Click this button to view the log file</source>
        <translation>Cliquez sur ce bouton pour afficher le fichier journal</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>View Error Report</source>
        <translation>Afficher le rapport</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Submit Error Report</source>
        <translation>Envoyer le rapport</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <comment>closes this window</comment>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+138"/>
        <source>If the &apos;submit report&apos; button doesn&apos;t work on your system, open an email to &apos;%1&apos; and paste the following text into it.  Your reports are appreciated.</source>
        <translation>Si le bouton «&#xa0;Envoyer le rapport&#xa0;» ne fonctionne pas sur votre système, écrivez un courriel à «&#xa0;%1&#xa0;» et collez-y le texte suivant. Merci pour vos rapports.</translation>
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
        <location filename="../src/app/MainWindow.cpp" line="+161"/>
        <source>Loans List</source>
        <translation>Liste des prêts</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Entry panel</source>
        <translation>Zone de saisie</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
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
        <location line="+7"/>
        <location line="+449"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="-443"/>
        <location line="+442"/>
        <source>Phone</source>
        <translation>Téléphone</translation>
    </message>
    <message>
        <location line="-439"/>
        <location line="+3"/>
        <source>Add Item</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+428"/>
        <source>Lent To</source>
        <translation>Prêté à</translation>
    </message>
    <message>
        <location line="-422"/>
        <location line="+423"/>
        <source>Item</source>
        <translation>Objet</translation>
    </message>
    <message>
        <location line="-420"/>
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
        <location line="+4"/>
        <location line="+3"/>
        <source>Item:</source>
        <translation>Objet&#xa0;:</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Date:</source>
        <translation>Date&#xa0;:</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print List</source>
        <translation>&amp;Imprimer la liste</translation>
    </message>
    <message>
        <location line="+1"/>
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
        <location line="+2"/>
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
        <location line="+1"/>
        <source>Show &amp;Returned Loans</source>
        <translation>Afficher les prêts &amp;rendus</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check for Update</source>
        <translation>&amp;Rechercher une mise à jour</translation>
    </message>
    <message>
        <location line="+1"/>
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
        <location line="+66"/>
        <source>The loans could not be read from %1.

Wexlo will not save any changes until it is started again with a readable file.</source>
        <translation>Impossible de lire les prêts depuis %1.

Wexlo n&apos;enregistrera aucune modification tant qu&apos;il n&apos;aura pas été relancé avec un fichier lisible.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The loans were not saved: %1</source>
        <translation>Les prêts n&apos;ont pas été enregistrés&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 could not be read at start-up, and saving would replace it. Start Wexlo again once the file can be read.</source>
        <translation>%1 n&apos;a pas pu être lu au démarrage, et l&apos;enregistrement le remplacerait. Relancez Wexlo dès que le fichier est lisible.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 could not be opened for writing.</source>
        <translation>Impossible d&apos;ouvrir %1 en écriture.</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Please enter a description for the item</source>
        <translation>Veuillez saisir une description de l&apos;objet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Please enter a name for the person you are lending to</source>
        <translation>Veuillez saisir le nom de la personne à qui vous prêtez</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Add Loan</source>
        <translation>Ajouter le prêt</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Please select an item before trying to delete it</source>
        <translation>Veuillez d&apos;abord sélectionner l&apos;entrée à supprimer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This will delete the selected entry. Are you sure?</source>
        <translation>L&apos;entrée sélectionnée va être supprimée. Êtes-vous sûr&#xa0;?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This will delete all selected entries. Are you sure?</source>
        <translation>Toutes les entrées sélectionnées vont être supprimées. Êtes-vous sûr&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>Delete %n Loan(s)</source>
        <translation>
            <numerusform>Supprimer le prêt</numerusform>
            <numerusform>Supprimer %n prêts</numerusform>
        </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Enter date this item was lent</source>
        <translation>Saisissez la date du prêt</translation>
    </message>
    <message>
        <location line="+52"/>
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
        <location line="+10"/>
        <source>Enter date this item is due back</source>
        <translation>Saisissez la date de retour prévue</translation>
    </message>
    <message>
        <location line="+151"/>
        <source>The updater could not be started: %1
The update package was kept at %2, and Wexlo keeps running.</source>
        <translation>Impossible de lancer le programme de mise à jour&#xa0;: %1
Le paquet de mise à jour a été conservé dans %2, et Wexlo continue de fonctionner.</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindowLoanWork.cpp" line="+57"/>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Undo %1</source>
        <translation>&amp;Annuler&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+15"/>
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
        <location line="+14"/>
        <source>The loans were not exported to %1: %2 (%3).</source>
        <translation>Les prêts n&apos;ont pas été exportés vers %1&#xa0;: %2 (%3).</translation>
    </message>
    <message numerus="yes">
        <location line="+53"/>
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
    <name>wexlo::ProxyDialog</name>
    <message>
        <location filename="../src/shared/internet/ProxyDialog.cpp" line="+51"/>
        <source>Proxy Setup</source>
        <translation>Configuration du proxy</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Manual Settings</source>
        <translation>Réglages manuels</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Allows you to specify proxy settings manually</source>
        <translation>Permet de saisir manuellement les réglages du proxy</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>System Default Proxy</source>
        <translation>Proxy du système</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uses your Internet Explorer settings</source>
        <translation>Utilise les réglages de proxy du système</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No Proxy</source>
        <translation>Aucun proxy</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Switches off the proxy</source>
        <translation>Désactive le proxy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Proxy Settings</source>
        <translation>Réglages du proxy</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Server:</source>
        <translation>Serveur&#xa0;:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Port:</source>
        <translation>Port&#xa0;:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>User:</source>
        <translation>Utilisateur&#xa0;:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Password:</source>
        <translation>Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Enter Again:</source>
        <translation>Confirmer&#xa0;:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Your passwords don&apos;t match.  Please retype them.</source>
        <translation>Les mots de passe ne correspondent pas. Veuillez les saisir à nouveau.</translation>
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
        <translation>Aucune adresse indiquée</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+12"/>
        <source>Download cancelled</source>
        <translation>Téléchargement annulé</translation>
    </message>
    <message>
        <location line="+107"/>
        <location line="+207"/>
        <source>Download failed. Please try again.</source>
        <translation>Échec du téléchargement. Veuillez réessayer.</translation>
    </message>
    <message>
        <location line="-206"/>
        <source>Download timed out. Please try again.</source>
        <translation>Délai de téléchargement dépassé. Veuillez réessayer.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Resolving host</source>
        <translation>Résolution de l&apos;hôte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Resolved host</source>
        <translation>Hôte résolu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Connecting</source>
        <translation>Connexion en cours</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <location line="+110"/>
        <source>Downloading</source>
        <translation>Téléchargement en cours</translation>
    </message>
    <message>
        <location line="+78"/>
        <location line="+50"/>
        <source>Downloaded %1 kb (100%)</source>
        <translation>%1 Ko téléchargés (100&#xa0;%)</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>%1 kb of %2 kb (%3%)</source>
        <translation>%1 Ko sur %2 Ko (%3&#xa0;%)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 kb downloaded</source>
        <translation>%1 Ko téléchargés</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Downloaded %1kb</source>
        <translation>%1 Ko téléchargés</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Transfer timed out</source>
        <translation>Délai de transfert dépassé</translation>
    </message>
</context>
<context>
    <name>wexlo::UpdateWindow</name>
    <message>
        <location filename="../src/shared/updater/UpdateWindow.cpp" line="+75"/>
        <source>The internet control (MSINET.OCX) is missing or outdated. Visit the Runtimes page on %1 to download an updated version.</source>
        <translation>Le composant Internet (MSINET.OCX) est absent ou obsolète. Téléchargez une version à jour sur la page Runtimes de %1.</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>%1 Updater</source>
        <translation>%1 – Mise à jour</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 version %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+3"/>
        <source>Check Again</source>
        <translation>Vérifier à nouveau</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Show Version Details</source>
        <translation>Détails de la version</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Reads details of the latest version from the server</source>
        <translation>Lit sur le serveur les détails de la dernière version</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Proxy Setup</source>
        <translation>Configuration du proxy</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Exit</source>
        <comment>closes this window</comment>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Download Only</source>
        <translation>Télécharger seulement</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>This will download the update package without installing it.</source>
        <translation>Télécharge le paquet de mise à jour sans l&apos;installer.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Download and Install</source>
        <translation>Télécharger et installer</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>This will download the update package and update your copy of the program</source>
        <translation>Télécharge le paquet de mise à jour et met à jour votre copie du programme</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Version details</source>
        <translation>Détails de la version</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+4"/>
        <source>Disable automatic checking</source>
        <translation>Désactiver la vérification automatique</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>If you tick this box, the program will NOT check for updated versions. Recommended setting: not ticked</source>
        <translation>Si vous cochez cette case, le programme ne recherchera PAS de nouvelles versions. Réglage recommandé&#xa0;: non coché</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>You have:</source>
        <translation>Votre version&#xa0;:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Status:</source>
        <translation>État&#xa0;:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Privacy Guarantee: No information is sent from your computer when you check for updates.</source>
        <translation>Confidentialité garantie&#xa0;: aucune information n&apos;est envoyée depuis votre ordinateur lors de la recherche de mises à jour.</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Checking for update</source>
        <translation>Recherche de mise à jour</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Update check failed. Visit %1 to update this program manually.</source>
        <translation>La recherche de mise à jour a échoué. Rendez-vous sur %1 pour mettre à jour le programme manuellement.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Could not retrieve update status</source>
        <translation>Impossible d&apos;obtenir l&apos;état de mise à jour</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Data retrieved</source>
        <translation>Données reçues</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Could not read update status from file</source>
        <translation>Impossible de lire l&apos;état de mise à jour dans le fichier</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Update check failed, could not read download filename</source>
        <translation>Échec de la recherche, nom du fichier à télécharger illisible</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Version %1 is available!</source>
        <translation>La version %1 est disponible&#xa0;!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>An update is available. Would you like to view the details now?</source>
        <translation>Une mise à jour est disponible. Voulez-vous en voir les détails maintenant&#xa0;?</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You&apos;re up to date!</source>
        <translation>Vous êtes à jour&#xa0;!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Latest available version is %1</source>
        <translation>La dernière version disponible est la %1</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Retrieving info...</source>
        <translation>Récupération des informations...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Unable to read data from server. Please check your internet settings and try again.</source>
        <translation>Impossible de lire les données du serveur. Vérifiez vos paramètres Internet et réessayez.</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Error - There is no newer version to download.</source>
        <translation>Erreur – Aucune version plus récente à télécharger.</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+11"/>
        <source>File saved to %1</source>
        <translation>Fichier enregistré sous %1</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>The update has been downloaded. Do you want to install it now?</source>
        <translation>La mise à jour a été téléchargée. Voulez-vous l&apos;installer maintenant&#xa0;?</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Error - Download failed.</source>
        <translation>Erreur – Échec du téléchargement.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Error - Downloaded file is incomplete. Please retry</source>
        <translation>Erreur – Le fichier téléchargé est incomplet. Veuillez réessayer</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Error - File not found on server.</source>
        <translation>Erreur – Fichier introuvable sur le serveur.</translation>
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
        <location filename="../src/app/LoansPrinter.cpp" line="+51"/>
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
        <location line="+25"/>
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
        <location line="+20"/>
        <source>The printer could not start a new page.</source>
        <translation>L&apos;imprimante n&apos;a pas pu commencer une nouvelle page.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The printer could not finish the job.</source>
        <translation>L&apos;imprimante n&apos;a pas pu terminer la tâche.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>The loans list was not printed.

%1</source>
        <translation>La liste des prêts n&apos;a pas été imprimée.

%1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Loans List</source>
        <translation>Liste des prêts</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Overdue List</source>
        <translation>Prêts en retard</translation>
    </message>
</context>
</TS>
