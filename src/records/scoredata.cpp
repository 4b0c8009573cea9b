#include "scoredata.h"

#include "util/cp1251.h"

#include <algorithm>
#include <cstring>

namespace tw {

QString ShortStringText(const TShortString &s)
{
    return FromCp1251(QByteArrayView(s.Chars, std::min<int>(s.Length, MaxNameLength)));
}

void SetShortString(TShortString &s, QStringView text)
{
    const QByteArray bytes = ToCp1251(text).left(MaxNameLength);
    std::memset(s.Chars, 0, sizeof s.Chars);
    std::memcpy(s.Chars, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    s.Length = static_cast<std::uint8_t>(bytes.size());
}

} // namespace tw
