#include "res/ErrorText.h"

#include "res/Resources.h"

namespace tabrel::res {

std::string FormatString(int id, std::string_view detail)
{
    const std::string_view text = LoadString(id);
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = text.find("%1"); at != std::string_view::npos; at = text.find("%1", start)) {
        out.append(text.substr(start, at - start));
        out.append(detail);
        start = at + 2;
    }
    out.append(text.substr(start));
    return out;
}

std::string ErrorText(const Error& error)
{
    // The string of each code; a string without "%1" leaves the detail out.
    switch (error.code) {
    case ErrorCode::None:
        return {};
    case ErrorCode::FileRead:
        return FormatString(IDS_ERR_FILE_READ, error.detail);
    case ErrorCode::FileSeek:
        return FormatString(IDS_ERR_FILE_SEEK, error.detail);
    case ErrorCode::IndexRead:
        return FormatString(IDS_ERR_INDEX_READ, error.detail);
    case ErrorCode::IndexTruncated:
        return FormatString(IDS_ERR_INDEX_TRUNCATED, error.detail);
    case ErrorCode::IndexVersion:
        return FormatString(IDS_INDEX_VERSION, error.detail);
    case ErrorCode::FileOpen:
        return FormatString(IDS_ERR_FILE_OPEN, error.detail);
    case ErrorCode::FileSave:
        return FormatString(IDS_ERR_FILE_SAVE, error.detail);
    case ErrorCode::TextTooLarge:
        return FormatString(IDS_ERR_TEXT_TOO_LARGE, error.detail);
    }
    return {};
}

}  // namespace tabrel::res
