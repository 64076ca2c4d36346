#pragma once
// A stored font record as a QFont and back.

#include <QColor>
#include <QFont>

#include "settings/FontSetting.h"

namespace tabrel {

/// Height in pixels from lfHeight (its magnitude), weight, italic,
/// underline, strike-out and face. "FixedSys" does not exist here: it falls
/// back to IPAGothic, then to the generic monospace face.
QFont FontFromRecord(const FontRecord& record);

/// The record of `font`; fields a QFont does not have keep their values
/// from `base`.
FontRecord RecordFromFont(const QFont& font, const FontRecord& base);

inline QColor ToQColor(COLORREF c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

inline COLORREF FromQColor(const QColor& c)
{
    return MakeColor(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()), static_cast<unsigned>(c.blue()));
}

}  // namespace tabrel
