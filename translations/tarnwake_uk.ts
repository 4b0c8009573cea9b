<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="en">
<context>
    <name>BoardCell</name>
    <message>
        <source>miss</source>
        <translation>мимо</translation>
    </message>
    <message>
        <source>sunk</source>
        <translation>потоплено</translation>
    </message>
    <message>
        <source>own ship</source>
        <translation>свій корабель</translation>
    </message>
    <message>
        <source>hit</source>
        <translation>поранено</translation>
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
        <translation>Перервати</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Гравець</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Щоденник</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Музика</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Звуки</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Керування</translation>
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
        <translation>Г</translation>
    </message>
    <message>
        <source>C</source>
        <comment>shortcut of Scores</comment>
        <extracomment>The Alt+letter shortcut of the Scores button, a letter of its caption.</extracomment>
        <translation>Щ</translation>
    </message>
    <message>
        <source>B</source>
        <comment>shortcut of About</comment>
        <extracomment>The Alt+letter shortcut of the About button, which has a picture and no caption.</extracomment>
        <translation>B</translation>
    </message>
    <message>
        <source>Your turn lamp, on</source>
        <translation>Лампа вашого ходу, світить</translation>
    </message>
    <message>
        <source>Your turn lamp, off</source>
        <translation>Лампа вашого ходу, не світить</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, on</source>
        <translation>Лампа ходу суперника, світить</translation>
    </message>
    <message>
        <source>Opponent&apos;s turn lamp, off</source>
        <translation>Лампа ходу суперника, не світить</translation>
    </message>
    <message>
        <source>your turn</source>
        <translation>ваш хід</translation>
    </message>
    <message>
        <source>opponent&apos;s turn</source>
        <translation>хід суперника</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>Рахунок %1</translation>
    </message>
    <message>
        <source>Your time</source>
        <extracomment>The accessible name of the player&apos;s clock, the time follows.</extracomment>
        <translation>Ваш час</translation>
    </message>
    <message>
        <source>Opponent&apos;s time</source>
        <extracomment>The accessible name of the opponent&apos;s clock, the time follows.</extracomment>
        <translation>Час суперника</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Previous ship type</source>
        <translation>Попередній тип корабля</translation>
    </message>
    <message>
        <source>Next ship type</source>
        <translation>Наступний тип корабля</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Повернути проти годинникової стрілки</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Повернути за годинниковою стрілкою</translation>
    </message>
    <message>
        <source>Smaller area</source>
        <translation>Менше поле</translation>
    </message>
    <message>
        <source>Larger area</source>
        <translation>Більше поле</translation>
    </message>
    <message>
        <source>Area editor and network options</source>
        <translation>Редактор поля та мережеві налаштування</translation>
    </message>
    <message>
        <source>Ship type</source>
        <translation>Тип корабля</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Обертання</translation>
    </message>
    <message>
        <source>Area size</source>
        <translation>Розмір поля</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистити</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Згенерувати</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Змінити</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Зразок</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Гра через мережу</translation>
    </message>
    <message>
        <source>Open the port on the router</source>
        <translation>Відкрити порт на роутері</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копіювати</translation>
    </message>
    <message>
        <source>Save game log to TWLog.txt</source>
        <translation>Зберігати хід гри у файл TWLog.txt</translation>
    </message>
    <message>
        <source>Host</source>
        <extracomment>The label of the peer&apos;s host name field.</extracomment>
        <translation>Хост</translation>
    </message>
</context>
<context>
    <name>GameLogWindow</name>
    <message>
        <source>Game log</source>
        <translation>Хід гри</translation>
    </message>
</context>
<context>
    <name>GeneratingPanel</name>
    <message>
        <source>Generating ships </source>
        <translation>Розставляю кораблики </translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <comment>the language&apos;s own name</comment>
        <extracomment>The name of the language of this catalogue, in that language: &quot;Deutsch&quot;.</extracomment>
        <translation>Українська</translation>
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
        <translation>Поле суперника</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Користувач</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Комп&apos;ютер</translation>
    </message>
    <message>
        <source>Tarnwake - player %1</source>
        <translation>Tarnwake - гравець %1</translation>
    </message>
    <message>
        <source>Sound system init error</source>
        <translation>Помилка запуску звукової системи</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>--------------------&gt; New game</source>
        <translation>--------------------&gt; Нова гра</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Гравець: %1</translation>
    </message>
    <message>
        <source>Opponent: %1</source>
        <translation>Суперник: %1</translation>
    </message>
    <message>
        <source>Opponent: computer</source>
        <translation>Суперник: комп&apos;ютер</translation>
    </message>
    <message>
        <source>start</source>
        <extracomment>The log&apos;s line of the moment a match starts.</extracomment>
        <translation>старт</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Комп&apos;ютер</translation>
    </message>
    <message>
        <source>the winner is %1</source>
        <translation>перемога %1</translation>
    </message>
    <message>
        <source>computer wins</source>
        <translation>перемога комп&apos;ютера</translation>
    </message>
    <message>
        <source>computer: </source>
        <extracomment>Before a shot of the computer in the log: &quot;computer: B4 wrong&quot;.</extracomment>
        <translation>комп&apos;ютер: </translation>
    </message>
    <message>
        <source>pause</source>
        <translation>пауза</translation>
    </message>
    <message>
        <source>continue</source>
        <extracomment>The log&apos;s line of the moment a pause ends.</extracomment>
        <translation>продовження</translation>
    </message>
    <message>
        <source>The game is aborted by user.</source>
        <translation>Гру перервано користувачем.</translation>
    </message>
</context>
<context>
    <name>MatchAgreement</name>
    <message>
        <source>The user doesn&apos;t ready to game, or area sizes miscoincide.</source>
        <translation>Гравець, якому ви надіслали запит, ще не готовий до гри, або розміри полів не збігаються.</translation>
    </message>
    <message>
        <source>The player %1 inviting you to a new game. At this moment you&apos;re ready to play. Do you want to start game?</source>
        <translation>Гравець %1 запрошує вас до гри. Зараз ви готові до неї. Почати гру?</translation>
    </message>
</context>
<context>
    <name>MatchController</name>
    <message>
        <source>Battle area is empty! Use Game Editor, which is located somewhere on the screen.</source>
        <translation>Поле битви не заповнене. Скористайтеся редактором поля, що розташований десь на екрані.</translation>
    </message>
    <message>
        <source>Enter the player name by pressing the &quot;Player&quot; button!</source>
        <translation>Введіть ім&apos;я за допомогою кнопки «Гравець»!</translation>
    </message>
    <message>
        <source>Do you want to abort the game?</source>
        <translation>Бажаєте перервати гру?</translation>
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
        <translation>влучання</translation>
    </message>
    <message>
        <source>ship destroyed</source>
        <translation>корабель знищено</translation>
    </message>
    <message>
        <source>Game time: %1</source>
        <translation>Загальний час гри: %1</translation>
    </message>
    <message>
        <source>Ships placing of %1: </source>
        <extracomment>Above the rows of a board in the log, %1 the player&apos;s name.</extracomment>
        <translation>Розстановка кораблів %1: </translation>
    </message>
    <message>
        <source>Ships placing of computer: </source>
        <translation>Розстановка кораблів комп&apos;ютера: </translation>
    </message>
</context>
<context>
    <name>NetPlay</name>
    <message>
        <source>The player %1 is finished game. You must abort game too.</source>
        <translation>Гравець %1 завершив гру. Вам теж треба вийти з гри, бо далі вона не має сенсу.</translation>
    </message>
</context>
<context>
    <name>OwnAddress</name>
    <message>
        <source>Behind another NAT: %1</source>
        <translation>За другим NAT: %1</translation>
    </message>
    <message>
        <source>Your router is itself behind another router (your provider&apos;s), so nobody on the internet reaches this address. Let your friend give you theirs: one side that can be reached is enough.</source>
        <translation>Ваш роутер сам стоїть за іншим роутером (провайдера), тож з інтернету ця адреса недоступна. Нехай адресу дасть ваш друг: достатньо, щоб доступна була одна сторона.</translation>
    </message>
    <message>
        <source>The game&apos;s port is taken on your router; it gave this one instead.</source>
        <translation>Порт гри на роутері зайнятий; роутер дав замість нього цей.</translation>
    </message>
    <message>
        <source>Your address: %1</source>
        <translation>Ваша адреса: %1</translation>
    </message>
    <message>
        <source>This computer&apos;s own internet (IPv6) address.</source>
        <translation>Власна інтернет-адреса (IPv6) цього комп&apos;ютера.</translation>
    </message>
    <message>
        <source>Opening the port is off</source>
        <translation>Відкриття порту вимкнено</translation>
    </message>
    <message>
        <source>Your address: asking the router...</source>
        <translation>Ваша адреса: питаємо роутер...</translation>
    </message>
    <message>
        <source>Your port on the router: %1</source>
        <translation>Ваш порт на роутері: %1</translation>
    </message>
    <message>
        <source>The router did not tell its address.</source>
        <translation>Роутер не повідомив свою адресу.</translation>
    </message>
    <message>
        <source>Your friend can still reach you if their router opens its port: give them nothing and connect to them.</source>
        <translation>Друг усе одно зможе грати з вами, якщо його роутер відкриє порт: підключіться до нього самі.</translation>
    </message>
    <message>
        <source>No router answered: no port opened</source>
        <translation>Роутер не відповів: порт не відкрито</translation>
    </message>
    <message>
        <source>The router&apos;s ports are all taken</source>
        <translation>Усі порти роутера зайняті</translation>
    </message>
    <message>
        <source>The router refused to open the port</source>
        <translation>Роутер відмовився відкрити порт</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program</source>
        <translation>Порт %1 зайнятий іншою програмою</translation>
    </message>
    <message>
        <source>Another program on this computer already uses TCP port %1, so nobody can connect to the game and the router is not asked to open it. Close that program: the game takes the port as soon as it is free. Or enter another port and connect.</source>
        <translation>Інша програма на цьому комп&apos;ютері вже використовує TCP-порт %1, тож до гри ніхто не підключиться, і роутер не просять його відкрити. Закрийте ту програму: гра займе порт, щойно він звільниться. Або введіть інший порт і підключіться.</translation>
    </message>
    <message>
        <source>The game cannot listen on port %1</source>
        <translation>Гра не може приймати підключення на порту %1</translation>
    </message>
    <message>
        <source>The system keeps ports below 1024 for itself. Enter a port from 1024 to 65535 and connect.</source>
        <translation>Порти нижче 1024 система залишає собі. Введіть порт від 1024 до 65535 і підключіться.</translation>
    </message>
</context>
<context>
    <name>PeerConnection</name>
    <message>
        <source>connection established: %1</source>
        <translation>успішне підключення: %1</translation>
    </message>
    <message>
        <source>server init: Ok</source>
        <translation>запуск сервера: Ок</translation>
    </message>
    <message>
        <source>server error!</source>
        <translation>помилка сервера!</translation>
    </message>
    <message>
        <source>connection error!</source>
        <translation>помилка підключення!</translation>
    </message>
    <message>
        <source>no connection</source>
        <translation>немає підключення</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, ours</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; this side&apos;s connection carries both ways.</extracomment>
        <translation>Ваш суперник: %1 (поле: %2) - одне з&apos;єднання, наше</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2) - one connection, theirs</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size; the peer&apos;s connection carries both ways.</extracomment>
        <translation>Ваш суперник: %1 (поле: %2) - одне з&apos;єднання, їхнє</translation>
    </message>
    <message>
        <source>Your opponent: %1 (area size: %2)</source>
        <extracomment>%1 the opponent&apos;s name, %2 the area size.</extracomment>
        <translation>Ваш суперник: %1 (поле: %2)</translation>
    </message>
    <message>
        <source>The port must be from 1 to 65535</source>
        <translation>Порт має бути від 1 до 65535</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>Це не адреса: %1</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Do you want to remove selected users?</source>
        <translation>Видалити вибраних користувачів?</translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation>Введіть своє ім&apos;я</translation>
    </message>
    <message>
        <source>Remove selected users</source>
        <translation>Видалити вибраних користувачів</translation>
    </message>
</context>
<context>
    <name>Remarks</name>
    <message>
        <source>It&apos;s not your day, %1.</source>
        <translation>Не щастить вам сьогодні, %1.</translation>
    </message>
    <message>
        <source>%1, you should sleep for a some time.</source>
        <translation>%1, вам варто поспати. Це ж треба – комп&apos;ютеру в морський бій програти.</translation>
    </message>
    <message>
        <source>What&apos;s the hell, %1? How you did this?</source>
        <translation>Що таке, %1? Як так можна?</translation>
    </message>
    <message>
        <source>Aaaaargh, %1...</source>
        <translation>Ааааах, %1...</translation>
    </message>
    <message>
        <source>Did you see the &quot;Matrix&quot; movie, %1? Don&apos;t you remember?</source>
        <translation>Ви дивилися фільм «Матриця», %1? Нічого не нагадує?</translation>
    </message>
    <message>
        <source>The Terminator waiting for you, %1.</source>
        <translation>Термінатор чекає на вас, %1.</translation>
    </message>
    <message>
        <source>You shouldn&apos;t try to save all people on Earth, %1.</source>
        <translation>А якби, %1, від цієї гри залежала доля людства?</translation>
    </message>
    <message>
        <source>The author (me) tells you, %1: I loose my game so much...</source>
        <translation>Я (автор) зізнаюся вам, %1: я програвав своїй програмі безліч разів. Що робиться...</translation>
    </message>
    <message>
        <source>I created most complicated AI, %1!</source>
        <translation>Оце так, %1, алгоритм я створив!</translation>
    </message>
    <message>
        <source>Sorry, %1, but...</source>
        <translation>Щиро співчуваю, %1, але нічим допомогти... Штучний інтелект на висоті!</translation>
    </message>
    <message>
        <source>Yes, %1, you won.</source>
        <translation>Так, %1, ви виграли. То й що?</translation>
    </message>
    <message>
        <source>Better you play with Vostrikel, %1.</source>
        <translation>%1, вам би з Вострикелем грати.</translation>
    </message>
    <message>
        <source>Don&apos;t celebrate much, %1. I&apos;ll survive.</source>
        <translation>Не тіштеся, %1. Я ще своє візьму.</translation>
    </message>
    <message>
        <source>The Tarnwake isn&apos;t a hard game, %1. Try to play Quake.</source>
        <translation>Подумаєш, %1, морський бій... Ви в Quake зіграйте – тоді побачимо...</translation>
    </message>
    <message>
        <source>Change area size to a 15, %1, and let&apos;s play!</source>
        <translation>Давайте зіграємо, %1, на більшому полі?</translation>
    </message>
    <message>
        <source>Isn&apos;t my music bores you, %1?</source>
        <translation>Невже, %1, моя набридлива музика вас не збиває з пантелику?</translation>
    </message>
    <message>
        <source>I can format your HDD, %1!!!</source>
        <translation>Зараз зв&apos;яжуся через ваш комп&apos;ютер, %1, поскаржуся авторові, а потім диск відформатую!</translation>
    </message>
    <message>
        <source>Don&apos;t hurt me, %1...</source>
        <translation>Не зліть мене, %1...</translation>
    </message>
    <message>
        <source>It was a small bug, %1, let&apos;s play again!</source>
        <translation>Та в мене просто пам&apos;ять заїло, %1, давайте ще зіграємо, так нечесно!</translation>
    </message>
    <message>
        <source>Your computer needs an upgrade, %1.</source>
        <translation>Вашому комп&apos;ютеру, %1, потрібен upgrade. Бракує потужності процесора.</translation>
    </message>
    <message>
        <source>The %1 wins this game. You should practice with me. :)</source>
        <translation>На жаль, %1 вас обдурив. Краще б ви пограли зі мною. :)</translation>
    </message>
    <message>
        <source>%1 defeated by you! Try to play with me - I&apos;m much harder. :-)</source>
        <translation>Ви виграли цю партію у %1. А спробуйте зі мною, штучним інтелектом, зіграти – тоді побачимо...</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Most winner: </source>
        <translation>Найбільше перемог: </translation>
    </message>
    <message>
        <source>Most looser: </source>
        <translation>Найбільше поразок: </translation>
    </message>
    <message>
        <source>The longest battle: </source>
        <translation>Найдовша сутичка: </translation>
    </message>
    <message>
        <source>The shortest battle: </source>
        <translation>Найкоротша сутичка: </translation>
    </message>
    <message>
        <source>Top score: </source>
        <translation>Найбільше очок: </translation>
    </message>
    <message>
        <source> - last game: </source>
        <extracomment>Between a player&apos;s name and the date of the player&apos;s last game.</extracomment>
        <translation> - остання гра: </translation>
    </message>
    <message>
        <source>, overall skill: </source>
        <extracomment>Between the date of a player&apos;s last game and the difference of wins and losses.</extracomment>
        <translation>, загальний рейтинг: </translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <source>Our great winners</source>
        <translation>Наші переможці</translation>
    </message>
</context>
<context>
    <name>WaitingDialog</name>
    <message>
        <source>Waiting confirmation from opponent side...</source>
        <translation>Очікування підтвердження початку гри...</translation>
    </message>
    <message>
        <source>Waiting confirmation</source>
        <translation>Очікування підтвердження</translation>
    </message>
</context>
</TS>
