#include "settings/SelDirModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "res/Resources.h"

namespace tabrel {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

}  // namespace

std::string CurrentDirWithSlash()
{
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec || cwd.empty())
        return {};
    return WithSlash(cwd.string());
}

std::string NormalizeDirPath(std::string_view path)
{
    if (path.empty())
        return {};
    fs::path p{std::string(path)};
    if (p.is_relative()) {
        const std::string cwd = CurrentDirWithSlash();
        if (cwd.empty())
            return {};
        p = fs::path(cwd) / p;
    }
    std::string normal = p.lexically_normal().string();
    // Leading "//" has a meaning of its own to the standard; here it is the root.
    while (normal.size() > 1 && normal[0] == '/' && normal[1] == '/')
        normal.erase(0, 1);
    return WithSlash(std::move(normal));
}

std::vector<CSelDirPlace> CSelDirModel::MakePlaces(std::string_view home, std::vector<CSelDirPlace> volumes)
{
    std::vector<CSelDirPlace> places;
    places.push_back({"/", std::string(res::LoadString(res::IDS_SELDIR_ROOT))});
    const std::string homeDir = NormalizeDirPath(home);
    if (!homeDir.empty() && homeDir != "/")
        places.push_back({homeDir, std::string(res::LoadString(res::IDS_SELDIR_HOME))});

    for (CSelDirPlace& v : volumes)
        v.path = NormalizeDirPath(v.path);
    std::sort(volumes.begin(), volumes.end(),
              [](const CSelDirPlace& a, const CSelDirPlace& b) { return a.path < b.path; });
    for (CSelDirPlace& v : volumes) {
        std::error_code ec;
        if (v.path.empty() || !fs::is_directory(v.path, ec))
            continue;  // a file mounted over a file, or a volume that went away
        const bool listed = std::any_of(places.begin(), places.end(),
                                        [&](const CSelDirPlace& p) { return p.path == v.path; });
        if (listed)
            continue;
        if (v.name.empty())
            v.name = v.path;
        places.push_back(std::move(v));
    }
    return places;
}

std::string CSelDirModel::PlaceEntry(std::size_t i) const
{
    return i < m_places.size() ? "[-" + m_places[i].name + "-]" : std::string();
}

void CSelDirModel::Open(std::string_view start)
{
    std::string dir = start.empty() ? CurrentDirWithSlash() : NormalizeDirPath(start);
    if (!dir.empty() && Select(dir))
        return;
    dir = CurrentDirWithSlash();
    if (!dir.empty() && Select(dir))
        return;
    Select({});
}

bool CSelDirModel::Select(std::string dir)
{
    m_strDir = std::move(dir);
    m_dirNames.clear();
    m_fileEntries.clear();
    m_bListed = false;
    if (!m_strDir.empty()) {
        std::error_code ec;
        fs::directory_iterator it(m_strDir, ec);
        m_bListed = !ec;
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::error_code typeEc;
            std::string name = it->path().filename().string();
            if (it->is_directory(typeEc))  // follows links
                m_dirNames.push_back(std::move(name));
            else if (it->is_regular_file(typeEc))
                m_fileEntries.push_back(std::move(name));
        }
        if (ec) {  // the listing broke off: show nothing rather than a part
            m_bListed = false;
            m_dirNames.clear();
            m_fileEntries.clear();
        }
    }
    std::sort(m_dirNames.begin(), m_dirNames.end());
    std::sort(m_fileEntries.begin(), m_fileEntries.end());
    // The way back up is offered also where the folder cannot be read.
    if (!m_strDir.empty() && m_strDir != "/")
        m_dirNames.insert(m_dirNames.begin(), "..");
    m_dirEntries.clear();
    for (const std::string& name : m_dirNames)
        m_dirEntries.push_back("[" + name + "]");
    return m_bListed;
}

bool CSelDirModel::OpenDirEntry(std::size_t row)
{
    if (row >= m_dirNames.size())
        return false;
    const std::string& name = m_dirNames[row];
    std::string dir = m_strDir;
    if (name == ".." && row == 0 && dir != "/") {
        dir.pop_back();                          // the trailing "/"
        dir.erase(dir.find_last_of('/') + 1);    // up to the parent's "/"
    } else {
        dir += name + "/";
    }
    Select(std::move(dir));
    return true;
}

bool CSelDirModel::OpenPlace(std::size_t i)
{
    if (i >= m_places.size())
        return false;
    Select(m_places[i].path);
    return true;
}

}  // namespace tabrel
