#pragma once
// Conversions between the core's byte strings and QString, spelt out.

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

#include "platform/Cp932.h"

namespace tabrel {

/// UTF-8 text of the program's own (resources, messages).
inline QString FromUtf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

/// Code page 932 bytes (document text, result lines).
inline QString FromCp932(std::string_view s)
{
    return FromUtf8(Cp932ToUtf8(s));
}

inline std::string ToCp932(const QString& s)
{
    return Utf8ToCp932(s.toStdString());
}

/// File system paths are bytes in the file system's encoding.
inline QString FromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string ToPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

/// A stored menu text with its access-key pair "(" U+001E Latin U+001F
/// katakana ")" shown the Qt way, "(&Latin)".
QString MenuText(std::string_view stored);

/// String `id` of the string table.
QString LoadQString(int id);

}  // namespace tabrel
