<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>BoardCell</name>
    <message>
        <source>miss</source>
        <translation>мимо</translation>
    </message>
    <message>
        <source>sunk</source>
        <translation>убит</translation>
    </message>
    <message>
        <source>own ship</source>
        <translation>свой корабль</translation>
    </message>
    <message>
        <source>hit</source>
        <translation>ранен</translation>
    </message>
    <message>
        <source>water</source>
        <translation>вода</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Прервать</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Дневник</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Музыка</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Звуки</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Управление</translation>
    </message>
    <message>
        <source>S</source>
        <comment>shortcut of Start</comment>
        <extracomment>The Alt+letter shortcut of the Start button, a letter of its caption.</extracomment>
        <translation>С</translation>
    </message>
    <message>
        <source>P</source>
        <comment>shortcut of Pause</comment>
        <extracomment>The Alt+letter shortcut of the Pause button, a letter of its caption.</extracomment>
        <translation>П</translation>
    </message>
    <message>
        <source>A</source>
        <comment>shortcut of Abort</comment>
        <extracomment>The Alt+letter shortcut of the Abort button, a letter of its caption.</extracomment>
        <translation>Р</translation>
    </message>
    <message>
        <source>L</source>
        <comment>shortcut of Player</comment>
        <extracomment>The Alt+letter shortcut of the Player button, a letter of its caption.</extracomment>
        <translation>И</translation>
    </message>
    <message>
        <source>C</source>
        <comment>shortcut of Scores</comment>
        <extracomment>The Alt+letter shortcut of the Scores button, a letter of its caption.</extracomment>
        <translation>Д</translation>
    </message>
    <message>
        <source>B</source>
        <comment>shortcut of About</comment>
        <extracomment>The Alt+letter shortcut of the About button, which has a picture and no caption.</extracomment>
        <translation>B</translation>
    </message>
    <message>
        <source>Your turn lamp, on</source>
        <translation>Лампа вашего хода, горит</translation>
    </message>
    <message>
        <source>Your turn lamp, off</source>
        <translation>Лампа вашего хода, не горит</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, on</source>
        <translation>Лампа хода противника, горит</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, off</source>
        <translation>Лампа хода противника, не горит</translation>
    </message>
    <message>
        <source>your turn</source>
        <translation>ваш ход</translation>
    </message>
    <message>
        <source>opponent&apos;s turn</source>
        <translation>ход противника</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>Счёт %1</translation>
    </message>
    <message>
        <source>Your time</source>
        <extracomment>The accessible name of the player&apos;s clock, the time follows.</extracomment>
        <translation>Ваше время</translation>
    </message>
    <message>
        <source>Opponent&apos;s time</source>
        <extracomment>The accessible name of the opponent&apos;s clock, the time follows.</extracomment>
        <translation>Время противника</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Previous ship type</source>
        <translation>Предыдущий тип корабля</translation>
    </message>
    <message>
        <source>Next ship type</source>
        <translation>Следующий тип корабля</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Повернуть против часовой стрелки</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Повернуть по часовой стрелке</translation>
    </message>
    <message>
        <source>Smaller area</source>
        <translation>Меньше поле</translation>
    </message>
    <message>
        <source>Larger area</source>
        <translation>Больше поле</translation>
    </message>
    <message>
        <source>Area editor and network options</source>
        <translation>Редактор поля и сетевые установки</translation>
    </message>
    <message>
        <source>Ship type</source>
        <translation>Тип корабля</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Вращение</translation>
    </message>
    <message>
        <source>Area size</source>
        <translation>Размер поля</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Сгенерировать</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Сменить</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Образец</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Игра по сети</translation>
    </message>
    <message>
        <source>Open the port on the router</source>
        <translation>Открыть порт на роутере</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Save game log to TWLog.txt</source>
        <translation>Сохранять ход игры в файл TWLog.txt</translation>
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
        <translation>Ход игры</translation>
    </message>
</context>
<context>
    <name>GeneratingPanel</name>
    <message>
        <source>Generating ships </source>
        <translation>Расставляю кораблики </translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <comment>the language&apos;s own name</comment>
        <extracomment>The name of the language of this catalogue, in that language: &quot;Deutsch&quot;.</extracomment>
        <translation>Русский</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Your board</source>
        <translation>Ваше поле</translation>
    </message>
    <message>
        <source>Opponent&apos;s board</source>
        <translation>Поле противника</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Tarnwake - player %1</source>
        <translation>Tarnwake - игрок %1</translation>
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
        <translation>--------------------&gt; Новая игра</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Игрок: %1</translation>
    </message>
    <message>
        <source>Opponent: %1</source>
        <translation>Противник: %1</translation>
    </message>
    <message>
        <source>Opponent: computer</source>
        <translation>Противник: компьютер</translation>
    </message>
    <message>
        <source>start</source>
        <extracomment>The log&apos;s line of the moment a match starts.</extracomment>
        <translation>старт</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>the winner is %1</source>
        <translation>победа %1</translation>
    </message>
    <message>
        <source>computer wins</source>
        <translation>победа компьютера</translation>
    </message>
    <message>
        <source>computer: </source>
        <extracomment>Before a shot of the computer in the log: &quot;computer: B4 wrong&quot;.</extracomment>
        <translation>компьютер: </translation>
    </message>
    <message>
        <source>pause</source>
        <translation>пауза</translation>
    </message>
    <message>
        <source>continue</source>
        <extracomment>The log&apos;s line of the moment a pause ends.</extracomment>
        <translation>продолжение</translation>
    </message>
    <message>
        <source>The game is aborted by user.</source>
        <translation>Игра прервана пользователем</translation>
    </message>
</context>
<context>
    <name>MatchAgreement</name>
    <message>
        <source>The user doesn&apos;t ready to game, or area sizes miscoincide.</source>
        <translation>Пользователь, которому вы отправили запрос, еще не готов к игре или несовпадают размеры полей.</translation>
    </message>
    <message>
        <source>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</source>
        <translation>Игрок %1 приглашает вас к игре. В данный момент вы готовы приступить к ней. Начать игру?</translation>
    </message>
</context>
<context>
    <name>MatchController</name>
    <message>
        <source>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</source>
        <translation>Недозаполненность поля битвы. Используйте специальную утилиту Game Editor, располагающуюся где-то на экране.</translation>
    </message>
    <message>
        <source>Enter the player name by pressing the &quot;Player&quot; button!</source>
        <translation>Введите имя посредством кнопки &quot;Игрок&quot;!</translation>
    </message>
    <message>
        <source>Do you want to abort the game?</source>
        <translation>Хотите ли закончить игру?</translation>
    </message>
</context>
<context>
    <name>MatchLog</name>
    <message>
        <source>wrong</source>
        <extracomment>A shot&apos;s outcome in the log: a miss.</extracomment>
        <translation>мимо</translation>
    </message>
    <message>
        <source>bingo</source>
        <extracomment>A shot&apos;s outcome in the log: a hit.</extracomment>
        <translation>попадание</translation>
    </message>
    <message>
        <source>ship destroyed</source>
        <translation>корабль уничтожен</translation>
    </message>
    <message>
        <source>Game time: %1</source>
        <translation>Общее время игры: %1</translation>
    </message>
    <message>
        <source>Ships placing of %1: </source>
        <extracomment>Above the rows of a board in the log, %1 the player&apos;s name.</extracomment>
        <translation>Расстановка кораблей %1: </translation>
    </message>
    <message>
        <source>Ships placing of computer: </source>
        <translation>Расстановка кораблей компьютера: </translation>
    </message>
</context>
<context>
    <name>NetPlay</name>
    <message>
        <source>The player %1 is finished game. You must abort game too.</source>
        <translation>Игрок %1 закончил игру. Вам необходимо выйти из игрового режима, т.к. игра далее не имеет смысла</translation>
    </message>
</context>
<context>
    <name>OwnAddress</name>
    <message>
        <source>Behind another NAT: %1</source>
        <translation>За вторым NAT: %1</translation>
    </message>
    <message>
        <source>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</source>
        <translation>Ваш роутер сам стоит за другим роутером (провайдера), и из интернета этот адрес недоступен. Пусть адрес даст ваш друг: достаточно, чтобы доступна была одна сторона.</translation>
    </message>
    <message>
        <source>The game&apos;s port is taken on your router; it gave this one instead.</source>
        <translation>Порт игры на роутере занят; роутер дал вместо него этот.</translation>
    </message>
    <message>
        <source>Your address: %1</source>
        <translation>Ваш адрес: %1</translation>
    </message>
    <message>
        <source>This computer&apos;s own internet (IPv6) address.</source>
        <translation>Собственный интернет-адрес (IPv6) этого компьютера.</translation>
    </message>
    <message>
        <source>Opening the port is off</source>
        <translation>Открытие порта выключено</translation>
    </message>
    <message>
        <source>Your address: asking the router...</source>
        <translation>Ваш адрес: спрашиваем роутер...</translation>
    </message>
    <message>
        <source>Your port on the router: %1</source>
        <translation>Ваш порт на роутере: %1</translation>
    </message>
    <message>
        <source>The router did not tell its address.</source>
        <translation>Роутер не сообщил свой адрес.</translation>
    </message>
    <message>
        <source>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</source>
        <translation>Друг всё равно сможет играть с вами, если его роутер откроет порт: подключитесь к нему сами.</translation>
    </message>
    <message>
        <source>No router answered: no port opened</source>
        <translation>Роутер не ответил: порт не открыт</translation>
    </message>
    <message>
        <source>The router&apos;s ports are all taken</source>
        <translation>Все порты роутера заняты</translation>
    </message>
    <message>
        <source>The router refused to open the port</source>
        <translation>Роутер отказался открыть порт</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program</source>
        <translation>Порт %1 занят другой программой</translation>
    </message>
    <message>
        <source>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</source>
        <translation>Другая программа на этом компьютере уже использует TCP-порт %1, поэтому к игре никто не подключится, и роутер не просят его открыть. Закройте ту программу: игра займёт порт, как только он освободится. Или введите другой порт и подключитесь.</translation>
    </message>
    <message>
        <source>The game cannot listen on port %1</source>
        <translation>Игра не может принимать подключения на порту %1</translation>
    </message>
    <message>
        <source>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</source>
        <translation>Порты ниже 1024 система оставляет себе. Введите порт от 1024 до 65535 и подключитесь.</translation>
    </message>
</context>
<context>
    <name>PeerConnection</name>
    <message>
        <source>connection established: %1</source>
        <translation>успешное подключение: %1</translation>
    </message>
    <message>
        <source>server init: Ok</source>
        <translation>инициализация сервера: Ок</translation>
    </message>
    <message>
        <source>server error!</source>
        <translation>ошибка сервера!</translation>
    </message>
    <message>
        <source>connection error!</source>
        <translation>ошибка подключения!</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>нет подключения</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, ours</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; this side&apos;s connection carries both ways.</extracomment>
        <translation>Ваш супостат: %1 (поле: %2) - одно соединение, наше</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, theirs</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; the peer&apos;s connection carries both ways.</extracomment>
        <translation>Ваш супостат: %1 (поле: %2) - одно соединение, их</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2)</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size.</extracomment>
        <translation>Ваш супостат: %1 (поле: %2)</translation>
    </message>
    <message>
        <source>The port must be from 1 to 65535</source>
        <translation>Порт должен быть от 1 до 65535</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>Это не адрес: %1</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Do you want to remove selected users?</source>
        <translation>Удалить выделенных пользователей?</translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation>Введите свое имя</translation>
    </message>
    <message>
        <source>Remove selected users</source>
        <translation>Удалить выделенных пользователей</translation>
    </message>
</context>
<context>
    <name>Remarks</name>
    <message>
        <source>It&apos;s not your day, %1.</source>
        <translation>Не везет вам нынче, %1.</translation>
    </message>
    <message>
        <source>%1, you should sleep for a some time.</source>
        <translation>%1, вам следует поспать. Это ж надо - компьютеру в морской бой продуть.</translation>
    </message>
    <message>
        <source>What&apos;s the hell, %1? How you did this?</source>
        <translation>Что такое, %1? Как так можно?</translation>
    </message>
    <message>
        <source>Aaaaargh, %1...</source>
        <translation>Зачем вы, %1, морской бой любите...</translation>
    </message>
    <message>
        <source>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</source>
        <translation>Вы смотрели фильм &quot;Матрица&quot;, %1? Ничего не напоминает?</translation>
    </message>
    <message>
        <source>The Terminator waiting for you, %1.</source>
        <translation>Однако, %1, фантазии насчет Терминаторов не так уж и безобидны.</translation>
    </message>
    <message>
        <source>You shouldn&apos;t try to save all people on Earth, %1.</source>
        <translation>А если бы, %1, от этой игры зависела судьба человечества?</translation>
    </message>
    <message>
        <source>The author (me) tells you, %1: I loose my game so much...</source>
        <translation>Я (автор) признаюсь вам, %1: я проигрывал своей программе несчетное количество раз. Что делается...</translation>
    </message>
    <message>
        <source>I created most complicated AI, %1!</source>
        <translation>Однако, %1, и алгоритм я создал!</translation>
    </message>
    <message>
        <source>Sorry, %1, but...</source>
        <translation>Искренне сожалею, %1, однако ничем помочь... Искусственный интеллект на высоте!</translation>
    </message>
    <message>
        <source>Yes, %1, you won.</source>
        <translation>Да, %1, вы выиграли. Что ж такого?</translation>
    </message>
    <message>
        <source>Better you play with Vostrikel, %1.</source>
        <translation>%1,  да вам с Вострикелем играть.</translation>
    </message>
    <message>
        <source>Don&apos;t celebrate much, %1. I&apos;ll survive.</source>
        <translation>Не обольщайтесь, %1. Я еще свое возьму.</translation>
    </message>
    <message>
        <source>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</source>
        <translation>Подумаешь, %1, морской бой... Вы в Quake сыграйте - тогда посмотрим...</translation>
    </message>
    <message>
        <source>Change area size to a 15, %1, and let&apos;s play!</source>
        <translation>Давайте сыграем, %1, на поле размерами побольше?</translation>
    </message>
    <message>
        <source>Isn&apos;t my music bores you, %1?</source>
        <translation>Неужели, %1, моя надоедливая музыка вас с толку не сбивает?</translation>
    </message>
    <message>
        <source>I can format your HDD, %1!!!</source>
        <translation>Сейчас свяжусь через ваш компьютер, %1, автору пожалуюсь, а потом диск отформатирую!</translation>
    </message>
    <message>
        <source>Don&apos;t hurt me, %1...</source>
        <translation>Не злите меня, %1...</translation>
    </message>
    <message>
        <source>It was a small bug, %1, let&apos;s play again!</source>
        <translation>Да у меня просто память заело, %1, давайте еще сыграем, так нечестно!</translation>
    </message>
    <message>
        <source>Your computer needs an upgrade, %1.</source>
        <translation>Вашему компьютеру, %1, нужен upgrade. Не хватает мощности процессора.</translation>
    </message>
    <message>
        <source>The %1 wins this game. You should practice with me. :)</source>
        <translation>К сожалению, %1 вас надул. Лучше бы вы поиграли со мною. :)</translation>
    </message>
    <message>
        <source>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</source>
        <translation>Вы выиграли эту партию у %1. Вот попробуйте со мной, искусственным интеллектом сыграть - тогда посмотрим...</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Most winner: </source>
        <translation>Больше всего побед: </translation>
    </message>
    <message>
        <source>Most looser: </source>
        <translation>Больше всего проигрышей: </translation>
    </message>
    <message>
        <source>The longest battle: </source>
        <translation>Самая длинная схватка: </translation>
    </message>
    <message>
        <source>The shortest battle: </source>
        <translation>Самая короткая схватка: </translation>
    </message>
    <message>
        <source>Top score: </source>
        <translation>Больше всего очков: </translation>
    </message>
    <message>
        <source> - last game: </source>
        <extracomment>Between a player&apos;s name and the date of the player&apos;s last game.</extracomment>
        <translation> - последняя игра: </translation>
    </message>
    <message>
        <source>, overall skill: </source>
        <extracomment>Between the date of a player&apos;s last game and the difference of wins and losses.</extracomment>
        <translation>, общий рейтинг: </translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Our great winners</source>
        <translation>Наши победители</translation>
    </message>
</context>
<context>
    <name>WaitingDialog</name>
    <message>
        <source>Waiting confirmation from opponent side...</source>
        <translation>Ожидание подтверждения на начало игры...</translation>
    </message>
    <message>
        <source>Waiting confirmation</source>
        <translation>Ожидание подтверждения</translation>
    </message>
</context>
</TS>
