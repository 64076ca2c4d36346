// tabrel-lookup: the look-up of the reader, from a shell.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "document/LookUpTrigger.h"
#include "document/PickLogic.h"
#include "document/TabrelDoc.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/Profile.h"
#include "platform/UiServices.h"
#include "res/ErrorText.h"
#include "settings/ProfileKeys.h"

using namespace tabrel;

namespace {

constexpr int kExitFound = 0;
constexpr int kExitNone = 1;
constexpr int kExitError = 2;

const char kUsage[] =
    "Usage: tabrel-lookup [--index-dir DIR] [--manual] [--raw] [--] TEXT\n"
    "\n"
    "Looks TEXT up in the dictionary index as a double-click in the reader does,\n"
    "and prints the dictionary lines found.\n"
    "\n"
    "  TEXT             one argument, in the locale's encoding (UTF-8); it is\n"
    "                   converted to code page 932, and text that code page 932\n"
    "                   cannot hold is refused.\n"
    "  --index-dir DIR  the index directory (holding kplindex.ini and the\n"
    "                   $$TMP$$.* index files); a missing trailing '/' is added.\n"
    "                   Default: key \"Dir\" of section \"Index\" of the profile\n"
    "                   $XDG_CONFIG_HOME/tabrel/TABREL.INI, used as stored.\n"
    "  --manual         treat TEXT as typed into the manual word dialog: text\n"
    "                   that begins with white space or holds double-byte\n"
    "                   characters is refused; several words are looked up as a\n"
    "                   phrase (lines holding the phrase as whole words), one\n"
    "                   word as the whole lower-cased text. Without --manual,\n"
    "                   TEXT is looked up as a picked word: lower-cased, in the\n"
    "                   index file of its first character.\n"
    "  --raw            print the result lines exactly as held: code page 932\n"
    "                   bytes, highlight ESC bytes kept, each line ending in CR LF.\n"
    "                   Without it, lines are printed in UTF-8 ending in LF, ESC\n"
    "                   bytes removed, highlighted stretches in reverse video when\n"
    "                   standard output is a terminal.\n"
    "  --               ends the options, so TEXT may begin with '-'.\n"
    "  --help           shows this text.\n"
    "\n"
    "Messages the reader would show in a message box go to standard error.\n"
    "Exit status: 0 when at least one line was found, 1 when none, 2 for a usage\n"
    "error, refused TEXT, or a look-up abandoned on an unreadable file.\n";

// Message boxes become lines on standard error; there is nothing to choose.
class TerminalUi : public CNullUiServices {
public:
    void MessageBox(std::string_view text) override { std::cerr << text << '\n'; }
};

int UsageError(const std::string& what)
{
    std::cerr << "tabrel-lookup: " << what << "\nTry 'tabrel-lookup --help'.\n";
    return kExitError;
}

// A result line for a reader: UTF-8, LF, highlight markers turned into
// reverse video on a terminal or dropped elsewhere.
std::string ForTerminal(std::string_view line, bool terminal)
{
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n")
        line.remove_suffix(2);
    std::string out;
    bool highlighted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != '\x1b')
            continue;
        out += Cp932ToUtf8(line.substr(start, i - start));
        if (i < line.size()) {
            highlighted = !highlighted;
            if (terminal)
                out += highlighted ? "\x1b[7m" : "\x1b[27m";
        }
        start = i + 1;
    }
    if (terminal && highlighted)
        out += "\x1b[27m";
    return out + "\n";
}

}  // namespace

int main(int argc, char** argv)
{
    IgnoreFileSizeSignal();  // a write past the file-size limit fails and is reported
    std::optional<std::string> indexDir;
    bool manual = false;
    bool raw = false;
    std::vector<std::string> texts;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            texts.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            std::cout << kUsage;
            return kExitFound;
        } else if (arg == "--manual") {
            manual = true;
        } else if (arg == "--raw") {
            raw = true;
        } else if (arg == "--index-dir") {
            if (++i >= argc)
                return UsageError("--index-dir needs a directory");
            indexDir = argv[i];
        } else if (arg.rfind("--index-dir=", 0) == 0) {
            indexDir = arg.substr(std::strlen("--index-dir="));
        } else {
            return UsageError("unknown option " + arg);
        }
    }
    if (texts.size() != 1)
        return UsageError(texts.empty() ? "no TEXT given" : "give exactly one TEXT (quote a phrase)");

    std::size_t replaced = 0;
    const std::string text = Utf8ToCp932(texts[0], &replaced);
    if (replaced != 0) {
        std::cerr << "tabrel-lookup: TEXT holds characters that code page 932 cannot represent\n";
        return kExitError;
    }

    std::string dir;
    if (indexDir) {
        // A folder named on the command line must be one: say what is wrong
        // rather than report that nothing was found.
        struct stat st {};
        if (indexDir->empty() || ::stat(indexDir->c_str(), &st) != 0) {
            std::cerr << "tabrel-lookup: --index-dir " << *indexDir << ": no such folder\n";
            return kExitError;
        }
        if (!S_ISDIR(st.st_mode)) {
            std::cerr << "tabrel-lookup: --index-dir " << *indexDir << ": not a folder\n";
            return kExitError;
        }
        dir = indexDir->empty() || indexDir->back() == '/' ? *indexDir : *indexDir + "/";
    } else {
        dir = GetProfileString(profile::kIndex, profile::kDir, "");
    }

    TerminalUi ui;
    auto doc = std::make_shared<CTabrelDoc>(ui);
    PickOutcome outcome;
    if (manual) {
        if (const auto refusal = CheckManualText(text)) {
            std::cerr << *refusal << '\n';
            return kExitError;
        }
        outcome = ManualLookUp(*doc, text, dir);
    } else {
        outcome = AutoLookUp(*doc, text, dir);
    }

    const bool terminal = ::isatty(STDOUT_FILENO) != 0;
    for (std::string_view line : doc->GetResultList()) {
        if (raw)
            std::cout.write(line.data(), static_cast<std::streamsize>(line.size()));
        else
            std::cout << ForTerminal(line, terminal);
    }
    std::cout.flush();
    if (outcome.status.outcome == LookUpOutcome::Abandoned) {
        std::cerr << "tabrel-lookup: " << res::ErrorText(outcome.status.error) << '\n';
        return kExitError;
    }
    return doc->GetResultList().IsEmpty() ? kExitNone : kExitFound;
}
