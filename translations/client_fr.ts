<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <translation>&amp;Discussion</translation>
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
