#include "scoredata.h"

#include "util/cp1251.h"

#include <algorithm>
#include <cstring>

namespace tw {

QString shortStringText(const ShortString &s)
{
    return fromCp1251(QByteArrayView(s.chars, std::min<int>(s.length, MaxNameLength)));
}

void setShortString(ShortString &s, QStringView text)
{
    const QByteArray bytes = toCp1251(text).left(MaxNameLength);
    std::memset(s.chars, 0, sizeof s.chars);
    std::memcpy(s.chars, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    s.length = static_cast<std::uint8_t>(bytes.size());
}

} // namespace tw
