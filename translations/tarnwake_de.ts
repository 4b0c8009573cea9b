<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>BoardCell</name>
    <message>
        <source>miss</source>
        <translation>Fehlschuss</translation>
    </message>
    <message>
        <source>sunk</source>
        <translation>versenkt</translation>
    </message>
    <message>
        <source>own ship</source>
        <translation>eigenes Schiff</translation>
    </message>
    <message>
        <source>hit</source>
        <translation>getroffen</translation>
    </message>
    <message>
        <source>water</source>
        <translation>Wasser</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Rangliste</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Klänge</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Steuerung</translation>
    </message>
    <message>
        <source>S</source>
        <comment>shortcut of Start</comment>
        <extracomment>The Alt+letter shortcut of the Start button, a letter of its caption.</extracomment>
        <translation>S</translation>
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
        <translation>L</translation>
    </message>
    <message>
        <source>C</source>
        <comment>shortcut of Scores</comment>
        <extracomment>The Alt+letter shortcut of the Scores button, a letter of its caption.</extracomment>
        <translation>R</translation>
    </message>
    <message>
        <source>B</source>
        <comment>shortcut of About</comment>
        <extracomment>The Alt+letter shortcut of the About button, which has a picture and no caption.</extracomment>
        <translation>B</translation>
    </message>
    <message>
        <source>Your turn lamp, on</source>
        <translation>Lampe deines Zugs, an</translation>
    </message>
    <message>
        <source>Your turn lamp, off</source>
        <translation>Lampe deines Zugs, aus</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, on</source>
        <translation>Lampe des gegnerischen Zugs, an</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, off</source>
        <translation>Lampe des gegnerischen Zugs, aus</translation>
    </message>
    <message>
        <source>your turn</source>
        <translation>du bist am Zug</translation>
    </message>
    <message>
        <source>opponent&apos;s turn</source>
        <translation>der Gegner ist am Zug</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>Punkte %1</translation>
    </message>
    <message>
        <source>Your time</source>
        <extracomment>The accessible name of the player&apos;s clock, the time follows.</extracomment>
        <translation>Deine Zeit</translation>
    </message>
    <message>
        <source>Opponent&apos;s time</source>
        <extracomment>The accessible name of the opponent&apos;s clock, the time follows.</extracomment>
        <translation>Zeit des Gegners</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Previous ship type</source>
        <translation>Vorheriger Schiffstyp</translation>
    </message>
    <message>
        <source>Next ship type</source>
        <translation>Nächster Schiffstyp</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Gegen den Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Im Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Smaller area</source>
        <translation>Kleineres Feld</translation>
    </message>
    <message>
        <source>Larger area</source>
        <translation>Größeres Feld</translation>
    </message>
    <message>
        <source>Area editor and network options</source>
        <translation>Feldeditor und Netzwerkoptionen</translation>
    </message>
    <message>
        <source>Ship type</source>
        <translation>Schiffstyp</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Area size</source>
        <translation>Feldgröße</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Erzeugen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Muster</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Netzwerkspiel</translation>
    </message>
    <message>
        <source>Open the port on the router</source>
        <translation>Port am Router öffnen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Save game log to TWLog.txt</source>
        <translation>Spielverlauf in TWLog.txt speichern</translation>
    </message>
    <message>
        <source>Host</source>
        <extracomment>The label of the peer&apos;s host name field.</extracomment>
        <translation>Host</translation>
    </message>
</context>
<context>
    <name>GameLogWindow</name>
    <message>
        <source>Game log</source>
        <translation>Spielverlauf</translation>
    </message>
</context>
<context>
    <name>GeneratingPanel</name>
    <message>
        <source>Generating ships </source>
        <translation>Schiffe werden gesetzt </translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <comment>the language&apos;s own name</comment>
        <extracomment>The name of the language of this catalogue, in that language: &quot;Deutsch&quot;.</extracomment>
        <translation>Deutsch</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Your board</source>
        <translation>Dein Feld</translation>
    </message>
    <message>
        <source>Opponent&apos;s board</source>
        <translation>Feld des Gegners</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Tarnwake - player %1</source>
        <translation>Tarnwake - Spieler %1</translation>
    </message>
    <message>
        <source>Sound system init error</source>
        <translation>Das Soundsystem konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>--------------------&gt; New game</source>
        <translation>--------------------&gt; Neues Spiel</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Spieler: %1</translation>
    </message>
    <message>
        <source>Opponent: %1</source>
        <translation>Gegner: %1</translation>
    </message>
    <message>
        <source>Opponent: computer</source>
        <translation>Gegner: Computer</translation>
    </message>
    <message>
        <source>start</source>
        <extracomment>The log&apos;s line of the moment a match starts.</extracomment>
        <translation>Start</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>the winner is %1</source>
        <translation>Sieger: %1</translation>
    </message>
    <message>
        <source>computer wins</source>
        <translation>der Computer gewinnt</translation>
    </message>
    <message>
        <source>computer: </source>
        <extracomment>Before a shot of the computer in the log: &quot;computer: B4 wrong&quot;.</extracomment>
        <translation>Computer: </translation>
    </message>
    <message>
        <source>pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>continue</source>
        <extracomment>The log&apos;s line of the moment a pause ends.</extracomment>
        <translation>weiter</translation>
    </message>
    <message>
        <source>The game is aborted by user.</source>
        <translation>Das Spiel wurde vom Spieler abgebrochen.</translation>
    </message>
</context>
<context>
    <name>MatchAgreement</name>
    <message>
        <source>The user doesn&apos;t ready to game, or area sizes miscoincide.</source>
        <translation>Der eingeladene Spieler ist noch nicht bereit, oder die Feldgrößen stimmen nicht überein.</translation>
    </message>
    <message>
        <source>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</source>
        <translation>Der Spieler %1 lädt dich zu einem neuen Spiel ein. Du bist gerade spielbereit. Möchtest du das Spiel beginnen?</translation>
    </message>
</context>
<context>
    <name>MatchController</name>
    <message>
        <source>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</source>
        <translation>Das Schlachtfeld ist nicht vollständig besetzt! Benutze den Feldeditor, der sich irgendwo auf dem Bildschirm befindet.</translation>
    </message>
    <message>
        <source>Enter the player name by pressing the &quot;Player&quot; button!</source>
        <translation>Gib deinen Namen über die Schaltfläche „Spieler“ ein!</translation>
    </message>
    <message>
        <source>Do you want to abort the game?</source>
        <translation>Möchtest du das Spiel abbrechen?</translation>
    </message>
</context>
<context>
    <name>MatchLog</name>
    <message>
        <source>wrong</source>
        <extracomment>A shot&apos;s outcome in the log: a miss.</extracomment>
        <translation>daneben</translation>
    </message>
    <message>
        <source>bingo</source>
        <extracomment>A shot&apos;s outcome in the log: a hit.</extracomment>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>ship destroyed</source>
        <translation>Schiff versenkt</translation>
    </message>
    <message>
        <source>Game time: %1</source>
        <translation>Spielzeit: %1</translation>
    </message>
    <message>
        <source>Ships placing of %1: </source>
        <extracomment>Above the rows of a board in the log, %1 the player&apos;s name.</extracomment>
        <translation>Schiffsaufstellung von %1: </translation>
    </message>
    <message>
        <source>Ships placing of computer: </source>
        <translation>Schiffsaufstellung des Computers: </translation>
    </message>
</context>
<context>
    <name>NetPlay</name>
    <message>
        <source>The player %1 is finished game. You must abort game too.</source>
        <translation>Der Spieler %1 hat das Spiel beendet. Du musst das Spiel ebenfalls abbrechen.</translation>
    </message>
</context>
<context>
    <name>OwnAddress</name>
    <message>
        <source>Behind another NAT: %1</source>
        <translation>Hinter einem weiteren NAT: %1</translation>
    </message>
    <message>
        <source>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</source>
        <translation>Dein Router steht selbst hinter einem weiteren Router (dem deines Anbieters), daher ist diese Adresse aus dem Internet nicht erreichbar. Lass dir die Adresse deines Freundes geben: Es genügt, wenn eine Seite erreichbar ist.</translation>
    </message>
    <message>
        <source>The game&apos;s port is taken on your router; it gave this one instead.</source>
        <translation>Der Port des Spiels ist auf deinem Router belegt; er hat stattdessen diesen vergeben.</translation>
    </message>
    <message>
        <source>Your address: %1</source>
        <translation>Deine Adresse: %1</translation>
    </message>
    <message>
        <source>This computer&apos;s own internet (IPv6) address.</source>
        <translation>Die eigene Internetadresse (IPv6) dieses Computers.</translation>
    </message>
    <message>
        <source>Opening the port is off</source>
        <translation>Port-Öffnung ist aus</translation>
    </message>
    <message>
        <source>Your address: asking the router...</source>
        <translation>Deine Adresse: Router wird gefragt...</translation>
    </message>
    <message>
        <source>Your port on the router: %1</source>
        <translation>Dein Port am Router: %1</translation>
    </message>
    <message>
        <source>The router did not tell its address.</source>
        <translation>Der Router hat seine Adresse nicht genannt.</translation>
    </message>
    <message>
        <source>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</source>
        <translation>Ihr könnt trotzdem spielen, wenn der Router deines Freundes seinen Port öffnet: Verbinde dich dann selbst mit ihm.</translation>
    </message>
    <message>
        <source>No router answered: no port opened</source>
        <translation>Kein Router hat geantwortet: kein Port geöffnet</translation>
    </message>
    <message>
        <source>The router&apos;s ports are all taken</source>
        <translation>Alle Ports des Routers sind belegt</translation>
    </message>
    <message>
        <source>The router refused to open the port</source>
        <translation>Der Router hat das Öffnen des Ports verweigert</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program</source>
        <translation>Port %1 ist von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</source>
        <translation>Ein anderes Programm auf diesem Computer nutzt bereits den TCP-Port %1, daher kann sich niemand mit dem Spiel verbinden, und der Router wird nicht gebeten, ihn zu öffnen. Schließe dieses Programm: Das Spiel übernimmt den Port, sobald er frei ist. Oder gib einen anderen Port ein und verbinde dich.</translation>
    </message>
    <message>
        <source>The game cannot listen on port %1</source>
        <translation>Das Spiel kann auf Port %1 keine Verbindungen annehmen</translation>
    </message>
    <message>
        <source>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</source>
        <translation>Ports unter 1024 behält das System für sich. Gib einen Port von 1024 bis 65535 ein und verbinde dich.</translation>
    </message>
</context>
<context>
    <name>PeerConnection</name>
    <message>
        <source>connection established: %1</source>
        <translation>Verbindung hergestellt: %1</translation>
    </message>
    <message>
        <source>server init: Ok</source>
        <translation>Server gestartet: Ok</translation>
    </message>
    <message>
        <source>server error!</source>
        <translation>Serverfehler!</translation>
    </message>
    <message>
        <source>connection error!</source>
        <translation>Verbindungsfehler!</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>keine Verbindung</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, ours</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; this side&apos;s connection carries both ways.</extracomment>
        <translation>Dein Gegner: %1 (Feldgröße: %2) - eine Verbindung, unsere</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, theirs</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; the peer&apos;s connection carries both ways.</extracomment>
        <translation>Dein Gegner: %1 (Feldgröße: %2) - eine Verbindung, seine</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2)</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size.</extracomment>
        <translation>Dein Gegner: %1 (Feldgröße: %2)</translation>
    </message>
    <message>
        <source>The port must be from 1 to 65535</source>
        <translation>Der Port muss zwischen 1 und 65535 liegen</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>Keine Adresse: %1</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Do you want to remove selected users?</source>
        <translation>Die ausgewählten Spieler entfernen?</translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation>Gib deinen Namen ein</translation>
    </message>
    <message>
        <source>Remove selected users</source>
        <translation>Ausgewählte Spieler entfernen</translation>
    </message>
</context>
<context>
    <name>Remarks</name>
    <message>
        <source>It&apos;s not your day, %1.</source>
        <translation>Heute ist nicht dein Tag, %1.</translation>
    </message>
    <message>
        <source>%1, you should sleep for a some time.</source>
        <translation>%1, du solltest ein wenig schlafen. Gegen einen Computer verlieren – so was!</translation>
    </message>
    <message>
        <source>What&apos;s the hell, %1? How you did this?</source>
        <translation>Was ist los, %1? Wie konnte das passieren?</translation>
    </message>
    <message>
        <source>Aaaaargh, %1...</source>
        <translation>Aaaaargh, %1...</translation>
    </message>
    <message>
        <source>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</source>
        <translation>Hast du den Film „Matrix“ gesehen, %1? Kommt dir das nicht bekannt vor?</translation>
    </message>
    <message>
        <source>The Terminator waiting for you, %1.</source>
        <translation>Der Terminator wartet auf dich, %1.</translation>
    </message>
    <message>
        <source>You shouldn&apos;t try to save all people on Earth, %1.</source>
        <translation>Gut, dass nicht die ganze Menschheit von diesem Spiel abhing, %1.</translation>
    </message>
    <message>
        <source>The author (me) tells you, %1: I loose my game so much...</source>
        <translation>Ich (der Autor) gestehe dir, %1: Ich habe selbst unzählige Male gegen mein Programm verloren...</translation>
    </message>
    <message>
        <source>I created most complicated AI, %1!</source>
        <translation>Was für einen Algorithmus ich da geschrieben habe, %1!</translation>
    </message>
    <message>
        <source>Sorry, %1, but...</source>
        <translation>Tut mir leid, %1, aber... Die künstliche Intelligenz ist einfach stark!</translation>
    </message>
    <message>
        <source>Yes, %1, you won.</source>
        <translation>Ja, %1, du hast gewonnen. Na und?</translation>
    </message>
    <message>
        <source>Better you play with Vostrikel, %1.</source>
        <translation>%1, du solltest mal gegen Vostrikel spielen.</translation>
    </message>
    <message>
        <source>Don&apos;t celebrate much, %1. I&apos;ll survive.</source>
        <translation>Freu dich nicht zu früh, %1. Ich hole mir das zurück.</translation>
    </message>
    <message>
        <source>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</source>
        <translation>Ach was, %1, Schiffe versenken... Spiel mal Quake, dann sehen wir weiter.</translation>
    </message>
    <message>
        <source>Change area size to a 15, %1, and let&apos;s play!</source>
        <translation>Lass uns auf einem größeren Feld spielen, %1!</translation>
    </message>
    <message>
        <source>Isn&apos;t my music bores you, %1?</source>
        <translation>Bringt dich meine lästige Musik nicht aus dem Konzept, %1?</translation>
    </message>
    <message>
        <source>I can format your HDD, %1!!!</source>
        <translation>Ich melde mich über deinen Computer beim Autor, %1, und dann formatiere ich die Festplatte!</translation>
    </message>
    <message>
        <source>Don&apos;t hurt me, %1...</source>
        <translation>Reiz mich nicht, %1...</translation>
    </message>
    <message>
        <source>It was a small bug, %1, let&apos;s play again!</source>
        <translation>Mein Speicher hat nur kurz geklemmt, %1, lass uns noch mal spielen, das war unfair!</translation>
    </message>
    <message>
        <source>Your computer needs an upgrade, %1.</source>
        <translation>Dein Computer braucht ein Upgrade, %1. Dem Prozessor fehlt die Leistung.</translation>
    </message>
    <message>
        <source>The %1 wins this game. You should practice with me. :)</source>
        <translation>Leider hat %1 dich reingelegt. Spiel lieber mit mir. :)</translation>
    </message>
    <message>
        <source>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</source>
        <translation>Du hast diese Partie gegen %1 gewonnen! Versuch es mal gegen mich, die künstliche Intelligenz – dann sehen wir weiter...</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Most winner: </source>
        <translation>Die meisten Siege: </translation>
    </message>
    <message>
        <source>Most looser: </source>
        <translation>Die meisten Niederlagen: </translation>
    </message>
    <message>
        <source>The longest battle: </source>
        <translation>Die längste Schlacht: </translation>
    </message>
    <message>
        <source>The shortest battle: </source>
        <translation>Die kürzeste Schlacht: </translation>
    </message>
    <message>
        <source>Top score: </source>
        <translation>Die meisten Punkte: </translation>
    </message>
    <message>
        <source> - last game: </source>
        <extracomment>Between a player&apos;s name and the date of the player&apos;s last game.</extracomment>
        <translation> - letztes Spiel: </translation>
    </message>
    <message>
        <source>, overall skill: </source>
        <extracomment>Between the date of a player&apos;s last game and the difference of wins and losses.</extracomment>
        <translation>, Gesamtwertung: </translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Our great winners</source>
        <translation>Unsere Sieger</translation>
    </message>
</context>
<context>
    <name>WaitingDialog</name>
    <message>
        <source>Waiting confirmation from opponent side...</source>
        <translation>Warte auf die Bestätigung des Gegners...</translation>
    </message>
    <message>
        <source>Waiting confirmation</source>
        <translation>Warte auf Bestätigung</translation>
    </message>
</context>
</TS>
