<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>server::DenyMessageDialog</name>
    <message>
        <source>Deny Message</source>
        <translation>Message de refus</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Newcomers are given this message and then disconnected; players in the room stay.</source>
        <translation>Les nouveaux venus reçoivent ce message puis sont déconnectés&#xa0;; les joueurs du salon restent.</translation>
    </message>
    <message>
        <source>You need to put in a deny message!</source>
        <translation>Saisis un message de refus&#xa0;!</translation>
    </message>
    <message>
        <source>Click Cancel if you want to exit Deny mode.</source>
        <translation>Clique sur Annuler pour quitter le mode refus.</translation>
    </message>
</context>
<context>
    <name>server::MainWindow</name>
    <message>
        <source>Num</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Bytes Received</source>
        <translation>Octets reçus</translation>
    </message>
    <message>
        <source>Connections</source>
        <translation>Connexions</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Discussion</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Attempts</source>
        <translation>Tentatives</translation>
    </message>
    <message>
        <source>Banned</source>
        <translation>Bannis</translation>
    </message>
    <message>
        <source>Scrawlbox Server %1</source>
        <translation>Serveur Scrawlbox %1</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>&amp;Serveur</translation>
    </message>
    <message>
        <source>Server Details..</source>
        <translation>Détails du serveur…</translation>
    </message>
    <message>
        <source>Reload Settings</source>
        <translation>Recharger les réglages</translation>
    </message>
    <message>
        <source>Listen State</source>
        <translation>Accueil des connexions</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accepter</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Refuser</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Hors ligne</translation>
    </message>
    <message>
        <source>Submit Server</source>
        <translation>Inscrire le serveur</translation>
    </message>
    <message>
        <source>Remove Server</source>
        <translation>Retirer le serveur</translation>
    </message>
    <message>
        <source>Statistics..</source>
        <translation>Statistiques…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Check For New Version</source>
        <translation>Rechercher une nouvelle version</translation>
    </message>
    <message>
        <source>About Scrawlbox Server...</source>
        <translation>À propos du serveur Scrawlbox…</translation>
    </message>
    <message>
        <source>Total open %1</source>
        <translation>%1 (ouvertes au total)</translation>
    </message>
    <message>
        <source>Master socket status: %1</source>
        <translation>État du socket principal&#xa0;: %1</translation>
    </message>
    <message>
        <source>General server status: %1</source>
        <translation>État général du serveur&#xa0;: %1</translation>
    </message>
    <message>
        <source>Panel information..</source>
        <translation>Informations du panneau</translation>
    </message>
    <message>
        <source>ACCEPT</source>
        <translation>OUVERT</translation>
    </message>
    <message>
        <source>DENY</source>
        <translation>REFUS</translation>
    </message>
    <message>
        <source>OFFLINE</source>
        <translation>HORS LIGNE</translation>
    </message>
    <message>
        <source>!ERROR!</source>
        <translation>!ERREUR!</translation>
    </message>
    <message>
        <source>UNDEFINED</source>
        <translation>INDÉFINI</translation>
    </message>
    <message>
        <source>Connections: %1</source>
        <translation>Connexions&#xa0;: %1</translation>
    </message>
    <message>
        <source>User Information</source>
        <translation>Informations sur le joueur</translation>
    </message>
    <message>
        <source>Message User..</source>
        <translation>Message au joueur…</translation>
    </message>
    <message>
        <source>Message All Users..</source>
        <translation>Message à tous…</translation>
    </message>
    <message>
        <source>Kick User..</source>
        <translation>Expulser le joueur…</translation>
    </message>
    <message>
        <source>Ban User..</source>
        <translation>Bannir le joueur…</translation>
    </message>
    <message>
        <source>Message User...</source>
        <translation>Message au joueur</translation>
    </message>
    <message>
        <source>Enter the message to send to %1. You are limited to a maximum of 512 characters.</source>
        <translation>Saisis le message à envoyer à %1. 512 caractères au plus.</translation>
    </message>
    <message>
        <source>Message All Users...</source>
        <translation>Message à tous</translation>
    </message>
    <message>
        <source>Enter the message to send to all the currently connected users. You are limited to a maximum of 512 characters.</source>
        <translation>Saisis le message à envoyer à tous les joueurs connectés. 512 caractères au plus.</translation>
    </message>
    <message>
        <source>Kick User...</source>
        <translation>Expulser le joueur</translation>
    </message>
    <message>
        <source>If you are sure you want to kick %1, then please enter a reason and press Return. Otherwise press Escape or click Cancel. You are limited to 512 characters.</source>
        <translation>Si tu veux vraiment expulser %1, saisis une raison et appuie sur Entrée. Sinon, appuie sur Échap ou clique sur Annuler. 512 caractères au plus.</translation>
    </message>
    <message>
        <source>[no reason given]</source>
        <translation>[aucune raison donnée]</translation>
    </message>
    <message>
        <source>Ban Reason</source>
        <translation>Raison du bannissement</translation>
    </message>
    <message>
        <source>Why is %1 being banned?</source>
        <translation>Pourquoi bannir %1&#xa0;?</translation>
    </message>
    <message>
        <source>[No Reason Given]</source>
        <translation>[Aucune raison donnée]</translation>
    </message>
    <message>
        <source>Change IP..</source>
        <translation>Modifier l’IP…</translation>
    </message>
    <message>
        <source>Change IP</source>
        <translation>Modifier l’IP</translation>
    </message>
    <message>
        <source>Edit the IP address below. You can use ? and * wildcards, if required. Please make sure that it is a valid (wildcarded) IP, as I will not validate it to make sure that it is correct.</source>
        <translation>Modifie l’adresse IP ci-dessous. Les jokers&#xa0;? et * sont permis. Vérifie qu’elle est valable (avec ses jokers)&#xa0;: elle n’est pas contrôlée.</translation>
    </message>
    <message>
        <source>Change Reason..</source>
        <translation>Modifier la raison…</translation>
    </message>
    <message>
        <source>Change Ban Reason</source>
        <translation>Modifier la raison du bannissement</translation>
    </message>
    <message>
        <source>Enter the new reason for this IP being banned.</source>
        <translation>Saisis la nouvelle raison du bannissement de cette IP.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>There is currently a game in progress.</source>
        <translation>Une partie est en cours.</translation>
    </message>
    <message>
        <source>Are you sure you want to shut the server down?</source>
        <translation>Veux-tu vraiment arrêter le serveur&#xa0;?</translation>
    </message>
</context>
<context>
    <name>server::ServerDetailsDialog</name>
    <message>
        <source>Server Details</source>
        <translation>Détails du serveur</translation>
    </message>
    <message>
        <source>Guess It</source>
        <translation>Deviner</translation>
    </message>
    <message>
        <source>Let Scrawlbox try and guess your server&apos;s IP address..</source>
        <translation>Laisser Scrawlbox deviner l’adresse IP de ton serveur</translation>
    </message>
    <message>
        <source>Private server (not listed on the tracker)</source>
        <translation>Serveur privé (absent du tracker)</translation>
    </message>
    <message>
        <source>Remove from the tracker automatically on quit</source>
        <translation>Retirer automatiquement du tracker à la fermeture</translation>
    </message>
    <message>
        <source>A new port is used from the next start of the server.</source>
        <translation>Un nouveau port sert dès le prochain démarrage du serveur.</translation>
    </message>
    <message>
        <source>Seconds between keep-alive probes (1 to 60).</source>
        <translation>Secondes entre deux vérifications de la connexion (1 à 60).</translation>
    </message>
    <message>
        <source>Room name:</source>
        <translation>Nom du salon&#xa0;:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Description&#xa0;:</translation>
    </message>
    <message>
        <source>Admin name:</source>
        <translation>Nom de l’admin&#xa0;:</translation>
    </message>
    <message>
        <source>Admin e-mail:</source>
        <translation>E-mail de l’admin&#xa0;:</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>Adresse IP&#xa0;:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Site web&#xa0;:</translation>
    </message>
    <message>
        <source>Message of the day:</source>
        <translation>Message du jour&#xa0;:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port&#xa0;:</translation>
    </message>
    <message>
        <source>Ping (seconds):</source>
        <translation>Ping (secondes)&#xa0;:</translation>
    </message>
    <message>
        <source>Western European letters only</source>
        <translation>Lettres d’Europe occidentale uniquement</translation>
    </message>
    <message>
        <source>The server information is kept and sent in Windows-1252: English and the letters of Western European languages (such as é, ä, ñ, ß or ç) are fine. Any other character (Greek, Cyrillic, Polish or Chinese letters, emoji...) turns into &quot;?&quot;.</source>
        <translation>Les informations du serveur sont enregistrées et envoyées en Windows-1252&#xa0;: l’anglais et les lettres des langues d’Europe occidentale (comme é, ä, ñ, ß ou ç) passent. Tout autre caractère (lettres grecques, cyrilliques, polonaises ou chinoises, emoji…) devient «&#xa0;?&#xa0;».</translation>
    </message>
    <message>
        <source>The name of this computer is not known.</source>
        <translation>Le nom de cet ordinateur est inconnu.</translation>
    </message>
    <message>
        <source>Guess IP Results</source>
        <translation>Recherche de l’IP</translation>
    </message>
    <message>
        <source>Sorry, I was unable to guess your IP.</source>
        <translation>Désolé, impossible de deviner ton IP.</translation>
    </message>
    <message numerus="yes">
        <source>I found %n IP address(es).</source>
        <translation>
            <numerusform>%n adresse IP trouvée.</numerusform>
            <numerusform>%n adresses IP trouvées.</numerusform>
        </translation>
    </message>
    <message>
        <source>The settings could not be written to Server.ini. Check that its folder can be written and is not full.</source>
        <translation>Impossible d’écrire les réglages dans Server.ini. Vérifie que son dossier est accessible en écriture et n’est pas plein.</translation>
    </message>
</context>
<context>
    <name>server::StatisticsWindow</name>
    <message>
        <source>Server Statistics</source>
        <translation>Statistiques du serveur</translation>
    </message>
    <message>
        <source>Statistic</source>
        <translation>Statistique</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Selected Stat</source>
        <translation>Statistique choisie</translation>
    </message>
    <message>
        <source>Name: %1
Value: %2</source>
        <translation>Nom&#xa0;: %1
Valeur&#xa0;: %2</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Reset Statistics</source>
        <translation>Réinitialiser les statistiques</translation>
    </message>
    <message>
        <source>Are you completely sure you want to reset your server&apos;s statistics?</source>
        <translation>Veux-tu vraiment réinitialiser les statistiques de ton serveur&#xa0;?</translation>
    </message>
    <message>
        <source>Server statistics have been reset.</source>
        <translation>Les statistiques du serveur ont été réinitialisées.</translation>
    </message>
</context>
</TS>
