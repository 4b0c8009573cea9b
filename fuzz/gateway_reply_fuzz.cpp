// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the parser of a UPnP gateway's HTTP replies, as
// they come up to the closed connection, and checks what must always hold:
//   - a reply accepted has a status of three digits;
//   - its body is never longer than what came after the head, so a length
//     or chunk size that the gateway claims can never make it read past
//     what it received nor hold more;
//   - without chunks, the body is the bytes right after the head.
//
// Input: the whole input, as the reply's bytes.

#include "net/gatewayhttp.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken at line %d\n", line);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > static_cast<size_t>(tw::kMaxGatewayReplyBytes))
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto reply = tw::parseGatewayReply(bytes);
    if (!reply)
        return 0;
    check(reply->status >= 0 && reply->status <= 999);
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    check(headEnd >= 0);
    const QByteArrayView after = bytes.sliced(headEnd + 4);
    check(reply->body.size() <= after.size());
    if (!bytes.first(headEnd).toByteArray().toLower().contains("chunked"))
        check(after.startsWith(reply->body));
    return 0;
}
