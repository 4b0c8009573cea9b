<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>BoardCell</name>
    <message>
        <source>miss</source>
        <translation>fallo</translation>
    </message>
    <message>
        <source>sunk</source>
        <translation>hundido</translation>
    </message>
    <message>
        <source>own ship</source>
        <translation>barco propio</translation>
    </message>
    <message>
        <source>hit</source>
        <translation>tocado</translation>
    </message>
    <message>
        <source>water</source>
        <translation>agua</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Start</source>
        <translation>Empezar</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abandonar</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Jugador</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Marcadores</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Música</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonidos</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>S</source>
        <comment>shortcut of Start</comment>
        <extracomment>The Alt+letter shortcut of the Start button, a letter of its caption.</extracomment>
        <translation>E</translation>
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
        <translation>M</translation>
    </message>
    <message>
        <source>B</source>
        <comment>shortcut of About</comment>
        <extracomment>The Alt+letter shortcut of the About button, which has a picture and no caption.</extracomment>
        <translation>B</translation>
    </message>
    <message>
        <source>Your turn lamp, on</source>
        <translation>Luz de tu turno, encendida</translation>
    </message>
    <message>
        <source>Your turn lamp, off</source>
        <translation>Luz de tu turno, apagada</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, on</source>
        <translation>Luz del turno del rival, encendida</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, off</source>
        <translation>Luz del turno del rival, apagada</translation>
    </message>
    <message>
        <source>your turn</source>
        <translation>tu turno</translation>
    </message>
    <message>
        <source>opponent&apos;s turn</source>
        <translation>turno del rival</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>Puntos %1</translation>
    </message>
    <message>
        <source>Your time</source>
        <extracomment>The accessible name of the player&apos;s clock, the time follows.</extracomment>
        <translation>Tu tiempo</translation>
    </message>
    <message>
        <source>Opponent&apos;s time</source>
        <extracomment>The accessible name of the opponent&apos;s clock, the time follows.</extracomment>
        <translation>Tiempo del rival</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Previous ship type</source>
        <translation>Tipo de barco anterior</translation>
    </message>
    <message>
        <source>Next ship type</source>
        <translation>Tipo de barco siguiente</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Girar en sentido antihorario</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Girar en sentido horario</translation>
    </message>
    <message>
        <source>Smaller area</source>
        <translation>Tablero más pequeño</translation>
    </message>
    <message>
        <source>Larger area</source>
        <translation>Tablero más grande</translation>
    </message>
    <message>
        <source>Area editor and network options</source>
        <translation>Editor del tablero y opciones de red</translation>
    </message>
    <message>
        <source>Ship type</source>
        <translation>Tipo de barco</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Girar</translation>
    </message>
    <message>
        <source>Area size</source>
        <translation>Tamaño del tablero</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generar</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Muestra</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Partida en red</translation>
    </message>
    <message>
        <source>Open the port on the router</source>
        <translation>Abrir el puerto en el router</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Save game log to TWLog.txt</source>
        <translation>Guardar el registro en TWLog.txt</translation>
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
        <translation>Registro de la partida</translation>
    </message>
</context>
<context>
    <name>GeneratingPanel</name>
    <message>
        <source>Generating ships </source>
        <translation>Colocando los barcos </translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <comment>the language&apos;s own name</comment>
        <extracomment>The name of the language of this catalogue, in that language: &quot;Deutsch&quot;.</extracomment>
        <translation>Español</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Your board</source>
        <translation>Tu tablero</translation>
    </message>
    <message>
        <source>Opponent&apos;s board</source>
        <translation>Tablero del rival</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Jugador</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordenador</translation>
    </message>
    <message>
        <source>Tarnwake - player %1</source>
        <translation>Tarnwake - jugador %1</translation>
    </message>
    <message>
        <source>Sound system init error</source>
        <translation>Error al iniciar el sistema de sonido</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>--------------------&gt; New game</source>
        <translation>--------------------&gt; Nueva partida</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Jugador: %1</translation>
    </message>
    <message>
        <source>Opponent: %1</source>
        <translation>Rival: %1</translation>
    </message>
    <message>
        <source>Opponent: computer</source>
        <translation>Rival: ordenador</translation>
    </message>
    <message>
        <source>start</source>
        <extracomment>The log&apos;s line of the moment a match starts.</extracomment>
        <translation>inicio</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordenador</translation>
    </message>
    <message>
        <source>the winner is %1</source>
        <translation>gana %1</translation>
    </message>
    <message>
        <source>computer wins</source>
        <translation>gana el ordenador</translation>
    </message>
    <message>
        <source>computer: </source>
        <extracomment>Before a shot of the computer in the log: &quot;computer: B4 wrong&quot;.</extracomment>
        <translation>ordenador: </translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pausa</translation>
    </message>
    <message>
        <source>continue</source>
        <extracomment>The log&apos;s line of the moment a pause ends.</extracomment>
        <translation>continúa</translation>
    </message>
    <message>
        <source>The game is aborted by user.</source>
        <translation>El usuario ha abandonado la partida.</translation>
    </message>
</context>
<context>
    <name>MatchAgreement</name>
    <message>
        <source>The user doesn&apos;t ready to game, or area sizes miscoincide.</source>
        <translation>El jugador invitado aún no está listo, o los tamaños de tablero no coinciden.</translation>
    </message>
    <message>
        <source>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</source>
        <translation>El jugador %1 te invita a una nueva partida. Ahora mismo estás listo para jugar. ¿Quieres empezar la partida?</translation>
    </message>
</context>
<context>
    <name>MatchController</name>
    <message>
        <source>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</source>
        <translation>¡El tablero de batalla no está completo! Usa el editor del tablero, que está en algún lugar de la pantalla.</translation>
    </message>
    <message>
        <source>Enter the player name by pressing the &quot;Player&quot; button!</source>
        <translation>¡Escribe tu nombre con el botón «Jugador»!</translation>
    </message>
    <message>
        <source>Do you want to abort the game?</source>
        <translation>¿Quieres abandonar la partida?</translation>
    </message>
</context>
<context>
    <name>MatchLog</name>
    <message>
        <source>wrong</source>
        <extracomment>A shot&apos;s outcome in the log: a miss.</extracomment>
        <translation>agua</translation>
    </message>
    <message>
        <source>bingo</source>
        <extracomment>A shot&apos;s outcome in the log: a hit.</extracomment>
        <translation>tocado</translation>
    </message>
    <message>
        <source>ship destroyed</source>
        <translation>barco hundido</translation>
    </message>
    <message>
        <source>Game time: %1</source>
        <translation>Tiempo de juego: %1</translation>
    </message>
    <message>
        <source>Ships placing of %1: </source>
        <extracomment>Above the rows of a board in the log, %1 the player&apos;s name.</extracomment>
        <translation>Colocación de los barcos de %1: </translation>
    </message>
    <message>
        <source>Ships placing of computer: </source>
        <translation>Colocación de los barcos del ordenador: </translation>
    </message>
</context>
<context>
    <name>NetPlay</name>
    <message>
        <source>The player %1 is finished game. You must abort game too.</source>
        <translation>El jugador %1 ha terminado la partida. Tú también debes abandonarla.</translation>
    </message>
</context>
<context>
    <name>OwnAddress</name>
    <message>
        <source>Behind another NAT: %1</source>
        <translation>Detrás de otro NAT: %1</translation>
    </message>
    <message>
        <source>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</source>
        <translation>Tu router está a su vez detrás de otro router (el de tu proveedor), así que desde internet nadie llega a esta dirección. Pide a tu amigo la suya: basta con que un lado sea accesible.</translation>
    </message>
    <message>
        <source>The game&apos;s port is taken on your router; it gave this one instead.</source>
        <translation>El puerto del juego está ocupado en tu router; te ha dado este en su lugar.</translation>
    </message>
    <message>
        <source>Your address: %1</source>
        <translation>Tu dirección: %1</translation>
    </message>
    <message>
        <source>This computer&apos;s own internet (IPv6) address.</source>
        <translation>La dirección de internet (IPv6) propia de este ordenador.</translation>
    </message>
    <message>
        <source>Opening the port is off</source>
        <translation>La apertura del puerto está desactivada</translation>
    </message>
    <message>
        <source>Your address: asking the router...</source>
        <translation>Tu dirección: preguntando al router...</translation>
    </message>
    <message>
        <source>Your port on the router: %1</source>
        <translation>Tu puerto en el router: %1</translation>
    </message>
    <message>
        <source>The router did not tell its address.</source>
        <translation>El router no ha indicado su dirección.</translation>
    </message>
    <message>
        <source>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</source>
        <translation>Tu amigo aún puede jugar contigo si su router abre su puerto: conéctate tú a él.</translation>
    </message>
    <message>
        <source>No router answered: no port opened</source>
        <translation>Ningún router ha respondido: no se abrió ningún puerto</translation>
    </message>
    <message>
        <source>The router&apos;s ports are all taken</source>
        <translation>Todos los puertos del router están ocupados</translation>
    </message>
    <message>
        <source>The router refused to open the port</source>
        <translation>El router se ha negado a abrir el puerto</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program</source>
        <translation>El puerto %1 lo usa otro programa</translation>
    </message>
    <message>
        <source>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</source>
        <translation>Otro programa de este ordenador ya usa el puerto TCP %1, así que nadie puede conectarse al juego y no se pide al router que lo abra. Cierra ese programa: el juego toma el puerto en cuanto quede libre. O escribe otro puerto y conéctate.</translation>
    </message>
    <message>
        <source>The game cannot listen on port %1</source>
        <translation>El juego no puede escuchar en el puerto %1</translation>
    </message>
    <message>
        <source>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</source>
        <translation>El sistema reserva para sí los puertos por debajo de 1024. Escribe un puerto de 1024 a 65535 y conéctate.</translation>
    </message>
</context>
<context>
    <name>PeerConnection</name>
    <message>
        <source>connection established: %1</source>
        <translation>conexión establecida: %1</translation>
    </message>
    <message>
        <source>server init: Ok</source>
        <translation>inicio del servidor: Ok</translation>
    </message>
    <message>
        <source>server error!</source>
        <translation>¡error del servidor!</translation>
    </message>
    <message>
        <source>connection error!</source>
        <translation>¡error de conexión!</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>sin conexión</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, ours</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; this side&apos;s connection carries both ways.</extracomment>
        <translation>Tu rival: %1 (tamaño del tablero: %2) - una conexión, la nuestra</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, theirs</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; the peer&apos;s connection carries both ways.</extracomment>
        <translation>Tu rival: %1 (tamaño del tablero: %2) - una conexión, la suya</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2)</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size.</extracomment>
        <translation>Tu rival: %1 (tamaño del tablero: %2)</translation>
    </message>
    <message>
        <source>The port must be from 1 to 65535</source>
        <translation>El puerto debe estar entre 1 y 65535</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>No es una dirección: %1</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Do you want to remove selected users?</source>
        <translation>¿Eliminar los jugadores seleccionados?</translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation>Escribe tu nombre</translation>
    </message>
    <message>
        <source>Remove selected users</source>
        <translation>Eliminar los jugadores seleccionados</translation>
    </message>
</context>
<context>
    <name>Remarks</name>
    <message>
        <source>It&apos;s not your day, %1.</source>
        <translation>Hoy no es tu día, %1.</translation>
    </message>
    <message>
        <source>%1, you should sleep for a some time.</source>
        <translation>%1, deberías dormir un rato. ¡Mira que perder contra un ordenador!</translation>
    </message>
    <message>
        <source>What&apos;s the hell, %1? How you did this?</source>
        <translation>¿Qué ha pasado, %1? ¿Cómo has podido?</translation>
    </message>
    <message>
        <source>Aaaaargh, %1...</source>
        <translation>Aaaaargh, %1...</translation>
    </message>
    <message>
        <source>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</source>
        <translation>¿Has visto la película «Matrix», %1? ¿No te recuerda a nada?</translation>
    </message>
    <message>
        <source>The Terminator waiting for you, %1.</source>
        <translation>Terminator te está esperando, %1.</translation>
    </message>
    <message>
        <source>You shouldn&apos;t try to save all people on Earth, %1.</source>
        <translation>Menos mal que el destino de la humanidad no dependía de esta partida, %1.</translation>
    </message>
    <message>
        <source>The author (me) tells you, %1: I loose my game so much...</source>
        <translation>Yo (el autor) te lo confieso, %1: he perdido contra mi programa incontables veces...</translation>
    </message>
    <message>
        <source>I created most complicated AI, %1!</source>
        <translation>¡Vaya algoritmo he creado, %1!</translation>
    </message>
    <message>
        <source>Sorry, %1, but...</source>
        <translation>Lo siento, %1, pero... ¡La inteligencia artificial está en plena forma!</translation>
    </message>
    <message>
        <source>Yes, %1, you won.</source>
        <translation>Sí, %1, has ganado. ¿Y qué?</translation>
    </message>
    <message>
        <source>Better you play with Vostrikel, %1.</source>
        <translation>%1, deberías jugar contra Vostrikel.</translation>
    </message>
    <message>
        <source>Don&apos;t celebrate much, %1. I&apos;ll survive.</source>
        <translation>No lo celebres tanto, %1. Me tomaré la revancha.</translation>
    </message>
    <message>
        <source>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</source>
        <translation>Bah, %1, hundir la flota... Prueba a jugar a Quake y luego hablamos.</translation>
    </message>
    <message>
        <source>Change area size to a 15, %1, and let&apos;s play!</source>
        <translation>¡Juguemos en un tablero más grande, %1!</translation>
    </message>
    <message>
        <source>Isn&apos;t my music bores you, %1?</source>
        <translation>¿De verdad no te distrae mi pesada música, %1?</translation>
    </message>
    <message>
        <source>I can format your HDD, %1!!!</source>
        <translation>Voy a quejarme al autor a través de tu ordenador, %1, ¡y luego formatearé el disco!</translation>
    </message>
    <message>
        <source>Don&apos;t hurt me, %1...</source>
        <translation>No me hagas enfadar, %1...</translation>
    </message>
    <message>
        <source>It was a small bug, %1, let&apos;s play again!</source>
        <translation>Solo se me atascó la memoria, %1, ¡juguemos otra vez, no es justo!</translation>
    </message>
    <message>
        <source>Your computer needs an upgrade, %1.</source>
        <translation>Tu ordenador necesita una actualización, %1. Le falta potencia al procesador.</translation>
    </message>
    <message>
        <source>The %1 wins this game. You should practice with me. :)</source>
        <translation>Vaya, %1 te ha engañado. Mejor juega conmigo. :)</translation>
    </message>
    <message>
        <source>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</source>
        <translation>¡Has ganado a %1! Prueba a jugar contra mí, una inteligencia artificial, y ya veremos...</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Most winner: </source>
        <translation>Más victorias: </translation>
    </message>
    <message>
        <source>Most looser: </source>
        <translation>Más derrotas: </translation>
    </message>
    <message>
        <source>The longest battle: </source>
        <translation>La batalla más larga: </translation>
    </message>
    <message>
        <source>The shortest battle: </source>
        <translation>La batalla más corta: </translation>
    </message>
    <message>
        <source>Top score: </source>
        <translation>Más puntos: </translation>
    </message>
    <message>
        <source> - last game: </source>
        <extracomment>Between a player&apos;s name and the date of the player&apos;s last game.</extracomment>
        <translation> - última partida: </translation>
    </message>
    <message>
        <source>, overall skill: </source>
        <extracomment>Between the date of a player&apos;s last game and the difference of wins and losses.</extracomment>
        <translation>, valoración global: </translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Our great winners</source>
        <translation>Nuestros campeones</translation>
    </message>
</context>
<context>
    <name>WaitingDialog</name>
    <message>
        <source>Waiting confirmation from opponent side...</source>
        <translation>Esperando la confirmación del rival...</translation>
    </message>
    <message>
        <source>Waiting confirmation</source>
        <translation>Esperando confirmación</translation>
    </message>
</context>
</TS>
