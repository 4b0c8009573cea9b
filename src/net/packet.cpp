// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/packet.h"

#include "util/cp1251.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tw {

namespace {

// Where a scan of the fields from a cut's start stands. A field starts with
// its first byte whatever it is, so the search for the "|" closing a field
// begins one byte after the field's start (or later, where an earlier scan of
// the same field stopped).
struct CutScan
{
    qsizetype fieldStart = 0; // start of the field being taken
    qsizetype searchFrom = 0; // where the search for its closing "|" goes on
    int fieldsTaken = 0;      // fields completed before it
};

qsizetype indexOfSeparator(QByteArrayView text, qsizetype from)
{
    if (from >= text.size())
        return -1;
    const void *hit = std::memchr(text.data() + from, kFieldSeparator,
                                  static_cast<std::size_t>(text.size() - from));
    return hit ? static_cast<const char *>(hit) - text.data() : -1;
}

// Runs the cutting rule from scan on. Returns true when the cut closed: it
// took its eighth field or an end field, together with the "|" after it; then
// scan.fieldStart is the end of the text taken. Returns false when the text
// ran out first, since more text could still change the cut (a last field
// "TWKENDP" may go on as "TWKENDPoint"); then scan says where to go on.
bool scanCut(QByteArrayView text, CutScan &scan)
{
    const qsizetype size = text.size();
    while (scan.fieldStart < size) {
        const qsizetype from = std::max(scan.searchFrom, scan.fieldStart + 1);
        const qsizetype bar = indexOfSeparator(text, from);
        if (bar < 0) {
            scan.searchFrom = size;
            return false;
        }
        ++scan.fieldsTaken;
        const bool endField = text.sliced(scan.fieldStart, bar - scan.fieldStart) == kPacketEnd;
        scan.fieldStart = bar + 1;
        scan.searchFrom = scan.fieldStart;
        if (endField || scan.fieldsTaken == kMaxPacketFields)
            return true;
    }
    return false;
}

// Copies bytes into a slot without giving up the slot's allocation, so the
// fields of a stream of packets cost no allocations once warmed up.
void assignBytes(QByteArray &slot, QByteArrayView bytes)
{
    slot.resize(bytes.size());
    if (!bytes.isEmpty())
        std::memcpy(slot.data(), bytes.data(), static_cast<std::size_t>(bytes.size()));
}

bool startsWithBeginField(QByteArrayView rest)
{
    return rest.size() > kPacketBegin.size() && rest.startsWith(kPacketBegin) &&
           rest[kPacketBegin.size()] == kFieldSeparator;
}

// A field must neither hold "|" nor be empty: either would shift the fields
// of this packet and let it swallow the packets after it.
QByteArray textField(QStringView text)
{
    QByteArray bytes = toCp1251(text);
    bytes.replace(kFieldSeparator, ' ');
    if (bytes.isEmpty())
        bytes = " ";
    return bytes;
}

QByteArray nameAndNumberBody(char type, QStringView playerName, int number)
{
    Q_ASSERT(number >= 0);
    QByteArray body = makePacketHead(type);
    body += textField(playerName);
    body += kFieldSeparator;
    body += QByteArray::number(number);
    return body;
}

QByteArray coordinatesBody(char type, int column, int row)
{
    Q_ASSERT(column >= 0 && row >= 0);
    QByteArray body = makePacketHead(type);
    body += QByteArray::number(column);
    body += kFieldSeparator;
    body += QByteArray::number(row);
    return body;
}

} // namespace

void PacketFields::clear()
{
    for (QByteArray &s : m_slots)
        s.resize(0);
}

QByteArray makePacketHead(char type)
{
    QByteArray head;
    head.reserve(kPacketBegin.size() + 3);
    head.append(kPacketBegin);
    head += kFieldSeparator;
    head += type;
    head += kFieldSeparator;
    return head;
}

char parsePacket(QByteArrayView text, qsizetype &offset, PacketFields &fields)
{
    const qsizetype size = text.size();
    if (offset >= size)
        return kNoPacket;
    int slot = 1;
    QByteArrayView field;
    do {
        const qsizetype start = offset;
        const qsizetype bar = indexOfSeparator(text, start + 1);
        const qsizetype end = bar < 0 ? size : bar;
        field = text.sliced(start, end - start);
        assignBytes(fields.slot(slot), field);
        ++slot;
        offset = bar < 0 ? size : bar + 1;
    } while (offset < size && slot <= kMaxPacketFields && field != kPacketEnd);

    if (slot > 2 && fields.slot(1) == kPacketBegin && !fields.slot(2).isEmpty())
        return fields.slot(2).front();
    return kNoPacket;
}

char parsePacket(QByteArray &buffer, PacketFields &fields)
{
    qsizetype offset = 0;
    const char type = parsePacket(QByteArrayView(buffer), offset, fields);
    buffer.remove(0, offset);
    return type;
}

PacketReader::PacketReader(qsizetype pendingLimit) : m_pendingLimit(pendingLimit) {}

void PacketReader::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_offset > 0) {
        m_buffer.remove(0, m_offset);
        m_resumeFieldStart -= m_offset;
        m_resumeSearchFrom -= m_offset;
        m_offset = 0;
    }
    m_buffer.append(bytes);
}

char PacketReader::next(PacketFields &fields)
{
    for (;;) {
        const QByteArrayView text(m_buffer);
        const QByteArrayView rest = text.sliced(m_offset);
        if (rest.isEmpty()) {
            dropHeld();
            return kNoPacket;
        }

        if (!startsWithBeginField(rest)) {
            if (rest.size() <= kPacketBegin.size() && kPacketBegin.startsWith(rest)) {
                keepPending();
                return kNoPacket;
            }
            // No packet: skip the text the cut takes, or drop the rest when the
            // cut runs out before it closes.
            CutScan scan{m_offset, m_offset, 0};
            if (!scanCut(text, scan)) {
                dropHeld();
                return kNoPacket;
            }
            m_offset = scan.fieldStart;
            continue;
        }

        CutScan scan{m_offset, m_offset, 0};
        if (m_resumeValid)
            scan = {m_resumeFieldStart, m_resumeSearchFrom, m_resumeFieldsTaken};
        if (!scanCut(text, scan)) {
            m_resumeValid = true;
            m_resumeFieldStart = scan.fieldStart;
            m_resumeSearchFrom = scan.searchFrom;
            m_resumeFieldsTaken = scan.fieldsTaken;
            keepPending();
            return kNoPacket;
        }

        fields.clear();
        qsizetype offset = m_offset;
        const char type = parsePacket(text, offset, fields);
        Q_ASSERT(offset == scan.fieldStart);
        m_offset = scan.fieldStart;
        m_resumeValid = false;
        // A type field that begins with "|" (the type was left empty) makes
        // no packet; go on, for kNoPacket must mean nothing is left.
        if (type != kNoPacket)
            return type;
    }
}

void PacketReader::keepPending()
{
    if (heldBytes() > m_pendingLimit)
        dropHeld();
}

void PacketReader::dropHeld()
{
    // Keep the allocation for the next read unless one huge read left it big.
    if (m_buffer.capacity() > 4 * std::max(m_pendingLimit, kDefaultPendingLimit))
        m_buffer = QByteArray();
    else
        m_buffer.resize(0);
    m_offset = 0;
    m_resumeValid = false;
}

void PacketReader::clear()
{
    dropHeld();
}

std::optional<int> decimalField(QByteArrayView field)
{
    constexpr qsizetype maxDigits = std::numeric_limits<int>::digits10 + 1;
    // No leading zeros, as the grammar says: no writer sends them, and a
    // number read two ways ("R09001" as 9001 here, as an error or octal
    // elsewhere) is a number two sides may disagree on.
    if (field.isEmpty() || field.size() > maxDigits || (field.size() > 1 && field[0] == '0'))
        return std::nullopt;
    qint64 value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QByteArray makeConnectionInvite(QStringView playerName, int areaSize)
{
    return nameAndNumberBody(PacketType::ConnectionInvite, playerName, areaSize);
}

QByteArray makeConnectionInvite(QStringView playerName, int areaSize, quint16 returnPort)
{
    Q_ASSERT(returnPort != 0);
    return makeConnectionInvite(playerName, areaSize) + kFieldSeparator + 'R' +
           QByteArray::number(returnPort);
}

std::optional<quint16> returnPortField(QByteArrayView field)
{
    if (!field.startsWith('R'))
        return std::nullopt;
    const std::optional<int> port = decimalField(field.sliced(1));
    if (!port || *port < 1 || *port > 65535)
        return std::nullopt;
    return static_cast<quint16>(*port);
}

QByteArray makeUserInfoChange(QStringView playerName, int areaSize)
{
    return nameAndNumberBody(PacketType::UserInfoChange, playerName, areaSize);
}

QByteArray makeAreaData(QStringView playerName, int areaSize, QStringView boardText, bool accepted,
                        char startDigit)
{
    QByteArray body = nameAndNumberBody(PacketType::AreaData, playerName, areaSize);
    body += kFieldSeparator;
    body += textField(boardText);
    body += kFieldSeparator;
    body += accepted ? 'Y' : 'N';
    body += kFieldSeparator;
    // A start digit handed back from a malformed invitation may be the "|"
    // that began its field.
    body += startDigit == kFieldSeparator ? ' ' : startDigit;
    return body;
}

QByteArray makeInvitation(QStringView playerName, int areaSize, QStringView boardText)
{
    QByteArray body = makeAreaData(playerName, areaSize, boardText, true, '1');
    body.chop(1);
    body += kTossingInvitationStart;
    return body;
}

QByteArray makeGameAborted(QStringView playerName, int areaSize)
{
    return nameAndNumberBody(PacketType::gameAborted, playerName, areaSize);
}

QByteArray makeShotData(int column, int row)
{
    return coordinatesBody(PacketType::ShotData, column, row);
}

QByteArray makeTargetCoords(int column, int row)
{
    return coordinatesBody(PacketType::TargetCoords, column, row);
}

QByteArray makeChatMessage(QStringView playerName, QStringView text)
{
    QByteArray body = makePacketHead(PacketType::ChatMsg);
    body += textField(playerName);
    body += kFieldSeparator;
    body += textField(text);
    return body;
}

void sendPacket(PacketSink &sink, const QByteArray &body)
{
    if (!sink.isActive())
        return;
    QByteArray packet;
    packet.reserve(body.size() + kPacketEnd.size() + 2);
    packet += body;
    packet += kFieldSeparator;
    packet.append(kPacketEnd);
    packet += kFieldSeparator;
    sink.write(packet);
}

} // namespace tw
