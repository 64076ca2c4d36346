#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/Profile.h"

namespace tabrel::test {

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "tabrel-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Folders made read-only by a test must become writable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::File(std::string_view name) const
{
    return m_path + "/" + std::string(name);
}

std::string TempDir::Write(std::string_view name, std::string_view bytes) const
{
    const std::string path = File(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempDir::Read(std::string_view name) const
{
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedProfile::ScopedProfile()
{
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
        m_hadOld = true;
        m_oldValue = old;
    }
    ::setenv("XDG_CONFIG_HOME", m_dir.Path().c_str(), 1);
}

ScopedProfile::~ScopedProfile()
{
    if (m_hadOld)
        ::setenv("XDG_CONFIG_HOME", m_oldValue.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

std::string ScopedProfile::ProfilePath() const
{
    return GetApplicationProfilePath();
}

void ScopedProfile::WriteProfile(std::string_view bytes) const
{
    m_dir.Write("tabrel/TABREL.INI", bytes);
}

std::string ScopedProfile::ReadProfile() const
{
    return m_dir.Read("tabrel/TABREL.INI");
}

ScopedCurrentDir::ScopedCurrentDir() : m_saved(std::filesystem::current_path().string()) {}

ScopedCurrentDir::~ScopedCurrentDir()
{
    std::error_code ec;
    std::filesystem::current_path(m_saved, ec);
}

}  // namespace tabrel::test
