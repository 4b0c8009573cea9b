// SPDX-License-Identifier: GPL-3.0-or-later
#include "remarks.h"

#include "gamestate.h"

namespace tw {

namespace {

struct RemarkRow
{
    const char *englishPrefix;
    const char *englishSuffix;
    const char *russianPrefix;
    const char *russianSuffix;
};

const RemarkRow LossRemarks[10] = {
    {"It's not your day, ", ".", "Не везет вам нынче, ", "."},
    {"", ", you should sleep for a some time.", "",
     ", вам следует поспать. Это ж надо - компьютеру в морской бой продуть."},
    {"What's the hell, ", "? How you did this?", "Что такое, ", "? Как так можно?"},
    {"Aaaaargh, ", "...", "Зачем вы, ", ", морской бой любите..."},
    {"Did you see the \"Matrix\" movie, ", "? Don't you remember?",
     "Вы смотрели фильм \"Матрица\", ", "? Ничего не напоминает?"},
    {"The Terminator waiting for you, ", ".", "Однако, ",
     ", фантазии насчет Терминаторов не так уж и безобидны."},
    {"You shouldn't try to save all people on Earth, ", ".", "А если бы, ",
     ", от этой игры зависела судьба человечества?"},
    {"The author (me) tells you, ", ": I loose my game so much...", "Я (автор) признаюсь вам, ",
     ": я проигрывал своей программе несчетное количество раз. Что делается..."},
    {"I created most complicated AI, ", "!", "Однако, ", ", и алгоритм я создал!"},
    {"Sorry, ", ", but...", "Искренне сожалею, ",
     ", однако ничем помочь... Искусственный интеллект на высоте!"},
};

const RemarkRow WinRemarks[10] = {
    {"Yes, ", ", you won.", "Да, ", ", вы выиграли. Что ж такого?"},
    {"Better you play with Vostrikel, ", ".", "", ",  да вам с Вострикелем играть."},
    {"Don't celebrate much, ", ". I'll survive.", "Не обольщайтесь, ", ". Я еще свое возьму."},
    {"The Tarnwake isn't a hard game, ", ". Try to play Quake.", "Подумаешь, ",
     ", морской бой... Вы в Quake сыграйте - тогда посмотрим..."},
    {"Change area size to a 15, ", ", and let's play!", "Давайте сыграем, ",
     ", на поле размерами побольше?"},
    {"Isn't my music bores you, ", "?", "Неужели, ",
     ", моя надоедливая музыка вас с толку не сбивает?"},
    {"I can format your HDD, ", "!!!", "Сейчас свяжусь через ваш компьютер, ",
     ", автору пожалуюсь, а потом диск отформатирую!"},
    {"Don't hurt me, ", "...", "Не злите меня, ", "..."},
    {"It was a small bug, ", ", let's play again!", "Да у меня просто память заело, ",
     ", давайте еще сыграем, так нечестно!"},
    {"Your computer needs an upgrade, ", ".", "Вашему компьютеру, ",
     ", нужен upgrade. Не хватает мощности процессора."},
};

QString remarkFor(const Settings &settings, const RemarkRow &row, const QString &name)
{
    return localized(settings, row.englishPrefix, row.russianPrefix) + name +
           localized(settings, row.englishSuffix, row.russianSuffix);
}

} // namespace

QString computerLossRemark(const Settings &settings, int pick, const QString &playerName)
{
    return remarkFor(settings, LossRemarks[pick - 1], playerName);
}

QString computerWinRemark(const Settings &settings, int pick, const QString &playerName)
{
    return remarkFor(settings, WinRemarks[pick - 1], playerName);
}

QString peerLossRemark(const Settings &settings, const QString &peerName)
{
    return localized(settings, "The ", "К сожалению, ") + peerName +
           localized(settings, " wins this game. You should practice with me. :)",
                     " вас надул. Лучше бы вы поиграли со мною. :)");
}

QString peerWinRemark(const Settings &settings, const QString &peerName)
{
    return settings.englishUi
               ? peerName + QStringLiteral(" defeated by you! Try to play with me - I'm much "
                                           "harder. :-)")
               : QStringLiteral("Вы выиграли эту партию у ") + peerName +
                     QStringLiteral(". Вот попробуйте со мной, искусственным интеллектом "
                                    "сыграть - тогда посмотрим...");
}

} // namespace tw
