<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>BoardCell</name>
    <message>
        <source>miss</source>
        <translation>manqué</translation>
    </message>
    <message>
        <source>sunk</source>
        <translation>coulé</translation>
    </message>
    <message>
        <source>own ship</source>
        <translation>navire allié</translation>
    </message>
    <message>
        <source>hit</source>
        <translation>touché</translation>
    </message>
    <message>
        <source>water</source>
        <translation>eau</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musique</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sons</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>S</source>
        <comment>shortcut of Start</comment>
        <extracomment>The Alt+letter shortcut of the Start button, a letter of its caption.</extracomment>
        <translation>D</translation>
    </message>
    <message>
        <source>P</source>
        <comment>shortcut of Pause</comment>
        <extracomment>The Alt+letter shortcut of the Pause button, a letter of its caption.</extracomment>
        <translation>P</translation>
    </message>
    <message>
        <source>A</source>
        <comment>shortcut of Abort</comment>
        <extracomment>The Alt+letter shortcut of the Abort button, a letter of its caption.</extracomment>
        <translation>A</translation>
    </message>
    <message>
        <source>L</source>
        <comment>shortcut of Player</comment>
        <extracomment>The Alt+letter shortcut of the Player button, a letter of its caption.</extracomment>
        <translation>J</translation>
    </message>
    <message>
        <source>C</source>
        <comment>shortcut of Scores</comment>
        <extracomment>The Alt+letter shortcut of the Scores button, a letter of its caption.</extracomment>
        <translation>S</translation>
    </message>
    <message>
        <source>B</source>
        <comment>shortcut of About</comment>
        <extracomment>The Alt+letter shortcut of the About button, which has a picture and no caption.</extracomment>
        <translation>B</translation>
    </message>
    <message>
        <source>Your turn lamp, on</source>
        <translation>Voyant de votre tour, allumé</translation>
    </message>
    <message>
        <source>Your turn lamp, off</source>
        <translation>Voyant de votre tour, éteint</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, on</source>
        <translation>Voyant du tour de l&apos;adversaire, allumé</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, off</source>
        <translation>Voyant du tour de l&apos;adversaire, éteint</translation>
    </message>
    <message>
        <source>your turn</source>
        <translation>à vous de jouer</translation>
    </message>
    <message>
        <source>opponent&apos;s turn</source>
        <translation>au tour de l&apos;adversaire</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>Score %1</translation>
    </message>
    <message>
        <source>Your time</source>
        <extracomment>The accessible name of the player&apos;s clock, the time follows.</extracomment>
        <translation>Votre temps</translation>
    </message>
    <message>
        <source>Opponent&apos;s time</source>
        <extracomment>The accessible name of the opponent&apos;s clock, the time follows.</extracomment>
        <translation>Temps de l&apos;adversaire</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Previous ship type</source>
        <translation>Type de navire précédent</translation>
    </message>
    <message>
        <source>Next ship type</source>
        <translation>Type de navire suivant</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Tourner dans le sens antihoraire</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Tourner dans le sens horaire</translation>
    </message>
    <message>
        <source>Smaller area</source>
        <translation>Grille plus petite</translation>
    </message>
    <message>
        <source>Larger area</source>
        <translation>Grille plus grande</translation>
    </message>
    <message>
        <source>Area editor and network options</source>
        <translation>Éditeur de grille et options réseau</translation>
    </message>
    <message>
        <source>Ship type</source>
        <translation>Type de navire</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Area size</source>
        <translation>Taille de la grille</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Générer</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Changer</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Partie en réseau</translation>
    </message>
    <message>
        <source>Open the port on the router</source>
        <translation>Ouvrir le port sur le routeur</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Save game log to TWLog.txt</source>
        <translation>Enregistrer le journal dans TWLog.txt</translation>
    </message>
    <message>
        <source>Host</source>
        <extracomment>The label of the peer&apos;s host name field.</extracomment>
        <translation>Hôte</translation>
    </message>
</context>
<context>
    <name>GameLogWindow</name>
    <message>
        <source>Game log</source>
        <translation>Journal de partie</translation>
    </message>
</context>
<context>
    <name>GeneratingPanel</name>
    <message>
        <source>Generating ships </source>
        <translation>Placement des navires </translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <comment>the language&apos;s own name</comment>
        <extracomment>The name of the language of this catalogue, in that language: &quot;Deutsch&quot;.</extracomment>
        <translation>Français</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Your board</source>
        <translation>Votre grille</translation>
    </message>
    <message>
        <source>Opponent&apos;s board</source>
        <translation>Grille de l&apos;adversaire</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>Tarnwake - player %1</source>
        <translation>Tarnwake - joueur %1</translation>
    </message>
    <message>
        <source>Sound system init error</source>
        <translation>Impossible d&apos;initialiser le système audio</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>--------------------&gt; New game</source>
        <translation>--------------------&gt; Nouvelle partie</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Joueur : %1</translation>
    </message>
    <message>
        <source>Opponent: %1</source>
        <translation>Adversaire : %1</translation>
    </message>
    <message>
        <source>Opponent: computer</source>
        <translation>Adversaire : ordinateur</translation>
    </message>
    <message>
        <source>start</source>
        <extracomment>The log&apos;s line of the moment a match starts.</extracomment>
        <translation>début</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>the winner is %1</source>
        <translation>le vainqueur est %1</translation>
    </message>
    <message>
        <source>computer wins</source>
        <translation>l&apos;ordinateur gagne</translation>
    </message>
    <message>
        <source>computer: </source>
        <extracomment>Before a shot of the computer in the log: &quot;computer: B4 wrong&quot;.</extracomment>
        <translation>ordinateur : </translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pause</translation>
    </message>
    <message>
        <source>continue</source>
        <extracomment>The log&apos;s line of the moment a pause ends.</extracomment>
        <translation>reprise</translation>
    </message>
    <message>
        <source>The game is aborted by user.</source>
        <translation>La partie a été abandonnée par l&apos;utilisateur.</translation>
    </message>
</context>
<context>
    <name>MatchAgreement</name>
    <message>
        <source>The user doesn&apos;t ready to game, or area sizes miscoincide.</source>
        <translation>Le joueur invité n&apos;est pas encore prêt, ou les tailles de grille ne correspondent pas.</translation>
    </message>
    <message>
        <source>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</source>
        <translation>Le joueur %1 vous invite à une nouvelle partie. Vous êtes prêt à jouer. Voulez-vous commencer la partie ?</translation>
    </message>
</context>
<context>
    <name>MatchController</name>
    <message>
        <source>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</source>
        <translation>La grille de bataille n&apos;est pas complète ! Utilisez l&apos;éditeur de grille, qui se trouve quelque part à l&apos;écran.</translation>
    </message>
    <message>
        <source>Enter the player name by pressing the &quot;Player&quot; button!</source>
        <translation>Saisissez votre nom avec le bouton « Joueur » !</translation>
    </message>
    <message>
        <source>Do you want to abort the game?</source>
        <translation>Voulez-vous abandonner la partie ?</translation>
    </message>
</context>
<context>
    <name>MatchLog</name>
    <message>
        <source>wrong</source>
        <extracomment>A shot&apos;s outcome in the log: a miss.</extracomment>
        <translation>manqué</translation>
    </message>
    <message>
        <source>bingo</source>
        <extracomment>A shot&apos;s outcome in the log: a hit.</extracomment>
        <translation>touché</translation>
    </message>
    <message>
        <source>ship destroyed</source>
        <translation>navire coulé</translation>
    </message>
    <message>
        <source>Game time: %1</source>
        <translation>Durée de la partie : %1</translation>
    </message>
    <message>
        <source>Ships placing of %1: </source>
        <extracomment>Above the rows of a board in the log, %1 the player&apos;s name.</extracomment>
        <translation>Placement des navires de %1 : </translation>
    </message>
    <message>
        <source>Ships placing of computer: </source>
        <translation>Placement des navires de l&apos;ordinateur : </translation>
    </message>
</context>
<context>
    <name>NetPlay</name>
    <message>
        <source>The player %1 is finished game. You must abort game too.</source>
        <translation>Le joueur %1 a quitté la partie. Vous devez abandonner la partie vous aussi.</translation>
    </message>
</context>
<context>
    <name>OwnAddress</name>
    <message>
        <source>Behind another NAT: %1</source>
        <translation>Derrière un autre NAT : %1</translation>
    </message>
    <message>
        <source>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</source>
        <translation>Votre routeur est lui-même derrière un autre routeur (celui de votre fournisseur) : personne sur Internet ne peut joindre cette adresse. Demandez plutôt la sienne à votre ami : il suffit qu&apos;un des deux côtés soit joignable.</translation>
    </message>
    <message>
        <source>The game&apos;s port is taken on your router; it gave this one instead.</source>
        <translation>Le port du jeu est déjà pris sur votre routeur ; il a donné celui-ci à la place.</translation>
    </message>
    <message>
        <source>Your address: %1</source>
        <translation>Votre adresse : %1</translation>
    </message>
    <message>
        <source>This computer&apos;s own internet (IPv6) address.</source>
        <translation>La propre adresse Internet (IPv6) de cet ordinateur.</translation>
    </message>
    <message>
        <source>Opening the port is off</source>
        <translation>L&apos;ouverture du port est désactivée</translation>
    </message>
    <message>
        <source>Your address: asking the router...</source>
        <translation>Votre adresse : interrogation du routeur...</translation>
    </message>
    <message>
        <source>Your port on the router: %1</source>
        <translation>Votre port sur le routeur : %1</translation>
    </message>
    <message>
        <source>The router did not tell its address.</source>
        <translation>Le routeur n&apos;a pas indiqué son adresse.</translation>
    </message>
    <message>
        <source>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</source>
        <translation>Votre ami peut tout de même jouer avec vous si son routeur ouvre son port : connectez-vous alors à lui.</translation>
    </message>
    <message>
        <source>No router answered: no port opened</source>
        <translation>Aucun routeur n&apos;a répondu : aucun port ouvert</translation>
    </message>
    <message>
        <source>The router&apos;s ports are all taken</source>
        <translation>Tous les ports du routeur sont pris</translation>
    </message>
    <message>
        <source>The router refused to open the port</source>
        <translation>Le routeur a refusé d&apos;ouvrir le port</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program</source>
        <translation>Le port %1 est pris par un autre programme</translation>
    </message>
    <message>
        <source>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</source>
        <translation>Un autre programme de cet ordinateur utilise déjà le port TCP %1 : personne ne peut donc se connecter au jeu, et le routeur n&apos;est pas prié de l&apos;ouvrir. Fermez ce programme : le jeu prend le port dès qu&apos;il est libre. Ou saisissez un autre port et connectez-vous.</translation>
    </message>
    <message>
        <source>The game cannot listen on port %1</source>
        <translation>Le jeu ne peut pas écouter sur le port %1</translation>
    </message>
    <message>
        <source>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</source>
        <translation>Le système garde pour lui les ports inférieurs à 1024. Saisissez un port de 1024 à 65535 et connectez-vous.</translation>
    </message>
</context>
<context>
    <name>PeerConnection</name>
    <message>
        <source>connection established: %1</source>
        <translation>connexion établie : %1</translation>
    </message>
    <message>
        <source>server init: Ok</source>
        <translation>démarrage du serveur : Ok</translation>
    </message>
    <message>
        <source>server error!</source>
        <translation>erreur du serveur !</translation>
    </message>
    <message>
        <source>connection error!</source>
        <translation>erreur de connexion !</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>pas de connexion</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, ours</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; this side&apos;s connection carries both ways.</extracomment>
        <translation>Votre adversaire : %1 (taille de grille : %2) - une connexion, la nôtre</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, theirs</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; the peer&apos;s connection carries both ways.</extracomment>
        <translation>Votre adversaire : %1 (taille de grille : %2) - une connexion, la sienne</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2)</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size.</extracomment>
        <translation>Votre adversaire : %1 (taille de grille : %2)</translation>
    </message>
    <message>
        <source>The port must be from 1 to 65535</source>
        <translation>Le port doit être compris entre 1 et 65535</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>Ce n’est pas une adresse : %1</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Do you want to remove selected users?</source>
        <translation>Supprimer les joueurs sélectionnés ?</translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation>Saisissez votre nom</translation>
    </message>
    <message>
        <source>Remove selected users</source>
        <translation>Supprimer les joueurs sélectionnés</translation>
    </message>
</context>
<context>
    <name>Remarks</name>
    <message>
        <source>It&apos;s not your day, %1.</source>
        <translation>Ce n&apos;est pas votre jour, %1.</translation>
    </message>
    <message>
        <source>%1, you should sleep for a some time.</source>
        <translation>%1, vous devriez aller dormir un peu. Perdre à la bataille navale contre un ordinateur !</translation>
    </message>
    <message>
        <source>What&apos;s the hell, %1? How you did this?</source>
        <translation>Qu&apos;est-ce qui se passe, %1 ? Comment est-ce possible ?</translation>
    </message>
    <message>
        <source>Aaaaargh, %1...</source>
        <translation>Aaaaargh, %1...</translation>
    </message>
    <message>
        <source>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</source>
        <translation>Avez-vous vu le film « Matrix », %1 ? Ça ne vous rappelle rien ?</translation>
    </message>
    <message>
        <source>The Terminator waiting for you, %1.</source>
        <translation>Le Terminator vous attend, %1.</translation>
    </message>
    <message>
        <source>You shouldn&apos;t try to save all people on Earth, %1.</source>
        <translation>Heureusement que le sort de l&apos;humanité ne dépendait pas de cette partie, %1.</translation>
    </message>
    <message>
        <source>The author (me) tells you, %1: I loose my game so much...</source>
        <translation>Je (l&apos;auteur) vous l&apos;avoue, %1 : j&apos;ai perdu contre mon programme un nombre incalculable de fois...</translation>
    </message>
    <message>
        <source>I created most complicated AI, %1!</source>
        <translation>Quel algorithme j&apos;ai créé là, %1 !</translation>
    </message>
    <message>
        <source>Sorry, %1, but...</source>
        <translation>Désolé, %1, mais... L&apos;intelligence artificielle est au sommet !</translation>
    </message>
    <message>
        <source>Yes, %1, you won.</source>
        <translation>Oui, %1, vous avez gagné. Et alors ?</translation>
    </message>
    <message>
        <source>Better you play with Vostrikel, %1.</source>
        <translation>%1, vous devriez jouer contre Vostrikel.</translation>
    </message>
    <message>
        <source>Don&apos;t celebrate much, %1. I&apos;ll survive.</source>
        <translation>Ne vous réjouissez pas trop vite, %1. Je prendrai ma revanche.</translation>
    </message>
    <message>
        <source>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</source>
        <translation>Bah, %1, la bataille navale... Essayez donc Quake, on en reparlera.</translation>
    </message>
    <message>
        <source>Change area size to a 15, %1, and let&apos;s play!</source>
        <translation>Jouons sur une grille plus grande, %1 !</translation>
    </message>
    <message>
        <source>Isn&apos;t my music bores you, %1?</source>
        <translation>Ma musique agaçante ne vous déconcentre donc pas, %1 ?</translation>
    </message>
    <message>
        <source>I can format your HDD, %1!!!</source>
        <translation>Je vais me plaindre à l&apos;auteur via votre ordinateur, %1, et ensuite formater le disque !</translation>
    </message>
    <message>
        <source>Don&apos;t hurt me, %1...</source>
        <translation>Ne me mettez pas en colère, %1...</translation>
    </message>
    <message>
        <source>It was a small bug, %1, let&apos;s play again!</source>
        <translation>Ma mémoire a juste calé, %1, rejouons, ce n&apos;est pas juste !</translation>
    </message>
    <message>
        <source>Your computer needs an upgrade, %1.</source>
        <translation>Votre ordinateur a besoin d&apos;une mise à niveau, %1. Le processeur manque de puissance.</translation>
    </message>
    <message>
        <source>The %1 wins this game. You should practice with me. :)</source>
        <translation>Hélas, %1 vous a eu. Vous auriez mieux fait de jouer avec moi. :)</translation>
    </message>
    <message>
        <source>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</source>
        <translation>Vous avez battu %1 ! Essayez donc contre moi, une intelligence artificielle – on verra bien...</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Most winner: </source>
        <translation>Le plus de victoires : </translation>
    </message>
    <message>
        <source>Most looser: </source>
        <translation>Le plus de défaites : </translation>
    </message>
    <message>
        <source>The longest battle: </source>
        <translation>La bataille la plus longue : </translation>
    </message>
    <message>
        <source>The shortest battle: </source>
        <translation>La bataille la plus courte : </translation>
    </message>
    <message>
        <source>Top score: </source>
        <translation>Meilleur score : </translation>
    </message>
    <message>
        <source> - last game: </source>
        <extracomment>Between a player&apos;s name and the date of the player&apos;s last game.</extracomment>
        <translation> - dernière partie : </translation>
    </message>
    <message>
        <source>, overall skill: </source>
        <extracomment>Between the date of a player&apos;s last game and the difference of wins and losses.</extracomment>
        <translation>, niveau général : </translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Our great winners</source>
        <translation>Nos grands vainqueurs</translation>
    </message>
</context>
<context>
    <name>WaitingDialog</name>
    <message>
        <source>Waiting confirmation from opponent side...</source>
        <translation>En attente de la confirmation de l&apos;adversaire...</translation>
    </message>
    <message>
        <source>Waiting confirmation</source>
        <translation>En attente de confirmation</translation>
    </message>
</context>
</TS>
