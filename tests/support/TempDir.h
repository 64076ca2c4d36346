#pragma once
// Temporary folders for tests, removed with everything in them at the end.

#include <string>
#include <string_view>

namespace tabrel::test {

/// A fresh folder under the system's temporary folder.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    /// Path + "/" + name.
    std::string File(std::string_view name) const;
    /// Writes `bytes` to the file `name` and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    /// The whole content of the file `name`; empty when absent.
    std::string Read(std::string_view name) const;

private:
    std::string m_path;
};

/// Points XDG_CONFIG_HOME at a temporary folder while it lives, so the
/// application profile is a fresh TABREL.INI; restores the old value after.
class ScopedProfile {
public:
    ScopedProfile();
    ~ScopedProfile();
    ScopedProfile(const ScopedProfile&) = delete;
    ScopedProfile& operator=(const ScopedProfile&) = delete;

    /// Path of the application profile file.
    std::string ProfilePath() const;
    /// Replaces the whole profile file with `bytes`.
    void WriteProfile(std::string_view bytes) const;
    /// The whole profile file.
    std::string ReadProfile() const;

private:
    TempDir m_dir;
    std::string m_oldValue;
    bool m_hadOld = false;
};

/// Puts the process's current directory back when it goes out of scope.
class ScopedCurrentDir {
public:
    ScopedCurrentDir();
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::string m_saved;
};

}  // namespace tabrel::test
