// tabrel-profile: reads and writes values of the application profile from a shell.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/Profile.h"

using namespace tabrel;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNoValue = 1;  // get: absent or empty; set: the file could not be written
constexpr int kExitUsage = 2;

const char kUsage[] =
    "Usage: tabrel-profile get SECTION KEY\n"
    "       tabrel-profile set SECTION KEY VALUE\n"
    "       tabrel-profile default SECTION KEY VALUE\n"
    "       tabrel-profile path\n"
    "\n"
    "Reads and writes the application profile, $XDG_CONFIG_HOME/tabrel/TABREL.INI\n"
    "(~/.config/tabrel/TABREL.INI when XDG_CONFIG_HOME is unset or empty).\n"
    "Sections and keys match without regard to ASCII case; values are bytes,\n"
    "stored unchanged.\n"
    "\n"
    "  get      prints the value of KEY in SECTION and a line break.\n"
    "  set      sets KEY in SECTION to VALUE, creating the file as needed.\n"
    "  default  sets KEY to VALUE only when the profile holds no value for it\n"
    "           (absent or empty), so a value chosen by the user stays.\n"
    "  path     prints the path of the profile.\n"
    "\n"
    "Exit status: 0 on success; 1 when get finds no value (absent or empty) or\n"
    "a write fails; 2 for a usage error.\n";

int UsageError(const std::string& what)
{
    std::cerr << "tabrel-profile: " << what << "\nTry 'tabrel-profile --help'.\n";
    return kExitUsage;
}

int Write(std::string_view section, std::string_view key, std::string_view value)
{
    if (WriteProfileString(section, key, value))
        return kExitOk;
    const std::string path = GetApplicationProfilePath();
    std::cerr << "tabrel-profile: cannot write " << key << " of [" << section << "] to " << path << ": ";
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (!CProfileFile::CanStore(section, key, value))
        std::cerr << "a name or the value would not read back (a line break, \"=\" in KEY, \"]\" in SECTION, "
                     "or KEY starting with \";\" or \"[\")\n";
    else if (::access(folder.c_str(), W_OK | X_OK) != 0)
        std::cerr << "the folder " << folder << " is not writable (" << std::strerror(errno) << ")\n";
    else
        std::cerr << "the file cannot be read or replaced\n";
    return kExitNoValue;
}

}  // namespace

int main(int argc, char** argv)
{
    IgnoreFileSizeSignal();  // a write past the file-size limit fails and is reported
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty())
        return UsageError("no command given");
    const std::string_view command = args[0];
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return kExitOk;
    }
    const std::size_t operands = args.size() - 1;
    if (command == "path") {
        if (operands != 0)
            return UsageError("path takes no operands");
        std::cout << GetApplicationProfilePath() << '\n';
        return kExitOk;
    }
    if (command == "get") {
        if (operands != 2)
            return UsageError("get needs SECTION and KEY");
        const std::string value = GetProfileString(args[1], args[2]);
        std::cout << value << '\n';
        return value.empty() ? kExitNoValue : kExitOk;
    }
    if (command == "set" || command == "default") {
        if (operands != 3)
            return UsageError(std::string(command) + " needs SECTION, KEY and VALUE");
        if (command == "default" && !GetProfileString(args[1], args[2]).empty())
            return kExitOk;
        return Write(args[1], args[2], args[3]);
    }
    return UsageError("unknown command '" + std::string(command) + "'");
}
