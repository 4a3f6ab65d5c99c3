<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>client::AgreementWindow</name>
    <message>
        <source>Room Agreement</source>
        <translation>Règles du salon</translation>
    </message>
    <message>
        <source>I Agree</source>
        <translation>J’accepte</translation>
    </message>
    <message>
        <source>I Disagree</source>
        <translation>Je refuse</translation>
    </message>
    <message>
        <source>Please read the rules of this room:</source>
        <translation>Lis les règles de ce salon&#xa0;:</translation>
    </message>
</context>
<context>
    <name>client::ChatBar</name>
    <message>
        <source>Scrawlbox Chat</source>
        <translation>Discussion Scrawlbox</translation>
    </message>
</context>
<context>
    <name>client::ChatInput</name>
    <message>
        <source>A chat line holds at most 512 characters: rooms pass on no more.</source>
        <translation>Une ligne de discussion compte au plus 512 caractères&#xa0;: les salons n’en transmettent pas davantage.</translation>
    </message>
</context>
<context>
    <name>client::CreateRoomWindow</name>
    <message>
        <source>Create Room</source>
        <translation>Créer un salon</translation>
    </message>
    <message>
        <source>A room of your own on a server that hosts many rooms. You are its first player, and so its admin.</source>
        <translation>Un salon à toi sur un serveur qui en héberge beaucoup. Tu en es le premier joueur, et donc l’admin.</translation>
    </message>
    <message>
        <source>The server to make the room on: host, host:port or [IPv6]:port (the port is 2020 when none is given)</source>
        <translation>Le serveur du salon : hôte, hôte:port ou [IPv6]:port (port 2020 s’il n’est pas indiqué)</translation>
    </message>
    <message>
        <source>&amp;List it in the room directory</source>
        <translation>&amp;Le publier dans l’annuaire des salons</translation>
    </message>
    <message>
        <source>Everyone may then find it in the server browser&apos;s Public list</source>
        <translation>Tout le monde pourra alors le trouver dans la liste publique des serveurs</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>&amp;Créer</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Serveur :</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom :</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe :</translation>
    </message>
    <message>
        <source>You leave the game in progress for the new room.</source>
        <translation>Tu quittes la partie en cours pour le nouveau salon.</translation>
    </message>
    <message>
        <source>You leave the room you are in for the new one.</source>
        <translation>Tu quittes ton salon actuel pour le nouveau.</translation>
    </message>
    <message>
        <source>Not an address..</source>
        <translation>Adresse non valable</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a server to make a room on: %2.
Enter host, host:port or [IPv6]:port.</source>
        <translation>« %1 » n’est pas un serveur où créer un salon : %2.
Indique hôte, hôte:port ou [IPv6]:port.</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>facultatif</translation>
    </message>
    <message>
        <source>The language the room plays in: its word lists, and where the room directory lists it</source>
        <translation>La langue dans laquelle on joue dans le salon : ses listes de mots, et où l’annuaire des salons le classe</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>Lan&amp;gue :</translation>
    </message>
</context>
<context>
    <name>client::DrawingArea</name>
    <message>
        <source>Clear the pad (press twice)</source>
        <translation>Effacer la feuille (appuyer deux fois)</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gomme</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Main levée</translation>
    </message>
    <message>
        <source>Straight line</source>
        <translation>Ligne droite</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Flood fill</source>
        <translation>Remplissage</translation>
    </message>
    <message>
        <source>Spray can</source>
        <translation>Bombe de peinture</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Fill closed shapes</source>
        <translation>Remplir les formes fermées</translation>
    </message>
    <message>
        <source>Small brush (1 pixel width)</source>
        <translation>Petit pinceau (1 pixel de large)</translation>
    </message>
    <message>
        <source>Medium brush (2 pixel width)</source>
        <translation>Pinceau moyen (2 pixels de large)</translation>
    </message>
    <message>
        <source>Large brush (4 pixel width)</source>
        <translation>Grand pinceau (4 pixels de large)</translation>
    </message>
    <message>
        <source>Huge brush (8 pixel width)</source>
        <translation>Très grand pinceau (8 pixels de large)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Take the results off the pad</source>
        <translation>Retirer les résultats de la feuille</translation>
    </message>
    <message>
        <source>Select this colour as the current drawing colour</source>
        <translation>Dessiner avec cette couleur</translation>
    </message>
    <message>
        <source>The current colour: click to mix your own</source>
        <translation>La couleur actuelle&#xa0;: clique pour composer la tienne</translation>
    </message>
</context>
<context>
    <name>client::Gallery</name>
    <message>
        <source>Scrawlbox round %1</source>
        <translation>Scrawlbox manche %1</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>par %1</translation>
    </message>
</context>
<context>
    <name>client::GalleryWindow</name>
    <message>
        <source>the word was not told</source>
        <translation>le mot n’a pas été dévoilé</translation>
    </message>
    <message>
        <source>Round %1: %2</source>
        <translation>Manche %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Game of %1</source>
        <translation>Partie du %1</translation>
    </message>
    <message>
        <source>ddd d MMM yyyy, HH:mm</source>
        <translation>ddd d MMM yyyy, HH:mm</translation>
    </message>
    <message>
        <source>Game %1</source>
        <translation>Partie %1</translation>
    </message>
    <message>
        <source>Nobody found the word.</source>
        <translation>Personne n’a trouvé le mot.</translation>
    </message>
    <message>
        <source>Found by %1.</source>
        <translation>Trouvé par %1.</translation>
    </message>
    <message>
        <source>Gallery</source>
        <translation>Galerie</translation>
    </message>
    <message>
        <source>No rounds yet. Every round played while Scrawlbox runs is kept here: its picture, its word, who drew it and who found it.</source>
        <translation>Aucune manche pour l’instant. Chaque manche jouée pendant que Scrawlbox est ouvert est gardée ici&#xa0;: son dessin, son mot, qui l’a dessiné et qui l’a trouvé.</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Rejouer</translation>
    </message>
    <message>
        <source>Draw the round again as it was drawn</source>
        <translation>Redessiner la manche comme elle a été dessinée</translation>
    </message>
    <message>
        <source>Replay %1×</source>
        <translation>Rejouer %1×</translation>
    </message>
    <message>
        <source>Draw the round again, %1 times as fast</source>
        <translation>Redessiner la manche, %1 fois plus vite</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop the replay and show the round&apos;s picture</source>
        <translation>Arrêter et afficher le dessin de la manche</translation>
    </message>
    <message>
        <source>How far the replay is</source>
        <translation>Avancement de la reprise</translation>
    </message>
    <message>
        <source>Save as PNG...</source>
        <translation>Enregistrer en PNG…</translation>
    </message>
    <message>
        <source>Save this round&apos;s picture at the size chosen beside</source>
        <translation>Enregistrer le dessin de cette manche à la taille choisie à côté</translation>
    </message>
    <message>
        <source>The size pictures are saved at; every pixel stays a sharp square</source>
        <translation>La taille d’enregistrement des dessins&#xa0;; chaque pixel reste un carré net</translation>
    </message>
    <message>
        <source>Save All...</source>
        <translation>Tout enregistrer…</translation>
    </message>
    <message>
        <source>Save every round&apos;s picture into a folder</source>
        <translation>Enregistrer le dessin de chaque manche dans un dossier</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>par %1</translation>
    </message>
    <message>
        <source>Drawn by %1</source>
        <translation>Dessiné par %1</translation>
    </message>
    <message>
        <source>Save the round&apos;s picture</source>
        <translation>Enregistrer le dessin de la manche</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Non enregistré</translation>
    </message>
    <message>
        <source>The picture could not be saved as %1.</source>
        <translation>Le dessin n’a pas pu être enregistré sous %1.</translation>
    </message>
    <message>
        <source>Save every picture into a folder</source>
        <translation>Enregistrer tous les dessins dans un dossier</translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1.</source>
        <translation>
            <numerusform>%n dessin enregistré dans %1.</numerusform>
            <numerusform>%n dessins enregistrés dans %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) saved in %1; %2 could not be written.</source>
        <translation>
            <numerusform>%n dessin enregistré dans %1&#xa0;; échecs d’écriture&#xa0;: %2.</numerusform>
            <numerusform>%n dessins enregistrés dans %1&#xa0;; échecs d’écriture&#xa0;: %2.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>client::GameWordWindow</name>
    <message>
        <source>The game words are..</source>
        <translation>Les mots du jeu sont…</translation>
    </message>
    <message>
        <source>The game word is..</source>
        <translation>Le mot du jeu est…</translation>
    </message>
</context>
<context>
    <name>client::MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Connect..</source>
        <translation>Se connecter…</translation>
    </message>
    <message>
        <source>Create Room...</source>
        <translation>Créer un salon…</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Load Image..</source>
        <translation>Charger une image…</translation>
    </message>
    <message>
        <source>Save Image..</source>
        <translation>Enregistrer l’image…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Copy Picture</source>
        <translation>Copier le dessin</translation>
    </message>
    <message>
        <source>Paste Picture</source>
        <translation>Coller le dessin</translation>
    </message>
    <message>
        <source>User Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>Gallery</source>
        <translation>Galerie</translation>
    </message>
    <message>
        <source>&amp;Chat</source>
        <translation>Dis&amp;cussion</translation>
    </message>
    <message>
        <source>Float ChatBar</source>
        <translation>Détacher la barre de discussion</translation>
    </message>
    <message>
        <source>Keep On Top</source>
        <translation>Toujours au premier plan</translation>
    </message>
    <message>
        <source>User Information</source>
        <translation>Informations sur le joueur</translation>
    </message>
    <message>
        <source>Administrate</source>
        <translation>Administrer</translation>
    </message>
    <message>
        <source>Kick User</source>
        <translation>Expulser le joueur</translation>
    </message>
    <message>
        <source>Vote to Kick</source>
        <translation>Voter l’expulsion</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Scrawlbox Website</source>
        <translation>Site de Scrawlbox</translation>
    </message>
    <message>
        <source>Scrawlbox Forum</source>
        <translation>Forum de Scrawlbox</translation>
    </message>
    <message>
        <source>Tell a Friend</source>
        <translation>Le recommander à un ami</translation>
    </message>
    <message>
        <source>Leave a Comment</source>
        <translation>Laisser un commentaire</translation>
    </message>
    <message>
        <source>Check For New Version</source>
        <translation>Rechercher une nouvelle version</translation>
    </message>
    <message>
        <source>About Scrawlbox...</source>
        <translation>À propos de Scrawlbox…</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>O&amp;utils</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Main levée</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cercle</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gomme</translation>
    </message>
    <message>
        <source>Flood Fill</source>
        <translation>Remplissage</translation>
    </message>
    <message>
        <source>Spray Can</source>
        <translation>Bombe de peinture</translation>
    </message>
    <message>
        <source>Solid Fill</source>
        <translation>Formes pleines</translation>
    </message>
    <message>
        <source>Clear Pad (press twice)</source>
        <translation>Effacer la feuille (appuyer deux fois)</translation>
    </message>
    <message>
        <source>Small Brush</source>
        <translation>Petit pinceau</translation>
    </message>
    <message>
        <source>Medium Brush</source>
        <translation>Pinceau moyen</translation>
    </message>
    <message>
        <source>Large Brush</source>
        <translation>Grand pinceau</translation>
    </message>
    <message>
        <source>Huge Brush</source>
        <translation>Très grand pinceau</translation>
    </message>
    <message>
        <source>Scrawlbox - Client v%1 (build#%2) Beta</source>
        <translation>Scrawlbox – Client v%1 (build %2) bêta</translation>
    </message>
    <message>
        <source>Room:</source>
        <translation>Salon&#xa0;:</translation>
    </message>
    <message>
        <source>Admin:</source>
        <translation>Admin&#xa0;:</translation>
    </message>
    <message>
        <source>Round:</source>
        <translation>Manche&#xa0;:</translation>
    </message>
    <message>
        <source>Word:</source>
        <translation>Mot&#xa0;:</translation>
    </message>
    <message>
        <source>Click to show the word large</source>
        <translation>Clique pour afficher le mot en grand</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Temps&#xa0;:</translation>
    </message>
    <message>
        <source>Auto-Skip Go</source>
        <translation>Toujours passer mon tour</translation>
    </message>
    <message>
        <source>Never be chosen to draw (away)</source>
        <translation>Ne jamais être choisi pour dessiner (absent)</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Regarder</translation>
    </message>
    <message>
        <source>Watch the game instead of playing, from the next round</source>
        <translation>Regarder la partie au lieu de jouer, dès la prochaine manche</translation>
    </message>
    <message>
        <source>Watch until the next round</source>
        <translation>Regarder jusqu’à la prochaine manche</translation>
    </message>
    <message>
        <source>Joining during a round, watch it and play from the next one</source>
        <translation>En arrivant pendant une manche, la regarder et jouer dès la suivante</translation>
    </message>
    <message>
        <source>Shared first place</source>
        <translation>Première place partagée</translation>
    </message>
    <message>
        <source>Choose another nickname to join the room.</source>
        <translation>Choisis un autre pseudo pour entrer dans le salon.</translation>
    </message>
    <message>
        <source>Kick User..</source>
        <translation>Expulser le joueur</translation>
    </message>
    <message>
        <source>Enter the reason why you are kicking %1. You are limited to %2 characters.</source>
        <translation>Indique pourquoi tu expulses %1. %2 caractères au plus.</translation>
    </message>
    <message>
        <source>[No reason given]</source>
        <translation>[Aucune raison donnée]</translation>
    </message>
    <message>
        <source>Select image to load..</source>
        <translation>Choisir l’image à charger</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.png *.jpg *.jpeg)</source>
        <translation>Images (*.bmp *.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>(*.*) All Files (*)</source>
        <translation>(*.*) Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Could not load picture: %1 (%2)</source>
        <translation>Impossible de charger l’image&#xa0;: %1 (%2)</translation>
    </message>
    <message>
        <source>Loaded picture: %1</source>
        <translation>Image chargée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Enter filename for image...</source>
        <translation>Nom du fichier de l’image</translation>
    </message>
    <message>
        <source>Could not save picture: %1</source>
        <translation>Impossible d’enregistrer l’image&#xa0;: %1</translation>
    </message>
    <message>
        <source>Picture saved as: %1</source>
        <translation>Image enregistrée sous&#xa0;: %1</translation>
    </message>
    <message>
        <source>The clipboard does not contain any image data.</source>
        <translation>Le presse-papiers ne contient aucune image.</translation>
    </message>
    <message>
        <source>Leave the game?</source>
        <translation>Quitter la partie&#xa0;?</translation>
    </message>
    <message>
        <source>Leave the game in progress?</source>
        <translation>Quitter la partie en cours&#xa0;?</translation>
    </message>
</context>
<context>
    <name>client::OptionsWindow</name>
    <message>
        <source>The system&apos;s</source>
        <translation>Celle du système</translation>
    </message>
    <message>
        <source>Scrawlbox speaks it from its next start.</source>
        <translation>Scrawlbox la parle dès son prochain démarrage.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Windows:</source>
        <translation>Fenêtres :</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Show a line when someone joins the room</source>
        <translation>Afficher une ligne quand quelqu’un entre dans le salon</translation>
    </message>
    <message>
        <source>Show a line when someone leaves the room</source>
        <translation>Afficher une ligne quand quelqu’un quitte le salon</translation>
    </message>
    <message>
        <source>The pad&apos;s cursor follows the selected tool</source>
        <translation>Le curseur suit l’outil choisi</translation>
    </message>
    <message>
        <source>Flat toolbars</source>
        <translation>Barres d’outils plates</translation>
    </message>
    <message>
        <source>Dial-up Modem</source>
        <translation>Modem</translation>
    </message>
    <message>
        <source>Broadband</source>
        <translation>Haut débit</translation>
    </message>
    <message>
        <source>Local Area Network</source>
        <translation>Réseau local</translation>
    </message>
    <message>
        <source>Drawing information will only be sent to the server when the mouse button is released.</source>
        <translation>Le dessin n’est envoyé au serveur qu’au relâchement du bouton de la souris.</translation>
    </message>
    <message>
        <source>Drawing information is sent to the server in bursts once every second.</source>
        <translation>Le dessin est envoyé au serveur par paquets, une fois par seconde.</translation>
    </message>
    <message>
        <source>Drawing information is constantly sent to the server. Note that this can saturate a non-LAN connection.</source>
        <translation>Le dessin est envoyé au serveur en continu. Une connexion hors réseau local peut en être saturée.</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Discussion</translation>
    </message>
    <message>
        <source>Chat font:</source>
        <translation>Police de la discussion :</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Dessin</translation>
    </message>
    <message>
        <source>Drawing cursor:</source>
        <translation>Curseur de dessin :</translation>
    </message>
    <message>
        <source>Connection:</source>
        <translation>Connexion :</translation>
    </message>
    <message>
        <source>Play a sound when</source>
        <translation>Jouer un son quand</translation>
    </message>
    <message>
        <source>Someone joins the room</source>
        <translation>quelqu’un entre dans le salon</translation>
    </message>
    <message>
        <source>Someone says something</source>
        <translation>quelqu’un dit quelque chose</translation>
    </message>
    <message>
        <source>Someone finds the word</source>
        <translation>quelqu’un trouve le mot</translation>
    </message>
    <message>
        <source>A key is typed in the chat</source>
        <translation>une touche est tapée dans la discussion</translation>
    </message>
    <message>
        <source>The profile is saved or closed</source>
        <translation>le profil est enregistré ou fermé</translation>
    </message>
    <message>
        <source>It is your turn to draw</source>
        <translation>c’est à toi de dessiner</translation>
    </message>
    <message>
        <source>You are offered words to choose from</source>
        <translation>on te propose des mots à choisir</translation>
    </message>
    <message>
        <source>A round&apos;s last five seconds tick away</source>
        <translation>les cinq dernières secondes d’une manche s’écoulent</translation>
    </message>
</context>
<context>
    <name>client::PadWidget</name>
    <message>
        <source>Click Clear again</source>
        <translation>Encore un clic</translation>
    </message>
    <message>
        <source>to wipe the pad</source>
        <translation>pour tout effacer</translation>
    </message>
    <message>
        <source>The winner</source>
        <translation>Le gagnant</translation>
    </message>
    <message>
        <source>is...</source>
        <translation>est…</translation>
    </message>
</context>
<context>
    <name>client::ProfileWindow</name>
    <message>
        <source>Choose a nickname first.</source>
        <translation>Choisis d’abord un pseudo.</translation>
    </message>
    <message>
        <source>Choose a nickname</source>
        <translation>Choisir un pseudo</translation>
    </message>
    <message>
        <source>User Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>Homme</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>Femme</translation>
    </message>
    <message>
        <source>Not given</source>
        <translation>Non précisé</translation>
    </message>
    <message>
        <source>Nickname:</source>
        <translation>Pseudo&#xa0;:</translation>
    </message>
    <message>
        <source>Age:</source>
        <translation>Âge&#xa0;:</translation>
    </message>
    <message>
        <source>Gender:</source>
        <translation>Genre&#xa0;:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Lieu&#xa0;:</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Site web&#xa0;:</translation>
    </message>
    <message>
        <source>Quote:</source>
        <translation>Citation&#xa0;:</translation>
    </message>
    <message>
        <source>The other players know you by your nickname; the rest of the profile is yours to fill in or leave.</source>
        <translation>Les autres joueurs te connaissent par ton pseudo&#xa0;; le reste du profil est à remplir si tu veux.</translation>
    </message>
    <message>
        <source>Sorry, but you cannot use the nickname you have selected. It either contains offensive language, is a reserved name, or is the default profile name.</source>
        <translation>Désolé, tu ne peux pas utiliser ce pseudo. Il contient des termes injurieux, est réservé ou est le nom de profil par défaut.</translation>
    </message>
    <message>
        <source>Reserved Nickname...</source>
        <translation>Pseudo réservé</translation>
    </message>
    <message>
        <source>Click OK and please change your nickname.</source>
        <translation>Clique sur OK et change ton pseudo.</translation>
    </message>
    <message>
        <source>Click Yes to be taken to the Profile window so you can edit your nickname.</source>
        <translation>Clique sur Oui pour ouvrir la fenêtre du profil et modifier ton pseudo.</translation>
    </message>
</context>
<context>
    <name>client::RoomInviteWindow</name>
    <message>
        <source>Invite friends</source>
        <translation>Inviter des amis</translation>
    </message>
    <message>
        <source>Your room &quot;%1&quot; is ready. Send your friends a link to it:</source>
        <translation>Ton salon « %1 » est prêt. Envoie un lien à tes amis :</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Copier le lien</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>Copié !</translation>
    </message>
    <message>
        <source>In a browser:</source>
        <translation>Dans un navigateur :</translation>
    </message>
    <message>
        <source>In Scrawlbox:</source>
        <translation>Dans Scrawlbox :</translation>
    </message>
    <message>
        <source>The browser link plays in any web browser, with nothing to install; the Scrawlbox link opens this program in the room.</source>
        <translation>Le lien navigateur fonctionne dans tout navigateur, sans rien installer ; le lien Scrawlbox ouvre ce programme dans le salon.</translation>
    </message>
</context>
<context>
    <name>client::RoomPasswordWindow</name>
    <message>
        <source>Room Password</source>
        <translation>Mot de passe du salon</translation>
    </message>
    <message>
        <source>The password was not right. The room at %1 asks for its password:</source>
        <translation>Le mot de passe n’était pas le bon. Le salon à l’adresse %1 demande son mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>The room at %1 asks for a password:</source>
        <translation>Le salon à l’adresse %1 demande un mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>Remember it for this room</source>
        <translation>Le retenir pour ce salon</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Entrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>client::ServerBrowserWindow</name>
    <message>
        <source>Server Browser</source>
        <translation>Liste des serveurs</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Publics</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Server Name</source>
        <translation>Nom du serveur</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Joueurs</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Add To Favourites</source>
        <translation>Ajouter aux favoris</translation>
    </message>
    <message>
        <source>Is Server Online?</source>
        <translation>Le serveur est-il en ligne&#xa0;?</translation>
    </message>
    <message>
        <source>Play in the browser</source>
        <translation>Jouer dans le navigateur</translation>
    </message>
    <message>
        <source>Enter the IP of the server you want to connect to.. (host, host:port or [IPv6]:port; the port is 2020 when none is given)</source>
        <translation>Indique l’IP du serveur auquel te connecter (hôte, hôte:port ou [IPv6]:port&#xa0;; port 2020 s’il n’est pas indiqué)</translation>
    </message>
    <message>
        <source>Enter a name for this server if you want to bookmark it..</source>
        <translation>Donne un nom à ce serveur si tu veux l’ajouter aux favoris</translation>
    </message>
    <message>
        <source>Enter a short description for this server if you want to bookmark it..</source>
        <translation>Donne une courte description de ce serveur si tu veux l’ajouter aux favoris</translation>
    </message>
    <message>
        <source>Add server to favourites</source>
        <translation>Ajouter aux favoris</translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation>Retirer le serveur</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Ask the room directory for its list again</source>
        <translation>Redemander la liste à l’annuaire des salons</translation>
    </message>
    <message>
        <source>Show only the public rooms that play in this language</source>
        <translation>N’afficher que les salons publics qui jouent dans cette langue</translation>
    </message>
    <message>
        <source>Any language</source>
        <translation>Toutes les langues</translation>
    </message>
    <message>
        <source>Server appears to be online.</source>
        <translation>Le serveur semble en ligne.</translation>
    </message>
    <message>
        <source>The server closed the connection.</source>
        <translation>Le serveur a fermé la connexion.</translation>
    </message>
    <message>
        <source>The server could not be checked: %1</source>
        <translation>Impossible de vérifier le serveur&#xa0;: %1</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>Rubriques</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>This room asks for a password</source>
        <translation>Ce salon demande un mot de passe</translation>
    </message>
    <message>
        <source>Play in the browser: %1</source>
        <translation>Jouer dans le navigateur&#xa0;: %1</translation>
    </message>
    <message>
        <source>No IP Entered..</source>
        <translation>Aucune IP indiquée</translation>
    </message>
    <message>
        <source>You need to select a server or enter a server IP address into the Address textbox before you can connect.</source>
        <translation>Choisis un serveur ou indique l’IP d’un serveur dans le champ «&#xa0;Adresse&#xa0;» avant de te connecter.</translation>
    </message>
    <message>
        <source>Not an address..</source>
        <translation>Adresse non valable</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address to connect to: %2.
Enter host, host:port or [IPv6]:port.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une adresse de connexion&#xa0;: %2.
Indique hôte, hôte:port ou [IPv6]:port.</translation>
    </message>
    <message>
        <source>Can&apos;t add favourite..</source>
        <translation>Impossible d’ajouter le favori</translation>
    </message>
    <message>
        <source>You need to enter an IP address for this entry!</source>
        <translation>Indique une adresse IP pour cette entrée&#xa0;!</translation>
    </message>
    <message>
        <source>The address cannot be used: %1.</source>
        <translation>Cette adresse est inutilisable&#xa0;: %1.</translation>
    </message>
    <message>
        <source>You need to enter a name for this entry!</source>
        <translation>Indique un nom pour cette entrée&#xa0;!</translation>
    </message>
    <message>
        <source>You need to enter a description for this entry!</source>
        <translation>Indique une description pour cette entrée&#xa0;!</translation>
    </message>
    <message>
        <source>Already exists..</source>
        <translation>Déjà présent</translation>
    </message>
    <message>
        <source>This favourite already exists!</source>
        <translation>Ce favori existe déjà&#xa0;!</translation>
    </message>
</context>
<context>
    <name>client::SetupGameWindow</name>
    <message>
        <source>%1 (%2 to %3)</source>
        <translation>%1 (de %2 à %3)</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Illimité</translation>
    </message>
    <message>
        <source>Wordlist downloaded.</source>
        <translation>Listes de mots chargées.</translation>
    </message>
    <message>
        <source>Please select at least one wordlist.</source>
        <translation>Choisis au moins une liste de mots.</translation>
    </message>
    <message>
        <source>Setup Game</source>
        <translation>Préparer la partie</translation>
    </message>
    <message>
        <source>Unknown room</source>
        <translation>Salon inconnu</translation>
    </message>
    <message>
        <source>%1&apos;s room!</source>
        <translation>Le salon de %1&#xa0;!</translation>
    </message>
    <message>
        <source>The name of this room</source>
        <translation>Le nom de ce salon</translation>
    </message>
    <message>
        <source>The description for this room</source>
        <translation>La description de ce salon</translation>
    </message>
    <message>
        <source>The number of players allowed in the room</source>
        <translation>Le nombre de joueurs admis dans le salon</translation>
    </message>
    <message>
        <source>The total number of rounds per game</source>
        <translation>Le nombre total de manches par partie</translation>
    </message>
    <message>
        <source>How long each round lasts, in seconds</source>
        <translation>La durée de chaque manche, en secondes</translation>
    </message>
    <message>
        <source>The seconds left to the others once the first player has found the word</source>
        <translation>Les secondes laissées aux autres dès que le premier joueur a trouvé le mot</translation>
    </message>
    <message>
        <source>Words of your own, separated by commas or lines; &quot;|&quot; between spellings</source>
        <translation>Tes propres mots, séparés par des virgules ou des lignes&#xa0;; «&#xa0;|&#xa0;» entre les graphies</translation>
    </message>
    <message>
        <source>apple, grand piano, café|cafe</source>
        <translation>pomme, piano à queue, café|cafe</translation>
    </message>
    <message>
        <source>None: the game uses the lists alone.</source>
        <translation>Aucun&#xa0;: la partie n’utilise que les listes.</translation>
    </message>
    <message numerus="yes">
        <source>%n words (the most a game takes)</source>
        <translation>
            <numerusform>%n mot (le maximum pour une partie)</numerusform>
            <numerusform>%n mots (le maximum pour une partie)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n word(s)</source>
        <translation>
            <numerusform>%n mot</numerusform>
            <numerusform>%n mots</numerusform>
        </translation>
    </message>
    <message>
        <source>Downloading wordlist...</source>
        <translation>Chargement des listes de mots…</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Lancer la partie</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Customise Game Options</source>
        <translation>Réglages de la partie</translation>
    </message>
    <message>
        <source>Select the wordlists you would like to use in your game from the list on the right, then hit Start Game to begin.</source>
        <translation>Choisis à droite les listes de mots de ta partie, puis clique sur «&#xa0;Lancer la partie&#xa0;».</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>de %1 à %2</translation>
    </message>
    <message>
        <source>%1 to %2 seconds</source>
        <translation>de %1 à %2 secondes</translation>
    </message>
    <message>
        <source>Room name</source>
        <translation>Nom du salon</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Player limit</source>
        <translation>Limite de joueurs</translation>
    </message>
    <message>
        <source>%1 to %2 (0: no limit)</source>
        <translation>de %1 à %2 (0&#xa0;: illimité)</translation>
    </message>
    <message>
        <source>Total rounds</source>
        <translation>Manches</translation>
    </message>
    <message>
        <source>Time per round</source>
        <translation>Durée d’une manche</translation>
    </message>
    <message>
        <source>Grace period after first guess</source>
        <translation>Délai après la première bonne réponse</translation>
    </message>
    <message>
        <source>Word lists</source>
        <translation>Listes de mots</translation>
    </message>
    <message>
        <source>Your own words (alone, or mixed with the lists)</source>
        <translation>Tes propres mots (seuls ou mêlés aux listes)</translation>
    </message>
    <message>
        <source>No wordlists available.</source>
        <translation>Aucune liste de mots disponible.</translation>
    </message>
    <message>
        <source>Server has no wordlists...</source>
        <translation>Serveur sans listes de mots</translation>
    </message>
    <message>
        <source>The server hasn&apos;t been set up properly and does not contain any word lists. Please let the administrator of this server know!</source>
        <translation>Le serveur n’est pas bien configuré et n’a aucune liste de mots. Préviens l’administrateur de ce serveur&#xa0;!</translation>
    </message>
</context>
<context>
    <name>client::UserList</name>
    <message>
        <source>Nickname</source>
        <translation>Pseudo</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>%1 (watching)</source>
        <translation>%1 (regarde)</translation>
    </message>
    <message>
        <source>%1 is drawing</source>
        <translation>%1 dessine</translation>
    </message>
    <message>
        <source>%1 has found the word</source>
        <translation>%1 a trouvé le mot</translation>
    </message>
</context>
<context>
    <name>client::WordChoicePanel</name>
    <message>
        <source>Choose the word you will draw</source>
        <translation>Choisis le mot que tu vas dessiner</translation>
    </message>
    <message>
        <source>%1 is choosing a word</source>
        <translation>%1 choisit un mot</translation>
    </message>
    <message>
        <source>1 second left</source>
        <translation>Plus qu’une seconde</translation>
    </message>
    <message>
        <source>%1 seconds left</source>
        <translation>Plus que %1 secondes</translation>
    </message>
    <message>
        <source>Draw %1 (key %2)</source>
        <translation>Dessiner %1 (touche %2)</translation>
    </message>
</context>
</TS>
