<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Game</name>
    <message>
        <source>The artist has given a second hint! The word starts with: %1</source>
        <translation>L&apos;artiste a donné un deuxième indice ! Le mot commence par : %1</translation>
    </message>
    <message>
        <source>The artist has given a third hint! The word starts with: %1</source>
        <translation>L&apos;artiste a donné un troisième indice ! Le mot commence par : %1</translation>
    </message>
    <message>
        <source>The artist has given a final hint! The word starts with: %1</source>
        <translation>L&apos;artiste a donné un dernier indice ! Le mot commence par : %1</translation>
    </message>
</context>
<context>
    <name>client::Session</name>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>This server holds one room and makes no others; you are in its room.</source>
        <translation>Ce serveur n&apos;a qu&apos;un salon et n&apos;en crée pas d&apos;autres ; tu es dans ce salon.</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>You have been banned from this server. You are not permitted to join it.</source>
        <translation>Tu as été banni de ce serveur. Tu ne peux pas le rejoindre.</translation>
    </message>
    <message>
        <source>Sorry, but you are using an old version of the Scrawlbox client. You will need to download the newest version from %1 before you can join this server.</source>
        <translation>Désolé, tu utilises une ancienne version de Scrawlbox. Télécharge la dernière version sur %1 pour rejoindre ce serveur.</translation>
    </message>
    <message>
        <source>Requesting userlist...</source>
        <translation>Demande de la liste des joueurs…</translation>
    </message>
    <message>
        <source>You are alone in this room; feel free to practise drawing. Your drawing actions will not be sent to the server. But anything you type will - use it as a rough indication of your ping.</source>
        <translation>Tu es seul dans ce salon ; entraîne-toi à dessiner. Tes dessins ne sont pas envoyés au serveur, mais tout ce que tu écris l&apos;est : cela donne une idée de ton ping.</translation>
    </message>
    <message>
        <source>Waiting for a second player</source>
        <translation>En attente d&apos;un deuxième joueur</translation>
    </message>
    <message>
        <source>MOTD - %1</source>
        <translation>Message du jour – %1</translation>
    </message>
    <message>
        <source>** %1 has joined the room!</source>
        <translation>** %1 a rejoint le salon !</translation>
    </message>
    <message>
        <source>%1 has left (%2).</source>
        <translation>%1 est parti (%2).</translation>
    </message>
    <message>
        <source>%1 has been made into an admin.</source>
        <translation>%1 est maintenant admin.</translation>
    </message>
    <message>
        <source>%1 has kicked %2: %3</source>
        <translation>%1 a expulsé %2 : %3</translation>
    </message>
    <message>
        <source> ** %1 is now known as %2.</source>
        <translation> ** %1 s&apos;appelle maintenant %2.</translation>
    </message>
    <message>
        <source>No room was made on %1.</source>
        <translation>Aucun salon n&apos;a été créé sur %1.</translation>
    </message>
    <message>
        <source>The server made the room but named it with a code this client cannot use; you are in it, but it is not kept in Recent.</source>
        <translation>Le serveur a créé le salon, mais avec un code que ce programme ne peut pas utiliser ; tu y es, mais il n&apos;est pas gardé dans « Récents ».</translation>
    </message>
    <message>
        <source>Your room &quot;%1&quot; is made; its code is %2. Invite friends with a link:</source>
        <translation>Ton salon « %1 » est créé ; son code est %2. Invite tes amis avec un lien :</translation>
    </message>
    <message>
        <source>  In a browser: %1</source>
        <translation>  Dans un navigateur : %1</translation>
    </message>
    <message>
        <source>  In Scrawlbox: %1</source>
        <translation>  Dans Scrawlbox : %1</translation>
    </message>
    <message>
        <source>Choose another nickname to join %1</source>
        <translation>Choisis un autre pseudo pour rejoindre %1</translation>
    </message>
    <message>
        <source>You have been kicked from the room by a vote of the players.</source>
        <translation>Tu as été expulsé du salon par un vote des joueurs.</translation>
    </message>
    <message>
        <source>You have been kicked from the server by the operator for the following reason: %1</source>
        <translation>L&apos;opérateur t&apos;a expulsé du serveur pour la raison suivante : %1</translation>
    </message>
    <message>
        <source>ADMINISTRATOR</source>
        <translation>ADMINISTRATEUR</translation>
    </message>
    <message>
        <source>Server has quit: %1.</source>
        <translation>Le serveur s&apos;est arrêté : %1.</translation>
    </message>
    <message>
        <source>Somebody is setting up the game...</source>
        <translation>Quelqu&apos;un prépare la partie…</translation>
    </message>
    <message>
        <source>Somebody is setting up a game</source>
        <translation>Quelqu&apos;un prépare une partie</translation>
    </message>
    <message>
        <source>%1 is setting up the game...</source>
        <translation>%1 prépare la partie…</translation>
    </message>
    <message>
        <source>%1 is setting up a game</source>
        <translation>%1 prépare une partie</translation>
    </message>
    <message>
        <source> -- The game is now starting! --</source>
        <translation> -- La partie commence ! --</translation>
    </message>
    <message>
        <source>Wordlists: %1.</source>
        <translation>Listes de mots : %1.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>The game is starting</source>
        <translation>La partie commence</translation>
    </message>
    <message>
        <source>A new round is starting!</source>
        <translation>Une nouvelle manche commence !</translation>
    </message>
    <message>
        <source>A new artist has been selected to draw: %1</source>
        <translation>Un nouvel artiste a été choisi pour dessiner : %1</translation>
    </message>
    <message>
        <source>%1 is close to the word!</source>
        <translation>%1 est tout près du mot !</translation>
    </message>
    <message>
        <source>%1 has found the word!</source>
        <translation>%1 a trouvé le mot !</translation>
    </message>
    <message>
        <source>%1 has skipped the word: %2</source>
        <translation>%1 a passé le mot : %2</translation>
    </message>
    <message>
        <source>The round is over! The word was: %1</source>
        <translation>La manche est terminée ! Le mot était : %1</translation>
    </message>
    <message>
        <source>The game is over. Nobody scored, so there is no winner.</source>
        <translation>La partie est terminée. Personne n&apos;a marqué, il n&apos;y a donc pas de gagnant.</translation>
    </message>
    <message>
        <source>The game is over and the winner is %1 - well done!</source>
        <translation>La partie est terminée et %1 gagne – bravo !</translation>
    </message>
    <message>
        <source>The game is over: %1 share first place - well done!</source>
        <translation>La partie est terminée : %1 se partagent la première place – bravo !</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>Final standings:</source>
        <translation>Classement final :</translation>
    </message>
    <message numerus="yes">
        <source>%1. %2 - %n point(s)</source>
        <translation>
            <numerusform>%1. %2 – %n point</numerusform>
            <numerusform>%1. %2 – %n points</numerusform>
        </translation>
    </message>
    <message>
        <source>The game is over: nobody scored</source>
        <translation>La partie est terminée : personne n&apos;a marqué</translation>
    </message>
    <message>
        <source>%1 wins!</source>
        <translation>%1 gagne !</translation>
    </message>
    <message>
        <source>%1 share first place</source>
        <translation>%1 se partagent la première place</translation>
    </message>
    <message>
        <source>Press Setup Game to start one.</source>
        <translation>Clique sur « Préparer la partie » pour en lancer une.</translation>
    </message>
    <message>
        <source>%1 may start one with Setup Game.</source>
        <translation>%1 peut en lancer une avec « Préparer la partie ».</translation>
    </message>
    <message>
        <source>A player may start one.</source>
        <translation>Un joueur peut en lancer une.</translation>
    </message>
    <message>
        <source>Nobody drew or found a word in that game, so no new game starts by itself. %1</source>
        <translation>Personne n&apos;a dessiné ni trouvé de mot dans cette partie, aucune nouvelle partie ne commence donc d&apos;elle-même. %1</translation>
    </message>
    <message>
        <source>You are watching: you neither draw nor guess until you play again.</source>
        <translation>Tu regardes : tu ne dessines ni ne devines jusqu&apos;à ce que tu rejoues.</translation>
    </message>
    <message>
        <source>You are playing again.</source>
        <translation>Tu rejoues.</translation>
    </message>
    <message>
        <source>a player who left</source>
        <translation>un joueur parti</translation>
    </message>
    <message>
        <source>Another game will be starting soon; please wait.</source>
        <translation>Une nouvelle partie va bientôt commencer ; patiente.</translation>
    </message>
    <message>
        <source> - made by the Scrawlbox developers</source>
        <translation> – par les développeurs de Scrawlbox</translation>
    </message>
    <message>
        <source>    Type /help, /h or /? for a list of commands.</source>
        <translation>    Tape /help, /h ou /? pour la liste des commandes.</translation>
    </message>
    <message>
        <source>Tip: you can use the right mouse button with any tool to quick-erase.</source>
        <translation>Astuce : avec n&apos;importe quel outil, le bouton droit de la souris efface rapidement.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1…</translation>
    </message>
    <message>
        <source>Cannot connect to &quot;%1&quot;: %2.</source>
        <translation>Connexion à « %1 » impossible : %2.</translation>
    </message>
    <message>
        <source>Connecting to server %1 ...</source>
        <translation>Connexion au serveur %1…</translation>
    </message>
    <message>
        <source>Choose a nickname to make a room on %1</source>
        <translation>Choisis un pseudo pour créer un salon sur %1</translation>
    </message>
    <message>
        <source>Choose a nickname to join %1</source>
        <translation>Choisis un pseudo pour rejoindre %1</translation>
    </message>
    <message>
        <source>Cannot make a room on &quot;%1&quot;: %2.</source>
        <translation>Impossible de créer un salon sur « %1 » : %2.</translation>
    </message>
    <message>
        <source>A new room needs a name of at most %1 characters.</source>
        <translation>Un nouveau salon doit avoir un nom d&apos;au plus %1 caractères.</translation>
    </message>
    <message>
        <source>Making the room &quot;%1&quot; on server %2 ...</source>
        <translation>Création du salon « %1 » sur le serveur %2…</translation>
    </message>
    <message>
        <source>Connecting to server %1 on port %2 ..</source>
        <translation>Connexion au serveur %1 sur le port %2…</translation>
    </message>
    <message>
        <source>Connected to server. Logging in...</source>
        <translation>Connecté au serveur. Connexion en cours…</translation>
    </message>
    <message>
        <source>Logging in...</source>
        <translation>Connexion en cours…</translation>
    </message>
    <message>
        <source>Disconnected from server.</source>
        <translation>Déconnecté du serveur.</translation>
    </message>
    <message>
        <source>There doesn&apos;t appear to be a Scrawlbox server running on the remote machine. If it is a valid Scrawlbox server, then please try again later.</source>
        <translation>Aucun serveur Scrawlbox ne semble tourner sur cette machine. Si c&apos;est bien un serveur Scrawlbox, réessaie plus tard.</translation>
    </message>
    <message>
        <source>The specified server cannot be found. The server machine may be offline or the address is incorrect.</source>
        <translation>Le serveur indiqué est introuvable. La machine est peut-être hors ligne ou l&apos;adresse est incorrecte.</translation>
    </message>
    <message>
        <source>Socket Error [%1] - %2.</source>
        <translation>Erreur de connexion [%1] – %2.</translation>
    </message>
    <message>
        <source>Press Setup Game to start a game</source>
        <translation>Clique sur « Préparer la partie » pour lancer une partie</translation>
    </message>
    <message>
        <source>Waiting for %1 to start a game</source>
        <translation>En attente que %1 lance une partie</translation>
    </message>
    <message>
        <source>Waiting for a game to start</source>
        <translation>En attente d&apos;une partie</translation>
    </message>
    <message>
        <source>Waiting for the next round</source>
        <translation>En attente de la prochaine manche</translation>
    </message>
    <message>
        <source>Your turn to draw</source>
        <translation>À toi de dessiner</translation>
    </message>
    <message>
        <source>Your turn: draw %1</source>
        <translation>À toi : dessine %1</translation>
    </message>
    <message>
        <source>%1 is drawing</source>
        <translation>%1 dessine</translation>
    </message>
    <message>
        <source>Everyone found the word</source>
        <translation>Tout le monde a trouvé le mot</translation>
    </message>
    <message>
        <source>The word was: %1</source>
        <translation>Le mot était : %1</translation>
    </message>
    <message>
        <source>Cannot send, not connected to a server.</source>
        <translation>Envoi impossible : tu n&apos;es connecté à aucun serveur.</translation>
    </message>
    <message>
        <source>You cannot send the same text more than 3 times in a row.</source>
        <translation>Tu ne peux pas envoyer le même texte plus de 3 fois de suite.</translation>
    </message>
    <message>
        <source>Please wait - getting user information...</source>
        <translation>Patiente – récupération des informations du joueur…</translation>
    </message>
    <message>
        <source>This room does not take votes to kick.</source>
        <translation>Ce salon n&apos;accepte pas les votes d&apos;expulsion.</translation>
    </message>
    <message>
        <source>This room does not take watchers.</source>
        <translation>Ce salon n&apos;accepte pas de spectateurs.</translation>
    </message>
    <message>
        <source>You are not in a room.</source>
        <translation>Tu n&apos;es dans aucun salon.</translation>
    </message>
    <message>
        <source>This room does not count warnings of the artist.</source>
        <translation>Ce salon ne compte pas les avertissements à l&apos;artiste.</translation>
    </message>
    <message>
        <source>Your warning of the artist was sent.</source>
        <translation>Ton avertissement à l&apos;artiste a été envoyé.</translation>
    </message>
    <message>
        <source>Choose a word to draw (%1 s)</source>
        <translation>Choisis un mot à dessiner (%1 s)</translation>
    </message>
    <message>
        <source>%1 is choosing a word (%2 s)</source>
        <translation>%1 choisit un mot (%2 s)</translation>
    </message>
    <message>
        <source>There was an error checking for an update - %1: %2.</source>
        <translation>Erreur lors de la recherche de mises à jour – %1 : %2.</translation>
    </message>
    <message>
        <source>New version available..</source>
        <translation>Nouvelle version disponible</translation>
    </message>
    <message>
        <source>There is an updated Scrawlbox client available for download!
Would you like to be taken to the download page?</source>
        <translation>Une nouvelle version de Scrawlbox est disponible !
Veux-tu ouvrir la page de téléchargement ?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>You are already running the latest version of the client.</source>
        <translation>Tu utilises déjà la dernière version.</translation>
    </message>
    <message>
        <source>/connect &lt;server&gt;[:&lt;port&gt;] - Connect to &lt;server&gt;, on port 2020 unless given.</source>
        <translation>/connect &lt;serveur&gt;[:&lt;port&gt;] – Se connecter à &lt;serveur&gt;, sur le port 2020 par défaut.</translation>
    </message>
    <message>
        <source>Syntax is /Connect &lt;server&gt;[:&lt;port&gt;].</source>
        <translation>Syntaxe : /Connect &lt;serveur&gt;[:&lt;port&gt;].</translation>
    </message>
    <message>
        <source>/create &lt;name&gt;          - Make a private room named &lt;name&gt; on this server, in this room&apos;s language.</source>
        <translation>/create &lt;nom&gt;          – Créer un salon privé nommé &lt;nom&gt; sur ce serveur, dans la langue de ce salon.</translation>
    </message>
    <message>
        <source>Syntax is /CREATE &lt;name&gt;: makes a private room named &lt;name&gt; on the server you are on, or were on last, in that room&apos;s language, and takes you there. File &gt; Create Room... offers more.</source>
        <translation>Syntaxe : /CREATE &lt;nom&gt; crée un salon privé nommé &lt;nom&gt; sur le serveur où tu es, ou sur le dernier visité, dans la langue de ce salon, et t&apos;y emmène. Fichier &gt; Créer un salon… offre plus de choix.</translation>
    </message>
    <message>
        <source>Connect to a server first: /create makes the room there.</source>
        <translation>Connecte-toi d&apos;abord à un serveur : /create y crée le salon.</translation>
    </message>
    <message>
        <source>/disconnect [reason] - Disconnect from server.</source>
        <translation>/disconnect [raison] – Se déconnecter du serveur.</translation>
    </message>
    <message>
        <source>You are already disconnected.</source>
        <translation>Tu es déjà déconnecté.</translation>
    </message>
    <message>
        <source>/nick &lt;nickname&gt;     - Change your nickname to &lt;nickname&gt;.</source>
        <translation>/nick &lt;pseudo&gt;     – Changer ton pseudo en &lt;pseudo&gt;.</translation>
    </message>
    <message>
        <source>Syntax is /NICK your_new_nickname. No spaces.</source>
        <translation>Syntaxe : /NICK votre_nouveau_pseudo. Sans espaces.</translation>
    </message>
    <message>
        <source>Sorry, but you cannot use this nickname. Please choose another.</source>
        <translation>Désolé, tu ne peux pas utiliser ce pseudo. Choisis-en un autre.</translation>
    </message>
    <message>
        <source>Your nickname has now been changed to %1.</source>
        <translation>Ton pseudo est maintenant %1.</translation>
    </message>
    <message>
        <source>/part [reason]           - Leave room, optionally with [reason].</source>
        <translation>/part [raison]           – Quitter le salon, avec une [raison] facultative.</translation>
    </message>
    <message>
        <source>/me &lt;action&gt;           - &apos;perform&apos; an action.</source>
        <translation>/me &lt;action&gt;           – « Faire » une action.</translation>
    </message>
    <message>
        <source>Syntax is /ME &lt;action&gt;.</source>
        <translation>Syntaxe : /ME &lt;action&gt;.</translation>
    </message>
    <message>
        <source>/clear                        - Clear chat buffer.</source>
        <translation>/clear                        – Effacer la discussion.</translation>
    </message>
    <message>
        <source>/quit                          - Quit Scrawlbox.</source>
        <translation>/quit                          – Quitter Scrawlbox.</translation>
    </message>
    <message>
        <source>Quitting (via CLI).</source>
        <translation>Quitte le salon (par commande).</translation>
    </message>
    <message>
        <source>/debug                      - Print debugging info.</source>
        <translation>/debug                      – Afficher les informations de débogage.</translation>
    </message>
    <message>
        <source>/votekick &lt;nickname&gt; - Vote to kick &lt;nickname&gt; out of the room.</source>
        <translation>/votekick &lt;pseudo&gt; – Voter pour expulser &lt;pseudo&gt; du salon.</translation>
    </message>
    <message>
        <source>Syntax is /VOTEKICK &lt;nickname&gt;.</source>
        <translation>Syntaxe : /VOTEKICK &lt;pseudo&gt;.</translation>
    </message>
    <message>
        <source>Nobody in this room is called %1.</source>
        <translation>Personne ne s&apos;appelle %1 dans ce salon.</translation>
    </message>
    <message>
        <source>/warn                          - Warn the artist: most guessers warning skips the round.</source>
        <translation>/warn                          – Avertir l&apos;artiste : si la plupart des joueurs l&apos;avertissent, la manche est passée.</translation>
    </message>
    <message>
        <source>There is no artist you can warn now.</source>
        <translation>Il n&apos;y a pas d&apos;artiste à avertir en ce moment.</translation>
    </message>
    <message>
        <source>/watch                        - Watch the game instead of playing.</source>
        <translation>/watch                        – Regarder la partie au lieu de jouer.</translation>
    </message>
    <message>
        <source>/play                          - Play again after watching.</source>
        <translation>/play                          – Rejouer après avoir regardé.</translation>
    </message>
    <message>
        <source>Currently implemented commands:</source>
        <translation>Commandes disponibles :</translation>
    </message>
    <message>
        <source>Unknown command - type /help for command list.</source>
        <translation>Commande inconnue – tape /help pour la liste des commandes.</translation>
    </message>
    <message>
        <source>ADMIN</source>
        <translation>ADMIN</translation>
    </message>
    <message>
        <source>%1 is choosing a word to draw.</source>
        <translation>%1 choisit un mot à dessiner.</translation>
    </message>
</context>
<context>
    <name>directory</name>
    <message>
        <source>a room&apos;s code after the &quot;/&quot; holds only letters and digits</source>
        <translation>le code d&apos;un salon après le « / » ne contient que des lettres et des chiffres</translation>
    </message>
    <message>
        <source>no address was given</source>
        <translation>aucune adresse n&apos;a été donnée</translation>
    </message>
    <message>
        <source>the &quot;]&quot; after the address is missing</source>
        <translation>le « ] » après l&apos;adresse manque</translation>
    </message>
    <message>
        <source>only &quot;:&quot; and a port may follow the &quot;]&quot;</source>
        <translation>seuls « : » et un port peuvent suivre le « ] »</translation>
    </message>
    <message>
        <source>the host is missing before the port</source>
        <translation>l&apos;hôte manque avant le port</translation>
    </message>
    <message>
        <source>the host may not hold blanks, &quot;/&quot; or brackets</source>
        <translation>l&apos;hôte ne peut contenir ni espaces, ni « / », ni crochets</translation>
    </message>
    <message>
        <source>the port is missing after the &quot;:&quot;</source>
        <translation>le port manque après le « : »</translation>
    </message>
</context>
<context>
    <name>page::PageCore</name>
    <message>
        <source>Not connected: practise here, or join with a nickname.</source>
        <translation>Non connecté : entraîne-toi ici, ou rejoins le salon avec un pseudo.</translation>
    </message>
</context>
<context>
    <name>protocol</name>
    <message>
        <source>The player you voted to kick is not in the room.</source>
        <translation>Le joueur que tu veux expulser n&apos;est pas dans le salon.</translation>
    </message>
    <message>
        <source>You cannot vote to kick yourself.</source>
        <translation>Tu ne peux pas voter pour t&apos;expulser toi-même.</translation>
    </message>
    <message>
        <source>A vote to kick needs at least %1 players in the room.</source>
        <translation>Un vote d&apos;expulsion demande au moins %1 joueurs dans le salon.</translation>
    </message>
    <message>
        <source>Only players who were in the room when this round began may vote to kick.</source>
        <translation>Seuls les joueurs présents au début de cette manche peuvent voter une expulsion.</translation>
    </message>
    <message>
        <source>Only players who were in the room when the vote to kick %1 began may vote in it.</source>
        <translation>Seuls les joueurs présents au début du vote contre %1 peuvent y participer.</translation>
    </message>
    <message>
        <source>A vote from your address to kick %1 has already been counted.</source>
        <translation>Un vote de ton adresse contre %1 a déjà été compté.</translation>
    </message>
    <message>
        <source>%1 votes to kick %2 (%3 of %4 needed).</source>
        <translation>%1 vote pour expulser %2 (%3 sur %4 nécessaires).</translation>
    </message>
    <message>
        <source>%1 warned the artist (%2 of %3 needed).</source>
        <translation>%1 a averti l&apos;artiste (%2 sur %3 nécessaires).</translation>
    </message>
    <message>
        <source>Most players warned the artist; the round is skipped.</source>
        <translation>La plupart des joueurs ont averti l&apos;artiste ; la manche est passée.</translation>
    </message>
    <message>
        <source>Your line was not sent: while you watch, it may not name the word.</source>
        <translation>Ton message n&apos;a pas été envoyé : en spectateur, tu ne peux pas donner le mot.</translation>
    </message>
    <message>
        <source>Too few players are left, so the game stops.</source>
        <translation>Il reste trop peu de joueurs, la partie s&apos;arrête.</translation>
    </message>
    <message>
        <source>Artist has left the room; a new one will be selected.</source>
        <translation>L&apos;artiste a quitté le salon ; un nouveau va être choisi.</translation>
    </message>
    <message>
        <source>a player who left</source>
        <translation>un joueur parti</translation>
    </message>
    <message>
        <source>You will watch from the next round.</source>
        <translation>Tu regarderas à partir de la prochaine manche.</translation>
    </message>
    <message>
        <source>You will play from the next round.</source>
        <translation>Tu joueras à partir de la prochaine manche.</translation>
    </message>
    <message>
        <source>No words could be read from the chosen word lists.</source>
        <translation>Aucun mot n&apos;a pu être lu dans les listes choisies.</translation>
    </message>
    <message>
        <source>The artist has given a hint! The word has %1 letters.</source>
        <translation>L&apos;artiste a donné un indice ! Le mot a %1 lettres.</translation>
    </message>
    <message>
        <source>Drawing flood</source>
        <translation>Trop de dessin envoyé</translation>
    </message>
    <message>
        <source>Flooding</source>
        <translation>Trop de messages</translation>
    </message>
    <message>
        <source>You are sending messages too quickly; please slow down.</source>
        <translation>Tu envoies des messages trop vite ; ralentis.</translation>
    </message>
    <message>
        <source>Send queue exceeded</source>
        <translation>File d&apos;envoi saturée</translation>
    </message>
    <message>
        <source>The picture is too large to send; it will appear with the next round.</source>
        <translation>L&apos;image est trop grande pour être envoyée ; elle apparaîtra à la prochaine manche.</translation>
    </message>
    <message>
        <source>Too many connections from your address.</source>
        <translation>Trop de connexions depuis ton adresse.</translation>
    </message>
    <message>
        <source>The room is full.</source>
        <translation>Le salon est plein.</translation>
    </message>
    <message>
        <source>Made way for a newcomer</source>
        <translation>Place laissée à un nouveau venu</translation>
    </message>
    <message>
        <source>Handshake timed out</source>
        <translation>Délai de connexion dépassé</translation>
    </message>
    <message>
        <source>Login timed out</source>
        <translation>Délai d&apos;identification dépassé</translation>
    </message>
    <message>
        <source>Deny mode</source>
        <translation>Salon fermé</translation>
    </message>
    <message>
        <source>Banned address</source>
        <translation>Adresse bannie</translation>
    </message>
    <message>
        <source>Voted out</source>
        <translation>Exclu par vote</translation>
    </message>
    <message>
        <source>Wrong passwords: refused for a minute</source>
        <translation>Mots de passe erronés : refusé pendant une minute</translation>
    </message>
    <message>
        <source>Wrong password</source>
        <translation>Mot de passe erroné</translation>
    </message>
    <message>
        <source>This room needs a password.</source>
        <translation>Ce salon demande un mot de passe.</translation>
    </message>
    <message>
        <source>Please choose a nickname (Edit, User Profile) before you join a room.</source>
        <translation>Choisis un pseudo (Édition, Profil) avant de rejoindre un salon.</translation>
    </message>
    <message>
        <source>The nickname &quot;%1&quot; is reserved; please choose another.</source>
        <translation>Le pseudo « %1 » est réservé ; choisis-en un autre.</translation>
    </message>
    <message>
        <source>The nickname &quot;%1&quot; is already used in this room; please choose another.</source>
        <translation>Le pseudo « %1 » est déjà utilisé dans ce salon ; choisis-en un autre.</translation>
    </message>
    <message>
        <source>Nickname refused: %1</source>
        <translation>Pseudo refusé : %1</translation>
    </message>
    <message>
        <source>The server has been shutdown.</source>
        <translation>Le serveur a été arrêté.</translation>
    </message>
    <message>
        <source>Message too long</source>
        <translation>Message trop long</translation>
    </message>
    <message>
        <source>Ping timeout</source>
        <translation>Plus de réponse</translation>
    </message>
    <message>
        <source>This server holds one room and makes no others.</source>
        <translation>Ce serveur n&apos;a qu&apos;un salon et n&apos;en crée pas d&apos;autres.</translation>
    </message>
    <message>
        <source>The host is shutting down.</source>
        <translation>Le serveur s&apos;arrête.</translation>
    </message>
    <message>
        <source>This host has all the rooms it can hold; try again later.</source>
        <translation>Ce serveur a déjà autant de salons qu&apos;il peut en tenir ; réessaie plus tard.</translation>
    </message>
    <message>
        <source>You have made %1 rooms within the hour, as many as one address may; try again later.</source>
        <translation>Tu as créé %1 salons en une heure, le maximum pour une adresse ; réessaie plus tard.</translation>
    </message>
    <message>
        <source>No free code was found for the room; try again.</source>
        <translation>Aucun code libre n&apos;a été trouvé pour le salon ; réessaie.</translation>
    </message>
    <message>
        <source>The host is full.</source>
        <translation>Le serveur est plein.</translation>
    </message>
    <message>
        <source>There is no room with that code here; it may have closed.</source>
        <translation>Il n&apos;y a pas de salon avec ce code ici ; il a peut-être fermé.</translation>
    </message>
    <message>
        <source>No room was made: %1</source>
        <translation>Aucun salon n&apos;a été créé : %1</translation>
    </message>
    <message>
        <source>Has started the game..</source>
        <translation>A lancé la partie.</translation>
    </message>
    <message>
        <source>Has given a hint.</source>
        <translation>A donné un indice.</translation>
    </message>
    <message>
        <source>Has skipped the current word.</source>
        <translation>A passé le mot.</translation>
    </message>
    <message>
        <source>Connected; waiting for login info...</source>
        <translation>Connecté ; en attente des informations de connexion…</translation>
    </message>
    <message>
        <source>Awaiting password...</source>
        <translation>En attente du mot de passe…</translation>
    </message>
    <message>
        <source>Awaiting UserList request...</source>
        <translation>En attente de la demande de liste des joueurs…</translation>
    </message>
    <message>
        <source>The login sequence was successful.</source>
        <translation>Connexion réussie.</translation>
    </message>
    <message>
        <source>Has changed their profile information.</source>
        <translation>A modifié son profil.</translation>
    </message>
    <message>
        <source>Has changed nickname.</source>
        <translation>A changé de pseudo.</translation>
    </message>
    <message>
        <source>Requested UserInfo for: %1</source>
        <translation>A demandé les informations de : %1</translation>
    </message>
    <message>
        <source>Has kicked: %1</source>
        <translation>A expulsé : %1</translation>
    </message>
    <message>
        <source>The banned list is full.</source>
        <translation>La liste des bannis est pleine.</translation>
    </message>
    <message>
        <source>This IP address is already in the banned list.</source>
        <translation>Cette adresse IP est déjà dans la liste des bannis.</translation>
    </message>
    <message>
        <source>Please set the Deny message...</source>
        <translation>Définis d&apos;abord le message de refus…</translation>
    </message>
    <message>
        <source>Server has been placed in Deny mode. Clients will be given the message and then disconnected.</source>
        <translation>Le serveur refuse désormais tout le monde : les joueurs reçoivent le message puis sont déconnectés.</translation>
    </message>
    <message>
        <source>Deny mode cancelled, server is back in online mode.</source>
        <translation>Refus levé, le serveur est de nouveau ouvert.</translation>
    </message>
    <message>
        <source>Connected, sending details..</source>
        <translation>Connecté, envoi des informations…</translation>
    </message>
    <message>
        <source>Tracker Socket Error: [%1] - %2</source>
        <translation>Erreur de l&apos;annuaire des salons : [%1] – %2</translation>
    </message>
    <message>
        <source>Your server was submitted successfully to the public database.</source>
        <translation>Ton serveur a été inscrit dans l&apos;annuaire public.</translation>
    </message>
    <message>
        <source>Your server details have been updated in the public database.</source>
        <translation>Les informations de ton serveur ont été mises à jour dans l&apos;annuaire public.</translation>
    </message>
    <message>
        <source>Your server details have been removed from the server.</source>
        <translation>Ton serveur a été retiré de l&apos;annuaire.</translation>
    </message>
    <message>
        <source>Your server was not found in the listings database.</source>
        <translation>Ton serveur ne figure pas dans l&apos;annuaire.</translation>
    </message>
    <message>
        <source>It seems your client is out of date. Please download the new version.</source>
        <translation>Ta version semble dépassée. Télécharge la nouvelle version.</translation>
    </message>
    <message>
        <source>Message from server..</source>
        <translation>Message de l&apos;annuaire</translation>
    </message>
    <message>
        <source>Banned</source>
        <translation>Banni</translation>
    </message>
    <message>
        <source>General failure: %1</source>
        <translation>Échec général : %1</translation>
    </message>
    <message>
        <source>Server returned error: %1</source>
        <translation>L&apos;annuaire a renvoyé une erreur : %1</translation>
    </message>
    <message>
        <source>Unknown status returned: %1</source>
        <translation>Réponse inconnue : %1</translation>
    </message>
    <message>
        <source>You need to perform a Remove Server before shutting down the server.</source>
        <translation>Retire d&apos;abord le serveur de l&apos;annuaire avant de l&apos;arrêter.</translation>
    </message>
    <message>
        <source>Error checking for update! Please check the logs!</source>
        <translation>Erreur lors de la recherche de mises à jour ! Consulte le journal.</translation>
    </message>
    <message>
        <source>New version available..</source>
        <translation>Nouvelle version disponible</translation>
    </message>
    <message>
        <source>There is an updated Scrawlbox server available for download!
Would you like to be taken to the download page?</source>
        <translation>Une nouvelle version du serveur Scrawlbox est disponible !
Veux-tu ouvrir la page de téléchargement ?</translation>
    </message>
    <message>
        <source>Check done. You are already running the latest version of the server.</source>
        <translation>Vérification faite. Tu utilises déjà la dernière version du serveur.</translation>
    </message>
    <message>
        <source>Master Socket - %1</source>
        <translation>Socket principal – %1</translation>
    </message>
    <message>
        <source>Listening for connections..</source>
        <translation>En attente de connexions…</translation>
    </message>
    <message>
        <source>Master socket ready and waiting for incoming connections on port %1 ..</source>
        <translation>Prêt : le serveur attend des connexions sur le port %1…</translation>
    </message>
    <message>
        <source>Server details and settings reloaded.</source>
        <translation>Informations et réglages du serveur rechargés.</translation>
    </message>
    <message>
        <source>Unknown User</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion…</translation>
    </message>
</context>
<context>
    <name>server</name>
    <message>
        <source>by the server operator</source>
        <translation>par l&apos;opérateur du serveur</translation>
    </message>
    <message>
        <source>This room does not take votes to kick.</source>
        <translation>Ce salon n&apos;accepte pas les votes d&apos;expulsion.</translation>
    </message>
</context>
<context>
    <name>server::OperatorActions</name>
    <message>
        <source>by a vote of the players</source>
        <translation>par un vote des joueurs</translation>
    </message>
    <message>
        <source>Banned %2.</source>
        <translation>Banni %2.</translation>
    </message>
    <message>
        <source>Banned %2: %3</source>
        <translation>Banni %2 : %3</translation>
    </message>
    <message>
        <source>Kicked %2.</source>
        <translation>Expulsé %2.</translation>
    </message>
    <message>
        <source>Kicked %2: %3</source>
        <translation>Expulsé %2 : %3</translation>
    </message>
    <message>
        <source>%1 has been banned %2.</source>
        <translation>%1 a été banni %2.</translation>
    </message>
    <message>
        <source>%1 has been banned %2: %3</source>
        <translation>%1 a été banni %2 : %3</translation>
    </message>
    <message>
        <source>%1 has been kicked %2.</source>
        <translation>%1 a été expulsé %2.</translation>
    </message>
    <message>
        <source>%1 has been kicked %2: %3</source>
        <translation>%1 a été expulsé %2 : %3</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Not connected: practise here, or join a room with File &gt; Connect..</source>
        <translation>Non connecté : entraîne-toi ici, ou rejoins un salon avec Fichier &gt; Se connecter…</translation>
    </message>
    <message>
        <source>You have been banned from this room by the operator</source>
        <translation>L&apos;opérateur t&apos;a banni de ce salon</translation>
    </message>
    <message>
        <source>Kicked by a vote of the players.</source>
        <translation>Expulsé par un vote des joueurs.</translation>
    </message>
    <message>
        <source>Nobody found %1; %2 drew (%3).</source>
        <translation>Personne n&apos;a trouvé %1 ; %2 a dessiné (%3).</translation>
    </message>
    <message>
        <source>Nobody found %1.</source>
        <translation>Personne n&apos;a trouvé %1.</translation>
    </message>
    <message>
        <source>The word was %1. Found by %2; %3 drew (%4).</source>
        <translation>Le mot était %1. Trouvé par %2 ; %3 a dessiné (%4).</translation>
    </message>
    <message>
        <source>The word was %1. Found by %2.</source>
        <translation>Le mot était %1. Trouvé par %2.</translation>
    </message>
    <message>
        <source>Skip Word!</source>
        <translation>Passer le mot !</translation>
    </message>
    <message>
        <source>Setup Game</source>
        <translation>Préparer la partie</translation>
    </message>
    <message>
        <source>Give Hint</source>
        <translation>Donner un indice</translation>
    </message>
    <message>
        <source>Warn Artist</source>
        <translation>Avertir l&apos;artiste</translation>
    </message>
    <message>
        <source>Quitting</source>
        <translation>Quitte le salon</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Parti</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
</context>
</TS>
