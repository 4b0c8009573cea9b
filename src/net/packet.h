// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Packet framing of the peer protocol.
//
// Two running copies of the game talk over TCP with short text packets. Each
// TCP connection carries packets one way only: a program sends through the
// connection it opened and reads from the connections it accepted.
//
// Wire grammar (bytes; text fields are Windows-1251, one byte a character):
//
//   packet      = begin-field "|" type "|" *5( payload "|" ) end-field "|"
//   begin-field = "TWKBEGP" protocol          ; "TWKBEGP3", no separator inside
//   protocol    = "3"
//   type        = "C" / "U" / "P" / "A" / "S" / "T" / "M"
//   end-field   = "TWKENDP"
//   payload     = 1*( %x00-7B / %x7D-FF )     ; any byte but "|", never empty
//   number      = "0" / %x31-39 *DIGIT        ; decimal, no sign, no leading 0;
//                                             ; read as strictly as written
//
// No length prefix, line end, checksum or escaping. A packet holds at most 8
// fields counting begin, type and end field, so at most 5 payload fields.
//
//   type  name                   payload fields, in order
//   C     connection invite      player name; area size (this program adds
//                                "R" and the port to connect back to, e.g.
//                                "R8171")
//   U     user info change       player name; area size
//   P     area data              player name; area size; board text (225
//                                letters); answer "Y"/"N"; start digit "0"/"1"
//                                ("1T" in this program's own invitations)
//   A     game aborted           player name; area size
//   S     shot data              column; row (0-based)
//   T     target coords          column; row (0-based)
//   M     chat msg               player name; message text
//
// Examples, byte for byte:
//
//   TWKBEGP3|C|Ann|10|TWKENDP|      Ann connects with a 10 by 10 area
//   TWKBEGP3|C|Ann|10|R8171|TWKENDP|
//                                   the same from this program, whose port
//                                   on Ann's router is 8171
//   TWKBEGP3|S|3|7|TWKENDP|         a shot at column 4, row H
//   TWKBEGP3|P|Ann|10|<225 letters of the board>|Y|1|TWKENDP|
//                                   Ann accepts an invitation and fires first
//   TWKBEGP3|P|Ann|10|<225 letters of the board>|Y|1T|TWKENDP|
//                                   Ann invites to a match
//
// The start field of an invitation is "1" and means nothing more to its
// receiver, which reads only whether the field is exactly "0", and hands back
// its first character when it refuses. This program puts the marker "T" after
// the "1": it tells a receiver that is this program that the sender settles
// crossing invitations by the toss (see NetPlay). Any other peer sees a plain
// invitation, and its refusal carries the "1" back. In the same way another
// peer reads only the first two payload fields of a connection invite, and
// never sees the return port this program adds as a third.
//
// Cutting rule (parsePacket): a call takes fields off the front of the text
// until it has taken 8, or has taken a field equal to "TWKENDP", or the text
// runs out. A field is the first byte, whatever it is ("|" included), and the
// bytes up to the next "|"; the "|" after a field is consumed with it. The
// fields taken form a packet when the first is exactly "TWKBEGP3" and a type
// field was taken; the type is the first byte of the type field. Text that is
// no packet is dropped with the fields it spans, so text in front of a packet
// in the same stretch swallows it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace tw {

inline constexpr QByteArrayView kPacketBegin = "TWKBEGP3";
inline constexpr QByteArrayView kPacketEnd = "TWKENDP";
inline constexpr char kFieldSeparator = '|';
// parsePacket's result when it found no packet. No packet type uses it.
inline constexpr char kNoPacket = '|';
inline constexpr int kMaxPacketFields = 8;

static_assert(kPacketBegin.size() == 8 && kPacketEnd.size() == 7);

namespace PacketType {
inline constexpr char ConnectionInvite = 'C';
inline constexpr char UserInfoChange = 'U';
inline constexpr char AreaData = 'P';
inline constexpr char gameAborted = 'A';
inline constexpr char ShotData = 'S';
inline constexpr char TargetCoords = 'T';
inline constexpr char ChatMsg = 'M';
} // namespace PacketType

// The fields of the packet last cut: slots numbered 1 to 8. After a complete
// packet slot 1 holds the begin field, slot 2 the type, slots 3 onward the
// payload fields, and the slot after the last payload field "TWKENDP". Payload
// field k (1-based) is slot k + 2, which payload(k) reads.
class PacketFields
{
public:
    // Precondition: 1 <= slot <= 8.
    const QByteArray &slot(int slot) const { return m_slots[static_cast<std::size_t>(slot - 1)]; }
    QByteArray &slot(int slot) { return m_slots[static_cast<std::size_t>(slot - 1)]; }

    // Precondition: 1 <= k <= 5.
    const QByteArray &payload(int k) const { return slot(k + 2); }

    // Empties every slot, keeping the allocations for the next packet.
    void clear();

private:
    std::array<QByteArray, kMaxPacketFields> m_slots;
};

// "TWKBEGP3|" + type + "|": the start of every packet body.
QByteArray makePacketHead(char type);

// Cuts one packet, or text that is no packet, off the front of buffer (see the
// cutting rule above) and returns the packet's type, or kNoPacket. The fields
// taken go to slots 1, 2, ...; slots the call does not reach keep their
// values. A call that does not reach slot 2 finds no packet, whatever slot 2
// still holds from earlier. Nothing is left of the text the call took.
char parsePacket(QByteArray &buffer, PacketFields &fields);

// The same on text that stays in place: cuts at offset and moves offset past
// the text taken, so a loop over a long text runs in linear time.
// Precondition: 0 <= offset <= text.size().
char parsePacket(QByteArrayView text, qsizetype &offset, PacketFields &fields);

// Holds the received bytes of one connection and yields its packets in order.
//
// TCP keeps no packet boundaries, so a read may end inside a packet. The
// reader cuts the text it holds exactly as parsePacket does, except at its
// end. A cut counts only once it has closed: with its eighth field or with an
// end field, and the "|" after that field. The last stretch of text, which
// ran out before its cut closed, is
//   - kept, to be completed by the next append(), when it is a packet in
//     progress: it starts with "TWKBEGP3|", or it is a prefix of "TWKBEGP3"
//     (the whole of it included);
//   - dropped otherwise, like any text without a begin field.
// So a packet cut at any byte arrives whole, and a stream made only of whole
// packets gives the same packets however it is split into reads. The "|" after
// the end field is part of the packet: a packet sent without it waits for the
// next read (a field that begins "TWKENDP" may still go on).
//
// A packet in progress longer than the pending limit is dropped, so a peer
// cannot grow the buffer without bound; its remainder then arrives as text
// without a begin field and is dropped too.
//
// Unlike the bare parsePacket, next() empties the slots before each packet,
// so no field of an earlier packet shows through a later, shorter one.
//
// Nesting: a handler called from a loop over next() may itself append() a
// read and loop over next(); packets still come out in arrival order, and the
// outer loop then finds what is left.
class PacketReader
{
public:
    static constexpr qsizetype kDefaultPendingLimit = 64 * 1024;

    explicit PacketReader(qsizetype pendingLimit = kDefaultPendingLimit);

    // Adds the bytes of one read of the connection.
    void append(QByteArrayView bytes);

    // Cuts the next packet and returns its type, with its fields in fields;
    // kNoPacket when no complete packet remains. Text that is no packet
    // (a cut without the begin field, or whose type field begins with "|")
    // is dropped on the way.
    char next(PacketFields &fields);

    // Bytes held: not yet examined, or a packet in progress.
    qsizetype heldBytes() const { return m_buffer.size() - m_offset; }
    qsizetype pendingLimit() const { return m_pendingLimit; }

    // Forgets everything held, e.g. when the connection closes.
    void clear();

private:
    void keepPending();
    void dropHeld();

    QByteArray m_buffer;
    qsizetype m_offset = 0; // start of the text not cut yet
    qsizetype m_pendingLimit;
    // Where the scan of the packet in progress stopped, so that a long packet
    // arriving in many small reads is scanned once, not once per read.
    bool m_resumeValid = false;
    qsizetype m_resumeFieldStart = 0;
    qsizetype m_resumeSearchFrom = 0;
    int m_resumeFieldsTaken = 0;
};

// A decimal number field: 1 to 10 digits, nothing else (no sign, no blanks),
// within int. Anything else yields nullopt, so a handler can refuse it.
std::optional<int> decimalField(QByteArrayView field);

// Packet bodies: makePacketHead of the type and the payload fields joined by
// "|", ready for sendPacket. Text fields are sent as Windows-1251 bytes, and
// characters that code page lacks are left out. So that the framing holds
// whatever the caller passes, a "|" in a text field is sent as a blank, and a
// text field that would be empty is sent as one blank. Precondition: numbers
// (area size, column, row) are not negative.
QByteArray makeConnectionInvite(QStringView playerName, int areaSize);
// With the return port: where the receiver connects back to this program.
QByteArray makeConnectionInvite(QStringView playerName, int areaSize, quint16 returnPort);
// The return port of a connection invite: "R" and a port 1..65535.
std::optional<quint16> returnPortField(QByteArrayView field);
QByteArray makeUserInfoChange(QStringView playerName, int areaSize);
// answer "Y" when accepted, else "N"; startDigit is sent as it stands ('0',
// '1', or the start digit of a refused invitation handed back unchanged),
// except that a "|" goes as a blank.
QByteArray makeAreaData(QStringView playerName, int areaSize, QStringView boardText, bool accepted,
                        char startDigit);
// The start field of this program's own invitations.
inline constexpr QByteArrayView kTossingInvitationStart = "1T";
// An invitation: an area data packet with answer "Y" and the start field
// kTossingInvitationStart.
QByteArray makeInvitation(QStringView playerName, int areaSize, QStringView boardText);
QByteArray makeGameAborted(QStringView playerName, int areaSize);
// column and row are 0-based.
QByteArray makeShotData(int column, int row);
QByteArray makeTargetCoords(int column, int row);
QByteArray makeChatMessage(QStringView playerName, QStringView text);

// Where packets leave the program: the outgoing connection.
class PacketSink
{
public:
    virtual ~PacketSink() = default;
    virtual bool isActive() const = 0;
    virtual void write(const QByteArray &bytes) = 0;
};

// Closes body with "|TWKENDP|" and writes the packet in one write, but only
// while the sink is active; otherwise the packet is lost without a word.
void sendPacket(PacketSink &sink, const QByteArray &body);

} // namespace tw
