#include "view/FontMapping.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "view/QtText.h"

namespace tabrel {

namespace {
constexpr int kDefaultPixelHeight = 13;
const char kFixedSys[] = "FixedSys";
}  // namespace

QFont FontFromRecord(const FontRecord& record)
{
    QFont font;
    const QString face = FromCp932(std::string_view(record.lfFaceName, strnlen(record.lfFaceName, sizeof record.lfFaceName)));
    QStringList families;
    if (!face.isEmpty() && face.compare(QLatin1String(kFixedSys), Qt::CaseInsensitive) != 0)
        families << face;
    families << QStringLiteral("IPAGothic") << QStringLiteral("monospace");
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(record.lfHeight == 0 ? kDefaultPixelHeight : std::abs(record.lfHeight));
    if (record.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(record.lfWeight), 1, 1000)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

FontRecord RecordFromFont(const QFont& font, const FontRecord& base)
{
    FontRecord record = base;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = static_cast<int>(font.pointSizeF() * 96.0 / 72.0 + 0.5);  // the record counts pixels
    record.lfHeight = -pixels;
    record.lfWidth = 0;
    record.lfWeight = font.weight();
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const std::string face = ToCp932(font.family());
    std::memset(record.lfFaceName, 0, sizeof record.lfFaceName);
    std::memcpy(record.lfFaceName, face.data(), std::min(face.size(), sizeof record.lfFaceName - 1));
    return record;
}

}  // namespace tabrel
