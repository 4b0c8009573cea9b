// SPDX-License-Identifier: GPL-3.0-or-later
// The end remarks, word for word, in both languages.
#include "common/gamestateaccess.h"
#include "match_fixture.h"

#include <set>

using namespace tw;

namespace {

struct Pair
{
    const char *english;
    const char *russian;
};

// Lost: k = 1..10, English then Russian.
const Pair Lost[10] = {
    {"It's not your day, Ivan.", "Не везет вам нынче, Ivan."},
    {"Ivan, you should sleep for a some time.",
     "Ivan, вам следует поспать. Это ж надо - компьютеру в морской бой продуть."},
    {"What's the hell, Ivan? How you did this?", "Что такое, Ivan? Как так можно?"},
    {"Aaaaargh, Ivan...", "Зачем вы, Ivan, морской бой любите..."},
    {"Did you see the \"Matrix\" movie, Ivan? Don't you remember?",
     "Вы смотрели фильм \"Матрица\", Ivan? Ничего не напоминает?"},
    {"The Terminator waiting for you, Ivan.",
     "Однако, Ivan, фантазии насчет Терминаторов не так уж и безобидны."},
    {"You shouldn't try to save all people on Earth, Ivan.",
     "А если бы, Ivan, от этой игры зависела судьба человечества?"},
    {"The author (me) tells you, Ivan: I loose my game so much...",
     "Я (автор) признаюсь вам, Ivan: я проигрывал своей программе несчетное количество раз. Что "
     "делается..."},
    {"I created most complicated AI, Ivan!", "Однако, Ivan, и алгоритм я создал!"},
    {"Sorry, Ivan, but...",
     "Искренне сожалею, Ivan, однако ничем помочь... Искусственный интеллект на высоте!"},
};

// Won: k = 1..10, English then Russian.
const Pair Won[10] = {
    {"Yes, Ivan, you won.", "Да, Ivan, вы выиграли. Что ж такого?"},
    {"Better you play with Vostrikel, Ivan.", "Ivan,  да вам с Вострикелем играть."},
    {"Don't celebrate much, Ivan. I'll survive.", "Не обольщайтесь, Ivan. Я еще свое возьму."},
    {"The Tarnwake isn't a hard game, Ivan. Try to play Quake.",
     "Подумаешь, Ivan, морской бой... Вы в Quake сыграйте - тогда посмотрим..."},
    {"Change area size to a 15, Ivan, and let's play!",
     "Давайте сыграем, Ivan, на поле размерами побольше?"},
    {"Isn't my music bores you, Ivan?",
     "Неужели, Ivan, моя надоедливая музыка вас с толку не сбивает?"},
    {"I can format your HDD, Ivan!!!",
     "Сейчас свяжусь через ваш компьютер, Ivan, автору пожалуюсь, а потом диск отформатирую!"},
    {"Don't hurt me, Ivan...", "Не злите меня, Ivan..."},
    {"It was a small bug, Ivan, let's play again!",
     "Да у меня просто память заело, Ivan, давайте еще сыграем, так нечестно!"},
    {"Your computer needs an upgrade, Ivan.",
     "Вашему компьютеру, Ivan, нужен upgrade. Не хватает мощности процессора."},
};

class Remarks : public MatchTest
{
protected:
    void SetUp() override
    {
        MatchTest::SetUp();
        game.settings().playerName = QStringLiteral("Ivan");
        matchOf(game).opponentName = QStringLiteral("Vasya");
    }

    QString remarkFor(bool won) { return won ? match.winRemark() : match.lossRemark(); }
};

TEST_F(Remarks, EveryRowOfBothTablesInBothLanguages)
{
    // The row is k = randInt(10) + 1; the seeds are tried until every row
    // has come up.
    for (bool won : {false, true})
        for (bool english : {true, false}) {
            SCOPED_TRACE(testing::Message() << (won ? "won" : "lost") << " english " << english);
            setEnglish(english);
            std::set<int> rows;
            for (std::uint32_t seed = 0; seed < 1000 && rows.size() < 10; ++seed) {
                random.seed(seed);
                Random draws = random;
                const int k = draws.randInt(10) + 1;
                const Pair &expected = (won ? Won : Lost)[k - 1];
                EXPECT_EQ(remarkFor(won), utf8(english ? expected.english : expected.russian))
                    << "row " << k;
                rows.insert(k);
            }
            EXPECT_EQ(rows.size(), 10u);
        }
}

TEST_F(Remarks, NetworkRemarksNameThePeerAndStillDrawARow)
{
    struct Case
    {
        bool won;
        bool english;
        const char *remark;
    };
    const Case cases[] = {
        {false, true, "The Vasya wins this game. You should practice with me. :)"},
        {false, false, "К сожалению, Vasya вас надул. Лучше бы вы поиграли со мною. :)"},
        {true, true, "Vasya defeated by you! Try to play with me - I'm much harder. :-)"},
        {true, false,
         "Вы выиграли эту партию у Vasya. Вот попробуйте со мной, искусственным интеллектом "
         "сыграть - тогда посмотрим..."},
    };
    host.linked = true;
    match.chooseOpponent();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.remark);
        setEnglish(c.english);
        random.seed(9);
        Random draws = random;
        draws.randInt(10);
        EXPECT_EQ(remarkFor(c.won), utf8(c.remark));
        EXPECT_EQ(random.randInt(1000), draws.randInt(1000));
    }
}

} // namespace
