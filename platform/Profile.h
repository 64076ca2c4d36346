#pragma once
// Initialization-file store: sections in square brackets, then key=value
// lines. Sections and keys match without regard to ASCII case, the first
// match wins, spaces around keys and values are ignored. Values are bytes and
// are stored unchanged. Writes replace a value in place, keep every other
// line, and go through a temporary file and a rename, so a failed write
// never leaves a damaged file.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabrel {

/// One initialization file, named by its path. Every call reads the file
/// afresh; nothing is cached.
class CProfileFile {
public:
    explicit CProfileFile(std::string path) : m_strPath(std::move(path)) {}

    const std::string& GetPath() const { return m_strPath; }

    /// The value of `key` in `section`, at most 259 bytes; `def` when the key
    /// or the file is absent.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def = {}) const;

    /// The value as an integer: leading blanks, an optional minus sign and the
    /// leading decimal digits (so "12px" reads 12); `def` when the key is
    /// absent or its value starts with no digit. Values beyond the int range
    /// saturate.
    int GetInt(std::string_view section, std::string_view key, int def) const;

    /// Every key of `section` with its value as GetString reads it: sections
    /// of that name anywhere in the file, in file order, and for a key that
    /// appears more than once only its first value. Empty when the file is
    /// absent.
    std::vector<std::pair<std::string, std::string>> GetSection(std::string_view section) const;

    /// Sets `key` in `section` to `value`, creating the key, the section or
    /// the file as needed. Fails (returns false, file unchanged) when a name
    /// or the value holds a line break, the section holds "]", the key holds
    /// "=" or begins with "[" or ";" (it would read as a header or a
    /// comment), or the file cannot be written. Writers in several processes
    /// take turns through a lock file beside the profile ("<path>.lock").
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;

    /// Whether WriteString would store this entry so that it reads back as
    /// written (the names and value rules above, not the file).
    static bool CanStore(std::string_view section, std::string_view key, std::string_view value);

    /// Writes the decimal text of `value`.
    bool WriteInt(std::string_view section, std::string_view key, int value) const;

private:
    std::string m_strPath;
};

/// Path of the application profile: $XDG_CONFIG_HOME/tabrel/TABREL.INI, or
/// ~/.config/tabrel/TABREL.INI when XDG_CONFIG_HOME is unset or empty.
/// Read from the environment at every call.
std::string GetApplicationProfilePath();

/// The application profile; its folder is created at the first write.
std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def = {});
int GetProfileInt(std::string_view section, std::string_view key, int def);
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value);
bool WriteProfileInt(std::string_view section, std::string_view key, int value);

}  // namespace tabrel
