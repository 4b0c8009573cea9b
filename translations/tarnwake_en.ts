<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>BoardCell</name>
    <message>
        <source>miss</source>
        <translation>miss</translation>
    </message>
    <message>
        <source>sunk</source>
        <translation>sunk</translation>
    </message>
    <message>
        <source>own ship</source>
        <translation>own ship</translation>
    </message>
    <message>
        <source>hit</source>
        <translation>hit</translation>
    </message>
    <message>
        <source>water</source>
        <translation>water</translation>
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
        <translation>Abort</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
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
        <translation>C</translation>
    </message>
    <message>
        <source>B</source>
        <comment>shortcut of About</comment>
        <extracomment>The Alt+letter shortcut of the About button, which has a picture and no caption.</extracomment>
        <translation>B</translation>
    </message>
    <message>
        <source>Your turn lamp, on</source>
        <translation>Your turn lamp, on</translation>
    </message>
    <message>
        <source>Your turn lamp, off</source>
        <translation>Your turn lamp, off</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, on</source>
        <translation>Opponent&apos;s turn lamp, on</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, off</source>
        <translation>Opponent&apos;s turn lamp, off</translation>
    </message>
    <message>
        <source>your turn</source>
        <translation>your turn</translation>
    </message>
    <message>
        <source>opponent&apos;s turn</source>
        <translation>opponent&apos;s turn</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>Score %1</translation>
    </message>
    <message>
        <source>Your time</source>
        <extracomment>The accessible name of the player&apos;s clock, the time follows.</extracomment>
        <translation>Your time</translation>
    </message>
    <message>
        <source>Opponent&apos;s time</source>
        <extracomment>The accessible name of the opponent&apos;s clock, the time follows.</extracomment>
        <translation>Opponent&apos;s time</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Previous ship type</source>
        <translation>Previous ship type</translation>
    </message>
    <message>
        <source>Next ship type</source>
        <translation>Next ship type</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Rotate anticlockwise</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Rotate clockwise</translation>
    </message>
    <message>
        <source>Smaller area</source>
        <translation>Smaller area</translation>
    </message>
    <message>
        <source>Larger area</source>
        <translation>Larger area</translation>
    </message>
    <message>
        <source>Area editor and network options</source>
        <translation>Area editor and network options</translation>
    </message>
    <message>
        <source>Ship type</source>
        <translation>Ship type</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Area size</source>
        <translation>Area size</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Network game</translation>
    </message>
    <message>
        <source>Open the port on the router</source>
        <translation>Open the port on the router</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Save game log to TWLog.txt</source>
        <translation>Save game log to TWLog.txt</translation>
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
        <translation>Game log</translation>
    </message>
</context>
<context>
    <name>GeneratingPanel</name>
    <message>
        <source>Generating ships </source>
        <translation>Generating ships </translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <comment>the language&apos;s own name</comment>
        <extracomment>The name of the language of this catalogue, in that language: &quot;Deutsch&quot;.</extracomment>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Your board</source>
        <translation>Your board</translation>
    </message>
    <message>
        <source>Opponent&apos;s board</source>
        <translation>Opponent&apos;s board</translation>
    </message>
    <message>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Tarnwake - player %1</source>
        <translation>Tarnwake - player %1</translation>
    </message>
    <message>
        <source>Sound system init error</source>
        <translation>Sound system init error</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>--------------------&gt; New game</source>
        <translation>--------------------&gt; New game</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Player: %1</translation>
    </message>
    <message>
        <source>Opponent: %1</source>
        <translation>Opponent: %1</translation>
    </message>
    <message>
        <source>Opponent: computer</source>
        <translation>Opponent: computer</translation>
    </message>
    <message>
        <source>start</source>
        <extracomment>The log&apos;s line of the moment a match starts.</extracomment>
        <translation>start</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>the winner is %1</source>
        <translation>the winner is %1</translation>
    </message>
    <message>
        <source>computer wins</source>
        <translation>computer wins</translation>
    </message>
    <message>
        <source>computer: </source>
        <extracomment>Before a shot of the computer in the log: &quot;computer: B4 wrong&quot;.</extracomment>
        <translation>computer: </translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pause</translation>
    </message>
    <message>
        <source>continue</source>
        <extracomment>The log&apos;s line of the moment a pause ends.</extracomment>
        <translation>continue</translation>
    </message>
    <message>
        <source>The game is aborted by user.</source>
        <translation>The game is aborted by user.</translation>
    </message>
</context>
<context>
    <name>MatchAgreement</name>
    <message>
        <source>The user doesn&apos;t ready to game, or area sizes miscoincide.</source>
        <translation>The user doesn&apos;t ready to game, or area sizes miscoincide.</translation>
    </message>
    <message>
        <source>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</source>
        <translation>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</translation>
    </message>
</context>
<context>
    <name>MatchController</name>
    <message>
        <source>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</source>
        <translation>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</translation>
    </message>
    <message>
        <source>Enter the player name by pressing the &quot;Player&quot; button!</source>
        <translation>Enter the player name by pressing the &quot;Player&quot; button!</translation>
    </message>
    <message>
        <source>Do you want to abort the game?</source>
        <translation>Do you want to abort the game?</translation>
    </message>
</context>
<context>
    <name>MatchLog</name>
    <message>
        <source>wrong</source>
        <extracomment>A shot&apos;s outcome in the log: a miss.</extracomment>
        <translation>wrong</translation>
    </message>
    <message>
        <source>bingo</source>
        <extracomment>A shot&apos;s outcome in the log: a hit.</extracomment>
        <translation>bingo</translation>
    </message>
    <message>
        <source>ship destroyed</source>
        <translation>ship destroyed</translation>
    </message>
    <message>
        <source>Game time: %1</source>
        <translation>Game time: %1</translation>
    </message>
    <message>
        <source>Ships placing of %1: </source>
        <extracomment>Above the rows of a board in the log, %1 the player&apos;s name.</extracomment>
        <translation>Ships placing of %1: </translation>
    </message>
    <message>
        <source>Ships placing of computer: </source>
        <translation>Ships placing of computer: </translation>
    </message>
</context>
<context>
    <name>NetPlay</name>
    <message>
        <source>The player %1 is finished game. You must abort game too.</source>
        <translation>The player %1 is finished game. You must abort game too.</translation>
    </message>
</context>
<context>
    <name>OwnAddress</name>
    <message>
        <source>Behind another NAT: %1</source>
        <translation>Behind another NAT: %1</translation>
    </message>
    <message>
        <source>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</source>
        <translation>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</translation>
    </message>
    <message>
        <source>The game&apos;s port is taken on your router; it gave this one instead.</source>
        <translation>The game&apos;s port is taken on your router; it gave this one instead.</translation>
    </message>
    <message>
        <source>Your address: %1</source>
        <translation>Your address: %1</translation>
    </message>
    <message>
        <source>This computer&apos;s own internet (IPv6) address.</source>
        <translation>This computer&apos;s own internet (IPv6) address.</translation>
    </message>
    <message>
        <source>Opening the port is off</source>
        <translation>Opening the port is off</translation>
    </message>
    <message>
        <source>Your address: asking the router...</source>
        <translation>Your address: asking the router...</translation>
    </message>
    <message>
        <source>Your port on the router: %1</source>
        <translation>Your port on the router: %1</translation>
    </message>
    <message>
        <source>The router did not tell its address.</source>
        <translation>The router did not tell its address.</translation>
    </message>
    <message>
        <source>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</source>
        <translation>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</translation>
    </message>
    <message>
        <source>No router answered: no port opened</source>
        <translation>No router answered: no port opened</translation>
    </message>
    <message>
        <source>The router&apos;s ports are all taken</source>
        <translation>The router&apos;s ports are all taken</translation>
    </message>
    <message>
        <source>The router refused to open the port</source>
        <translation>The router refused to open the port</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program</source>
        <translation>Port %1 is taken by another program</translation>
    </message>
    <message>
        <source>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</source>
        <translation>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</translation>
    </message>
    <message>
        <source>The game cannot listen on port %1</source>
        <translation>The game cannot listen on port %1</translation>
    </message>
    <message>
        <source>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</source>
        <translation>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</translation>
    </message>
</context>
<context>
    <name>PeerConnection</name>
    <message>
        <source>connection established: %1</source>
        <translation>connection established: %1</translation>
    </message>
    <message>
        <source>server init: Ok</source>
        <translation>server init: Ok</translation>
    </message>
    <message>
        <source>server error!</source>
        <translation>server error!</translation>
    </message>
    <message>
        <source>connection error!</source>
        <translation>connection error!</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>no connection</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, ours</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; this side&apos;s connection carries both ways.</extracomment>
        <translation>Your opponent: %1 (area size: %2) - one connection, ours</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, theirs</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; the peer&apos;s connection carries both ways.</extracomment>
        <translation>Your opponent: %1 (area size: %2) - one connection, theirs</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2)</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size.</extracomment>
        <translation>Your opponent: %1 (area size: %2)</translation>
    </message>
    <message>
        <source>The port must be from 1 to 65535</source>
        <translation>The port must be from 1 to 65535</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>Not an address: %1</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Do you want to remove selected users?</source>
        <translation>Do you want to remove selected users?</translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation>Enter your name</translation>
    </message>
    <message>
        <source>Remove selected users</source>
        <translation>Remove selected users</translation>
    </message>
</context>
<context>
    <name>Remarks</name>
    <message>
        <source>It&apos;s not your day, %1.</source>
        <translation>It&apos;s not your day, %1.</translation>
    </message>
    <message>
        <source>%1, you should sleep for a some time.</source>
        <translation>%1, you should sleep for a some time.</translation>
    </message>
    <message>
        <source>What&apos;s the hell, %1? How you did this?</source>
        <translation>What&apos;s the hell, %1? How you did this?</translation>
    </message>
    <message>
        <source>Aaaaargh, %1...</source>
        <translation>Aaaaargh, %1...</translation>
    </message>
    <message>
        <source>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</source>
        <translation>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</translation>
    </message>
    <message>
        <source>The Terminator waiting for you, %1.</source>
        <translation>The Terminator waiting for you, %1.</translation>
    </message>
    <message>
        <source>You shouldn&apos;t try to save all people on Earth, %1.</source>
        <translation>You shouldn&apos;t try to save all people on Earth, %1.</translation>
    </message>
    <message>
        <source>The author (me) tells you, %1: I loose my game so much...</source>
        <translation>The author (me) tells you, %1: I loose my game so much...</translation>
    </message>
    <message>
        <source>I created most complicated AI, %1!</source>
        <translation>I created most complicated AI, %1!</translation>
    </message>
    <message>
        <source>Sorry, %1, but...</source>
        <translation>Sorry, %1, but...</translation>
    </message>
    <message>
        <source>Yes, %1, you won.</source>
        <translation>Yes, %1, you won.</translation>
    </message>
    <message>
        <source>Better you play with Vostrikel, %1.</source>
        <translation>Better you play with Vostrikel, %1.</translation>
    </message>
    <message>
        <source>Don&apos;t celebrate much, %1. I&apos;ll survive.</source>
        <translation>Don&apos;t celebrate much, %1. I&apos;ll survive.</translation>
    </message>
    <message>
        <source>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</source>
        <translation>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</translation>
    </message>
    <message>
        <source>Change area size to a 15, %1, and let&apos;s play!</source>
        <translation>Change area size to a 15, %1, and let&apos;s play!</translation>
    </message>
    <message>
        <source>Isn&apos;t my music bores you, %1?</source>
        <translation>Isn&apos;t my music bores you, %1?</translation>
    </message>
    <message>
        <source>I can format your HDD, %1!!!</source>
        <translation>I can format your HDD, %1!!!</translation>
    </message>
    <message>
        <source>Don&apos;t hurt me, %1...</source>
        <translation>Don&apos;t hurt me, %1...</translation>
    </message>
    <message>
        <source>It was a small bug, %1, let&apos;s play again!</source>
        <translation>It was a small bug, %1, let&apos;s play again!</translation>
    </message>
    <message>
        <source>Your computer needs an upgrade, %1.</source>
        <translation>Your computer needs an upgrade, %1.</translation>
    </message>
    <message>
        <source>The %1 wins this game. You should practice with me. :)</source>
        <translation>The %1 wins this game. You should practice with me. :)</translation>
    </message>
    <message>
        <source>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</source>
        <translation>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Most winner: </source>
        <translation>Most winner: </translation>
    </message>
    <message>
        <source>Most looser: </source>
        <translation>Most looser: </translation>
    </message>
    <message>
        <source>The longest battle: </source>
        <translation>The longest battle: </translation>
    </message>
    <message>
        <source>The shortest battle: </source>
        <translation>The shortest battle: </translation>
    </message>
    <message>
        <source>Top score: </source>
        <translation>Top score: </translation>
    </message>
    <message>
        <source> - last game: </source>
        <extracomment>Between a player&apos;s name and the date of the player&apos;s last game.</extracomment>
        <translation> - last game: </translation>
    </message>
    <message>
        <source>, overall skill: </source>
        <extracomment>Between the date of a player&apos;s last game and the difference of wins and losses.</extracomment>
        <translation>, overall skill: </translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Our great winners</source>
        <translation>Our great winners</translation>
    </message>
</context>
<context>
    <name>WaitingDialog</name>
    <message>
        <source>Waiting confirmation from opponent side...</source>
        <translation>Waiting confirmation from opponent side...</translation>
    </message>
    <message>
        <source>Waiting confirmation</source>
        <translation>Waiting confirmation</translation>
    </message>
</context>
</TS>
