<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>CoreTexts</name>
    <message>
        <source>No Message on File for This .db: </source>
        <translation>Aucun message pour ce jour dans le .db : </translation>
    </message>
    <message>
        <source>No Message Files Exists! Please check your installation.</source>
        <translation>Aucun fichier de messages ! Veuillez vérifier votre installation.</translation>
    </message>
    <message>
        <source>Not a Theme of This Folder, Left Out: </source>
        <translation>Pas un thème de ce dossier, ignoré : </translation>
    </message>
    <message>
        <source>Theme File Not Found, Left Out: </source>
        <translation>Fichier de thème introuvable, ignoré : </translation>
    </message>
    <message>
        <source>The day must be MMDD (0101 to 1231) or 9999 for the description</source>
        <translation>Le jour doit être MMJJ (0101 à 1231) ou 9999 pour la description</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>Impossible d’écrire dans </translation>
    </message>
    <message>
        <source>Cannot copy the sample </source>
        <translation>Impossible de copier l’exemple </translation>
    </message>
    <message>
        <source>Cannot create </source>
        <translation>Impossible de créer </translation>
    </message>
    <message>
        <source>Cannot create the folder </source>
        <translation>Impossible de créer le dossier </translation>
    </message>
    <message>
        <source>Cannot use the folder </source>
        <translation>Impossible d’utiliser le dossier </translation>
    </message>
    <message>
        <source>Cannot remove </source>
        <translation>Impossible de supprimer </translation>
    </message>
    <message>
        <source>Cannot write </source>
        <translation>Impossible d’écrire </translation>
    </message>
    <message>
        <source>No home folder is known for the user&apos;s themes</source>
        <translation>Aucun dossier personnel n’est connu pour les thèmes de l’utilisateur</translation>
    </message>
    <message>
        <source>Lock failed [Insert]</source>
        <translation>Échec du verrouillage [Insérer]</translation>
    </message>
    <message>
        <source>Lock failed [Delete]</source>
        <translation>Échec du verrouillage [Supprimer]</translation>
    </message>
    <message>
        <source>Lock failed [Post]</source>
        <translation>Échec du verrouillage [Enregistrer]</translation>
    </message>
    <message>
        <source>Lock failed [Restore]</source>
        <translation>Échec du verrouillage [Restaurer]</translation>
    </message>
    <message>
        <source>Could not create &quot;</source>
        <translation>Impossible de créer &quot;</translation>
    </message>
    <message>
        <source>Program halted.</source>
        <translation>Programme arrêté.</translation>
    </message>
    <message>
        <source>Start at Login cannot write a name that is not UTF-8 text into a desktop entry: </source>
        <translation>« Lancer à l’ouverture de session » ne peut pas écrire un nom qui n’est pas du texte UTF-8 dans une entrée de bureau : </translation>
    </message>
    <message>
        <source>No year has such a day (MMDD): </source>
        <translation>Aucune année n’a ce jour (MMJJ) : </translation>
    </message>
    <message>
        <source>Tools &gt; Edit This Day... shows the whole message. Lines not shown: </source>
        <translation>Outils &gt; Modifier ce jour... affiche le message entier. Lignes non affichées : </translation>
    </message>
    <message>
        <source>No message for this day in </source>
        <translation>Aucun message pour ce jour dans </translation>
    </message>
    <message>
        <source>A theme needs a name</source>
        <translation>Un thème a besoin d’un nom</translation>
    </message>
    <message>
        <source>A theme is a file of this folder: its name holds no &quot;/&quot;</source>
        <translation>Un thème est un fichier de ce dossier : son nom ne contient pas de « / »</translation>
    </message>
    <message>
        <source>A name that starts with &quot;.&quot; is hidden: the calendar would not list the theme</source>
        <translation>Un nom qui commence par « . » est caché : le calendrier ne listerait pas le thème</translation>
    </message>
</context>
<context>
    <name>FontDialog</name>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> pt</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Gras</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Italique</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Souligné</translation>
    </message>
    <message>
        <source>S&amp;trikeout</source>
        <translation>&amp;Barré</translation>
    </message>
    <message>
        <source>C&amp;olour...</source>
        <translation>C&amp;ouleur...</translation>
    </message>
    <message>
        <source>Font Colour</source>
        <translation>Couleur de la police</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Police :</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Taille :</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Style :</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Couleur :</translation>
    </message>
</context>
<context>
    <name>QtMessageBoxService</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
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
        <translation>&amp;Notifier au changement de jour</translation>
    </message>
    <message>
        <source>Start at &amp;Login</source>
        <translation>&amp;Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>&amp;Afficher le calendrier</translation>
    </message>
    <message>
        <source>Copy &amp;Day&apos;s Messages</source>
        <translation>Copier les messages du &amp;jour</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>vornelle::app::FindWindow</name>
    <message>
        <source>Text to find</source>
        <translation>Texte à rechercher</translation>
    </message>
    <message>
        <source>The days whose messages hold this text are listed as you type</source>
        <translation>Les jours dont les messages contiennent ce texte s’affichent pendant la saisie</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Rechercher :</translation>
    </message>
    <message>
        <source>&amp;All themes</source>
        <translation>&amp;Tous les thèmes</translation>
    </message>
    <message>
        <source>Search every theme of the folder, not only the displayed ones</source>
        <translation>Rechercher dans tous les thèmes du dossier, pas seulement dans ceux qui sont affichés</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Press Enter or double-click to show the day in the calendar</source>
        <translation>Appuyez sur Entrée ou double-cliquez pour afficher le jour dans le calendrier</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thème</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Search status</source>
        <translation>État de la recherche</translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Recherche en cours...</translation>
    </message>
    <message>
        <source>1 day found</source>
        <translation>1 jour trouvé</translation>
    </message>
    <message>
        <source>%1 days found</source>
        <translation>%1 jours trouvés</translation>
    </message>
    <message>
        <source>Find Messages</source>
        <translation>Rechercher des messages</translation>
    </message>
    <message>
        <source>&amp;Whole words</source>
        <translation>Mots &amp;entiers</translation>
    </message>
    <message>
        <source>Find the text only where no letter or digit comes right before or after it</source>
        <translation>Ne trouver le texte que là où aucune lettre ni aucun chiffre ne le touche avant ou après</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>Respecter la &amp;casse</translation>
    </message>
    <message>
        <source>Find capitals only where the text has them</source>
        <translation>Ne trouver des majuscules que là où le texte en a</translation>
    </message>
</context>
<context>
    <name>vornelle::app::GoToDateDialog</name>
    <message>
        <source>Go to Date</source>
        <translation>Aller à la date</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Date :</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Write a date as %1 or %2.</source>
        <translation>Écrivez une date sous la forme %1 ou %2.</translation>
    </message>
    <message>
        <source>Not a Date: &quot;%1&quot;. Write a date as %2 or %3.</source>
        <translation>Pas une date : « %1 ». Écrivez une date sous la forme %2 ou %3.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::HistoryNavigation</name>
    <message>
        <source>&amp;Back</source>
        <translation>Re&amp;tour</translation>
    </message>
    <message>
        <source>Back to the Day Shown Before.</source>
        <translation>Revenir au jour affiché avant.</translation>
    </message>
    <message>
        <source>F&amp;orward</source>
        <translation>Ava&amp;ncer</translation>
    </message>
    <message>
        <source>Forward to the Day Shown After.</source>
        <translation>Aller au jour affiché après.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::NewThemeDialog</name>
    <message>
        <source>Theme text (@MMDD records)</source>
        <translation>Texte de thème (enregistrements @MMJJ)</translation>
    </message>
    <message>
        <source>calendar file (MM/DD, Mon DD)</source>
        <translation>fichier calendar (MM/JJ, Mon JJ)</translation>
    </message>
    <message>
        <source>fortune file (% between sayings)</source>
        <translation>fichier fortune (% entre les dictons)</translation>
    </message>
    <message>
        <source>New Theme from File</source>
        <translation>Nouveau thème depuis un fichier</translation>
    </message>
    <message>
        <source>New Theme</source>
        <translation>Nouveau thème</translation>
    </message>
    <message>
        <source>Source file</source>
        <translation>Fichier source</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>Choose the file the theme is made from</source>
        <translation>Choisir le fichier à partir duquel le thème est créé</translation>
    </message>
    <message>
        <source>&amp;Source file:</source>
        <translation>Fichier &amp;source :</translation>
    </message>
    <message>
        <source>Kind of file</source>
        <translation>Type de fichier</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Type :</translation>
    </message>
    <message>
        <source>First day of the sayings (MMDD)</source>
        <translation>Premier jour des dictons (MMJJ)</translation>
    </message>
    <message>
        <source>First &amp;day (MMDD):</source>
        <translation>Premier &amp;jour (MMJJ) :</translation>
    </message>
    <message>
        <source>File name of the new theme</source>
        <translation>Nom de fichier du nouveau thème</translation>
    </message>
    <message>
        <source>mythoughts.dbf</source>
        <translation>mespensees.dbf</translation>
    </message>
    <message>
        <source>&amp;File name:</source>
        <translation>&amp;Nom du fichier :</translation>
    </message>
    <message>
        <source>Description of the new theme</source>
        <translation>Description du nouveau thème</translation>
    </message>
    <message>
        <source>the file&apos;s own, or its name</source>
        <translation>celle du fichier, ou son nom</translation>
    </message>
    <message>
        <source>as the options list it</source>
        <translation>telle que les options l’affichent</translation>
    </message>
    <message>
        <source>D&amp;escription:</source>
        <translation>&amp;Description :</translation>
    </message>
    <message>
        <source>Make a Theme from</source>
        <translation>Créer un thème à partir de</translation>
    </message>
    <message>
        <source>The theme&apos;s file</source>
        <translation>Le fichier du thème</translation>
    </message>
    <message>
        <source>The theme&apos;s file: %1</source>
        <translation>Le fichier du thème : %1</translation>
    </message>
    <message>
        <source>iCalendar file (.ics, BEGIN:VCALENDAR)</source>
        <translation>fichier iCalendar (.ics, BEGIN:VCALENDAR)</translation>
    </message>
</context>
<context>
    <name>vornelle::app::Spelling</name>
    <message>
        <source>The spelling language could not be kept in %1</source>
        <translation>La langue d’orthographe n’a pas pu être enregistrée dans %1</translation>
    </message>
    <message>
        <source>No Suggestions</source>
        <translation>Aucune suggestion</translation>
    </message>
    <message>
        <source>&amp;Add to Dictionary</source>
        <translation>Ajouter au &amp;dictionnaire</translation>
    </message>
    <message>
        <source>The word could not be added to your dictionary: %1</source>
        <translation>Le mot n’a pas pu être ajouté à votre dictionnaire : %1</translation>
    </message>
    <message>
        <source>Spelling &amp;Language</source>
        <translation>&amp;Langue d’orthographe</translation>
    </message>
    <message>
        <source>No Checking</source>
        <translation>Pas de vérification</translation>
    </message>
    <message>
        <source>No spelling dictionary is installed, so the theme editor does not check spelling. Install one for your language (for English, the package hunspell-en-us) and open the editor again.</source>
        <translation>Aucun dictionnaire orthographique n’est installé : l’éditeur de thèmes ne vérifie donc pas l’orthographe. Installez-en un pour votre langue (pour le français, le paquet hunspell-fr ; pour l’anglais, hunspell-en-us) puis rouvrez l’éditeur.</translation>
    </message>
</context>
<context>
    <name>vornelle::app::TAboutBox</name>
    <message>
        <source>%1 icon</source>
        <translation>Icône de %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Closes this box, as Escape does</source>
        <translation>Ferme cette fenêtre, comme la touche Échap</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Visit us at: %1</source>
        <translation>Rendez-nous visite : %1</translation>
    </message>
    <message>
        <source>Email us at: %1</source>
        <translation>Écrivez-nous : %1</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
</context>
<context>
    <name>vornelle::app::TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Save Changes Made</source>
        <translation>&amp;Enregistrer les modifications</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Copy &amp;Day&apos;s Messages</source>
        <translation>Copier les messages du &amp;jour</translation>
    </message>
    <message>
        <source>&amp;Find Messages...</source>
        <translation>&amp;Rechercher des messages...</translation>
    </message>
    <message>
        <source>&amp;Go to Date...</source>
        <translation>Aller à la &amp;date...</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Aujourd’hui</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Edit Themes...</source>
        <translation>&amp;Modifier les thèmes...</translation>
    </message>
    <message>
        <source>Edit &amp;This Day...</source>
        <translation>Modifier ce &amp;jour...</translation>
    </message>
    <message>
        <source>Use &amp;Desktop Colours</source>
        <translation>Utiliser les &amp;couleurs du bureau</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Configure options for the program.</source>
        <translation>Configurer les options du programme.</translation>
    </message>
    <message>
        <source>Save Changes Made.</source>
        <translation>Enregistrer les modifications.</translation>
    </message>
    <message>
        <source>Get Help For The Program.</source>
        <translation>Obtenir de l’aide sur le programme.</translation>
    </message>
    <message>
        <source>Information About The Program.</source>
        <translation>Informations sur le programme.</translation>
    </message>
    <message>
        <source>Write and Change the Themes&apos; Messages.</source>
        <translation>Écrire et modifier les messages des thèmes.</translation>
    </message>
    <message>
        <source>Go to Today.</source>
        <translation>Aller à aujourd’hui.</translation>
    </message>
    <message>
        <source>Exit The Program.</source>
        <translation>Quitter le programme.</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Save Changes Made</source>
        <translation>Enregistrer les modifications</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Edit Themes</source>
        <translation>Modifier les thèmes</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Calendar panel</source>
        <translation>Panneau du calendrier</translation>
    </message>
    <message>
        <source>Click on any day to see more messages.</source>
        <translation>Cliquez sur un jour pour voir d’autres messages.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>The selected day&apos;s messages are in the pane below</source>
        <translation>Les messages du jour sélectionné sont dans le volet ci-dessous</translation>
    </message>
    <message>
        <source>Previous Month</source>
        <translation>Mois précédent</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Mois suivant</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Messages of the day</source>
        <translation>Messages du jour</translation>
    </message>
    <message>
        <source>Messages of %1</source>
        <translation>Messages du %1</translation>
    </message>
    <message>
        <source>The help file %1 is missing</source>
        <translation>Le fichier d’aide %1 est introuvable</translation>
    </message>
    <message>
        <source>The help page %1 could not be opened</source>
        <translation>La page d’aide %1 n’a pas pu être ouverte</translation>
    </message>
    <message>
        <source>Not a Date: &quot;%1&quot;. Write a date as %2 or %3.</source>
        <translation>Pas une date : « %1 ». Écrivez une date sous la forme %2 ou %3.</translation>
    </message>
    <message>
        <source>Save Changes Before Exiting?</source>
        <translation>Enregistrer les modifications avant de quitter ?</translation>
    </message>
    <message>
        <source>Close Without Saving?</source>
        <translation>Fermer sans enregistrer ?</translation>
    </message>
    <message>
        <source>&amp;Quiet Days Without Messages</source>
        <translation>Jours &amp;silencieux sans message</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Rechercher le &amp;suivant</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>Rechercher le &amp;précédent</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Exporter en &amp;PDF...</translation>
    </message>
    <message>
        <source>Selected Day</source>
        <translation>Jour choisi</translation>
    </message>
    <message>
        <source>Its Week</source>
        <translation>Sa semaine</translation>
    </message>
    <message>
        <source>Its Month</source>
        <translation>Son mois</translation>
    </message>
    <message>
        <source>Days to print</source>
        <translation>Jours à imprimer</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Exporter en PDF</translation>
    </message>
    <message>
        <source>&amp;Days to export:</source>
        <translation>&amp;Jours à exporter :</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The PDF file %1 could not be written: %2</source>
        <translation>Le fichier PDF %1 n’a pas pu être écrit : %2</translation>
    </message>
</context>
<context>
    <name>vornelle::app::ThemeEditor</name>
    <message>
        <source>... and %1 more</source>
        <translation>... et %1 de plus</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thème</translation>
    </message>
    <message>
        <source>The theme whose records are shown</source>
        <translation>Le thème dont les enregistrements sont affichés</translation>
    </message>
    <message>
        <source>&amp;Theme:</source>
        <translation>&amp;Thème :</translation>
    </message>
    <message>
        <source>&amp;New Theme...</source>
        <translation>&amp;Nouveau thème...</translation>
    </message>
    <message>
        <source>Make an empty theme in this folder</source>
        <translation>Créer un thème vide dans ce dossier</translation>
    </message>
    <message>
        <source>New Theme from &amp;File...</source>
        <translation>Nouveau thème depuis un &amp;fichier...</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Enregistrements</translation>
    </message>
    <message>
        <source>The theme&apos;s records in file order: day, first line of the message, deleted mark</source>
        <translation>Les enregistrements du thème dans l’ordre du fichier : jour, première ligne du message, marque de suppression</translation>
    </message>
    <message>
        <source>Day (MMDD)</source>
        <translation>Jour (MMJJ)</translation>
    </message>
    <message>
        <source>The record&apos;s key: month and day as four digits, or 9999 for the description</source>
        <translation>La clé de l’enregistrement : le mois et le jour en quatre chiffres, ou 9999 pour la description</translation>
    </message>
    <message>
        <source>&amp;Day (MMDD):</source>
        <translation>&amp;Jour (MMJJ) :</translation>
    </message>
    <message>
        <source>Note on this record</source>
        <translation>Remarque sur cet enregistrement</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Message :</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>The whole message the calendar shows for this day</source>
        <translation>Le message entier que le calendrier affiche pour ce jour</translation>
    </message>
    <message>
        <source>New Da&amp;y</source>
        <translation>Nouvea&amp;u jour</translation>
    </message>
    <message>
        <source>Start a new record for a day (Ctrl+N)</source>
        <translation>Commencer un nouvel enregistrement pour un jour (Ctrl+N)</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Mark the record deleted</source>
        <translation>Marquer l’enregistrement comme supprimé</translation>
    </message>
    <message>
        <source>R&amp;estore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>Take the deleted mark away</source>
        <translation>Retirer la marque de suppression</translation>
    </message>
    <message>
        <source>Re&amp;vert</source>
        <translation>&amp;Annuler les changements</translation>
    </message>
    <message>
        <source>Show the record as the file holds it, dropping the changes</source>
        <translation>Afficher l’enregistrement tel que le fichier le contient, en abandonnant les modifications</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Write the record to the theme (Ctrl+S)</source>
        <translation>Écrire l’enregistrement dans le thème (Ctrl+S)</translation>
    </message>
    <message>
        <source>Choose a theme, or make a new one.</source>
        <translation>Choisissez un thème ou créez-en un nouveau.</translation>
    </message>
    <message>
        <source>This theme&apos;s file may not be changed; its records are shown only.</source>
        <translation>Le fichier de ce thème ne peut pas être modifié ; ses enregistrements sont seulement affichés.</translation>
    </message>
    <message>
        <source>A new record: type its day and message, then Save.</source>
        <translation>Un nouvel enregistrement : saisissez son jour et son message, puis Enregistrer.</translation>
    </message>
    <message>
        <source>This key is no day: the calendar never shows this record.</source>
        <translation>Cette clé n’est pas un jour : le calendrier n’affiche jamais cet enregistrement.</translation>
    </message>
    <message>
        <source>A second record for %1: the calendar shows the first (record %2).</source>
        <translation>Un deuxième enregistrement (%1) : le calendrier affiche le premier (enregistrement %2).</translation>
    </message>
    <message>
        <source>the description</source>
        <translation>la description</translation>
    </message>
    <message>
        <source>The theme&apos;s description, as the options list it.</source>
        <translation>La description du thème, telle que les options l’affichent.</translation>
    </message>
    <message>
        <source>%1; nothing was written.</source>
        <translation>%1 ; rien n’a été écrit.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>Vornelle Theme Editor</source>
        <translation>Éditeur de thèmes Vornelle</translation>
    </message>
    <message>
        <source>Save Changes to This Day?</source>
        <translation>Enregistrer les modifications de ce jour ?</translation>
    </message>
    <message>
        <source>&amp;Remove Deleted Days...</source>
        <translation>Ret&amp;irer les jours supprimés...</translation>
    </message>
    <message>
        <source>Remove the records marked deleted from the theme for good</source>
        <translation>Retirer définitivement du thème les enregistrements marqués supprimés</translation>
    </message>
    <message>
        <source>The theme&apos;s description, as the options list it. Its day stays 9999: the calendar needs it.</source>
        <translation>La description du thème, telle que les options l’affichent. Son jour reste 9999 : le calendrier en a besoin.</translation>
    </message>
    <message>
        <source>Deleted: the calendar still shows it until Remove Deleted Days removes it; Restore takes the mark away.</source>
        <translation>Supprimé : le calendrier l’affiche encore jusqu’à ce que « Retirer les jours supprimés » le retire ; Restaurer enlève la marque.</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Another program is changing this theme. Your text is kept; try again in a moment.

%1</source>
        <translation>Un autre programme modifie ce thème. Votre texte est conservé ; réessayez dans un instant.

%1</translation>
    </message>
    <message>
        <source>Another program replaced the theme %1 since the editor opened it (a new import of it, for example). Nothing was written. The editor now shows the new table, with your text kept: Save writes it there.</source>
        <translation>Un autre programme a remplacé le thème %1 depuis que l’éditeur l’a ouvert (par une nouvelle importation, par exemple). Rien n’a été écrit. L’éditeur affiche maintenant la nouvelle table, votre texte conservé : Enregistrer l’y écrit.</translation>
    </message>
    <message>
        <source>Another program changed this day since the editor showed it.

Keep Mine writes your text over theirs. Take Theirs shows their text; Ctrl+Z in the message brings yours back. Cancel writes nothing.</source>
        <translation>Un autre programme a modifié ce jour depuis que l’éditeur l’a affiché.

« Garder le mien » écrit votre texte à la place du leur. « Prendre le leur » affiche leur texte ; Ctrl+Z dans le message ramène le vôtre. Annuler n’écrit rien.</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>&amp;Garder le mien</translation>
    </message>
    <message>
        <source>&amp;Take Theirs</source>
        <translation>&amp;Prendre le leur</translation>
    </message>
    <message>
        <source>The description</source>
        <translation>La description</translation>
    </message>
    <message>
        <source>%1 has a record already, and the calendar shows that one. Add a second record for it anyway?</source>
        <translation>%1 a déjà un enregistrement, et c’est celui-là que le calendrier affiche. Ajouter quand même un second enregistrement ?</translation>
    </message>
    <message>
        <source>&amp;Add Second Record</source>
        <translation>&amp;Ajouter un second enregistrement</translation>
    </message>
    <message>
        <source>Drop your changes to this day and show it as the theme holds it?</source>
        <translation>Abandonner vos modifications de ce jour et l’afficher tel que le thème le contient ?</translation>
    </message>
    <message>
        <source>&amp;Revert</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Remove the days marked deleted from %1 for good?

The theme is written anew; no other program may have it open meanwhile.</source>
        <translation>Retirer définitivement de %1 les jours marqués supprimés ?

Le thème est réécrit ; aucun autre programme ne doit l’avoir ouvert pendant ce temps.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>%1: %2 deleted days removed, %3 records kept.</source>
        <translation>%1 : %2 jours supprimés retirés, %3 enregistrements conservés.</translation>
    </message>
    <message>
        <source>The theme&apos;s code page (%1) cannot hold the character %2; nothing was written.</source>
        <translation>La page de codes du thème (%1) ne peut pas contenir le caractère %2 ; rien n’a été écrit.</translation>
    </message>
    <message>
        <source>&amp;Copy to My Themes</source>
        <translation>&amp;Copier dans mes thèmes</translation>
    </message>
    <message>
        <source>Copy this theme of the system&apos;s into your own themes, where you can change it</source>
        <translation>Copier ce thème du système dans vos propres thèmes, où vous pourrez le modifier</translation>
    </message>
    <message>
        <source>Export as &amp;iCalendar...</source>
        <translation>E&amp;xporter en iCalendar...</translation>
    </message>
    <message>
        <source>Write the theme as an iCalendar file for calendar programs and phones (Ctrl+E)</source>
        <translation>Écrire le thème dans un fichier iCalendar pour les agendas et les téléphones (Ctrl+E)</translation>
    </message>
    <message>
        <source>A theme the system provides: its records are shown only. Copy to My Themes makes a copy you can change.</source>
        <translation>Un thème fourni par le système : ses enregistrements sont seulement affichés. « Copier dans mes thèmes » en fait une copie que vous pouvez modifier.</translation>
    </message>
    <message>
        <source>%1 is one of your own themes now: your changes go to your copy.</source>
        <translation>%1 est maintenant l&apos;un de vos thèmes : vos modifications vont dans votre copie.</translation>
    </message>
    <message>
        <source>Export Theme as iCalendar</source>
        <translation>Exporter le thème en iCalendar</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>Fichiers iCalendar (*.ics);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>%1 days of %2 written to %3.</source>
        <translation>%1 jours de %2 écrits dans %3.</translation>
    </message>
    <message>
        <source>Make a theme from a theme text, calendar, iCalendar or fortune file</source>
        <translation>Créer un thème à partir d’un texte de thème, d’un fichier calendar, iCalendar ou fortune</translation>
    </message>
</context>
<context>
    <name>vornelle::app::ThemeRecordsModel</name>
    <message>
        <source>Deleted</source>
        <translation>Supprimé</translation>
    </message>
    <message>
        <source>January</source>
        <translation>janvier</translation>
    </message>
    <message>
        <source>February</source>
        <translation>février</translation>
    </message>
    <message>
        <source>March</source>
        <translation>mars</translation>
    </message>
    <message>
        <source>April</source>
        <translation>avril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>juin</translation>
    </message>
    <message>
        <source>July</source>
        <translation>juillet</translation>
    </message>
    <message>
        <source>August</source>
        <translation>août</translation>
    </message>
    <message>
        <source>September</source>
        <translation>septembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>octobre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>novembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>décembre</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A theme&apos;s day: the day of the month and the month&apos;s name, as in &quot;8 December&quot;.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>vornelle::options::TMyColorGrid</name>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Bordeaux</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Bleu marine</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Bleu canard</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Argent</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Vert citron</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Foreground and background color</source>
        <translation>Couleur de premier plan et d’arrière-plan</translation>
    </message>
    <message>
        <source>Foreground color</source>
        <translation>Couleur de premier plan</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Couleur d’arrière-plan</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
</context>
<context>
    <name>vornelle::options::TOptionsF</name>
    <message>
        <source>Calendar Month Background Color</source>
        <translation>Fond du mois du calendrier</translation>
    </message>
    <message>
        <source>Calendar Title Background Color</source>
        <translation>Fond du titre du calendrier</translation>
    </message>
    <message>
        <source>Calendar Title Text Color</source>
        <translation>Texte du titre du calendrier</translation>
    </message>
    <message>
        <source>Calendar Title Trailing Text Color</source>
        <translation>Texte des jours hors du mois</translation>
    </message>
    <message>
        <source>Window Color</source>
        <translation>Couleur de la fenêtre</translation>
    </message>
    <message>
        <source>%1 Options</source>
        <translation>Options de %1</translation>
    </message>
    <message>
        <source>Available Themes</source>
        <translation>Thèmes disponibles</translation>
    </message>
    <message>
        <source>Themes to Display</source>
        <translation>Thèmes affichés</translation>
    </message>
    <message>
        <source>Add -&gt;</source>
        <translation>Ajouter -&gt;</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Color Options</source>
        <translation>Options de couleur</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Not in use while Tools &gt; Use Desktop Colours is on.</source>
        <translation>Sans effet avec Outils &gt; Utiliser les couleurs du bureau.</translation>
    </message>
    <message>
        <source>Font Options</source>
        <translation>Options de police</translation>
    </message>
    <message>
        <source>Set Font</source>
        <translation>Police...</translation>
    </message>
    <message>
        <source>Message Text Font</source>
        <translation>Police des messages</translation>
    </message>
    <message>
        <source>Calendar Text Font</source>
        <translation>Police du calendrier</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The themes whose messages the calendar shows</source>
        <translation>Les thèmes dont le calendrier affiche les messages</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Adds the highlighted available theme to the themes to display</source>
        <translation>Ajoute le thème disponible sélectionné aux thèmes affichés</translation>
    </message>
    <message>
        <source>Removes the highlighted theme from the themes to display</source>
        <translation>Retire le thème sélectionné des thèmes affichés</translation>
    </message>
    <message>
        <source>Left and Right arrows change this color</source>
        <translation>Les flèches gauche et droite changent cette couleur</translation>
    </message>
    <message>
        <source>Color Grid</source>
        <translation>Grille de couleurs</translation>
    </message>
    <message>
        <source>The marked cell is the checked item&apos;s color</source>
        <translation>La case marquée est la couleur de l’élément coché</translation>
    </message>
    <message>
        <source>Set Message Text Font</source>
        <translation>Choisir la police des messages</translation>
    </message>
    <message>
        <source>Set Calendar Text Font</source>
        <translation>Choisir la police du calendrier</translation>
    </message>
    <message>
        <source>Keeps the changes and closes the dialog</source>
        <translation>Conserve les modifications et ferme la boîte de dialogue</translation>
    </message>
    <message>
        <source>Closes the dialog without the changes</source>
        <translation>Ferme la boîte de dialogue sans les modifications</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Error creating font window!</source>
        <translation>Erreur à la création de la fenêtre des polices !</translation>
    </message>
    <message>
        <source>You must highlight a Theme to add.</source>
        <translation>Vous devez sélectionner un thème à ajouter.</translation>
    </message>
    <message>
        <source>That Theme is already being displayed.</source>
        <translation>Ce thème est déjà affiché.</translation>
    </message>
    <message>
        <source>You must highlight a Theme to remove.</source>
        <translation>Vous devez sélectionner un thème à retirer.</translation>
    </message>
    <message>
        <source>You made changes. Do you really want to exit without applying?</source>
        <translation>Vous avez fait des modifications. Voulez-vous vraiment quitter sans les appliquer ?</translation>
    </message>
</context>
</TS>
