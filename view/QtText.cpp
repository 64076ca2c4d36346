#include "view/QtText.h"

#include "res/Resources.h"

namespace tabrel {

QString MenuText(std::string_view stored)
{
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        // "\x1E" Latin "\x1F" katakana ")" becomes "&" Latin ")".
        if (stored[i] == '\x1E' && i + 2 < stored.size() && stored[i + 2] == '\x1F') {
            out += '&';
            out += stored[i + 1];
            const std::size_t close = stored.find(')', i + 3);
            i = (close == std::string_view::npos ? stored.size() : close) - 1;
            continue;
        }
        if (stored[i] == '&')
            out += '&';  // a literal ampersand
        out += stored[i];
    }
    return FromUtf8(out);
}

QString LoadQString(int id)
{
    return FromUtf8(res::LoadString(id));
}

}  // namespace tabrel
