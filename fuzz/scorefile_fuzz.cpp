// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the score-file loader as the whole file and checks
// what must always hold for what it accepts:
//   - every value is in its range: names and the player name at most 32
//     characters, the area size 10..15, the Free flag 0 or 1;
//   - the names can be read as text;
//   - saving what was loaded and loading that again gives the same block.
//
// Input: the file's bytes as they stand. Most random inputs fail the check
// byte; the seeds are sound files so that mutations reach the payload.

#include "records/scorefile.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<tw::ScoreBlock> loaded = tw::scoreDataFromFile(bytes);
    if (!loaded)
        return 0;

    for (const tw::PlayerRecord &record : loaded->players) {
        require(record.name.length <= tw::MaxNameLength, "name length");
        require(record.free <= 1, "Free flag");
        require(tw::recordName(record).size() <= tw::MaxNameLength, "name text");
    }
    require(loaded->playerName.length <= tw::MaxNameLength, "player name length");
    require(loaded->areaSize >= 10 && loaded->areaSize <= 15, "area size");

    const std::optional<tw::ScoreBlock> again = tw::scoreDataFromFile(tw::scoreFileBytes(*loaded));
    require(again.has_value(), "a saved block loads");
    require(tw::encodeScoreBlock(*again) == tw::encodeScoreBlock(*loaded), "round trip");
    return 0;
}
