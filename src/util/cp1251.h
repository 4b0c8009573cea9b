// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1251, the single-byte code page of every name and text the game
// stores in its files or sends to a peer. A character outside it must never
// reach a file or the wire: callers either filter with keepCp1251() or let
// toCp1251() drop such characters.

namespace tw {

// True when Windows-1251 holds the character. Surrogates (halves of
// characters beyond the Basic Multilingual Plane) are never held.
bool isCp1251Char(QChar c);

// The text without the characters Windows-1251 cannot hold.
QString keepCp1251(QString text);

// One byte per character; characters Windows-1251 cannot hold are dropped,
// so the result has exactly keepCp1251(text).size() bytes.
QByteArray toCp1251(QStringView text);

// Every byte decodes to exactly one character.
QString fromCp1251(QByteArrayView bytes);

} // namespace tw
