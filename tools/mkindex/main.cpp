// tabrel-mkindex: builds the reader's index directory from dictionary text files.

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "index/IndexBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "text/Cp932Text.h"

using namespace tabrel;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitInput = 1;
constexpr int kExitUsage = 2;
constexpr std::uint64_t kMaxShownWarnings = 20;

const char kUsage[] =
    "Usage: tabrel-mkindex [OPTION]... DIR [OPTION]... FILE [[OPTION]... FILE]...\n"
    "\n"
    "Builds the dictionary index that the reader looks words up in: the index\n"
    "files $$TMP$$.a to $$TMP$$.z, $$TMP$$._ (words beginning with a digit) and\n"
    "$$TMP$$.# (any other first character), and kplindex.ini, which gives each\n"
    "FILE its number (0, 1, ... in the order given) by its absolute path.\n"
    "\n"
    "  DIR    the index directory; created when missing. The new index files go\n"
    "         into a folder of their own in DIR (.tabrel-gen-...), and replacing\n"
    "         kplindex.ini, which names it, switches readers in one step, so a\n"
    "         build that stops part-way leaves the old index answering. Copies\n"
    "         in DIR itself follow; what earlier builds left is then removed.\n"
    "  FILE   dictionary text files in code page 932, one entry per line, lines\n"
    "         ending in LF or CR LF; each below 2 GiB, its absolute path at most\n"
    "         259 bytes; at most 32767 files.\n"
    "\n"
    "Each line is found under its headword and under the other words it holds.\n"
    "By default the headword of a line is the text between an ESC (0x1B) at the\n"
    "start of the line and the next ESC. Words are lower-cased; a word beginning\n"
    "with a double-byte character is not indexed. A headword of one word is\n"
    "found under that word, a headword of several words under each of them\n"
    "(which also serves phrase look-ups). The other words of the line (those\n"
    "holding an ASCII letter and no double-byte character) are indexed but\n"
    "hidden from look-ups unless --body-type says otherwise. Headwords of 255\n"
    "bytes or more cannot be stored; they are skipped with a warning.\n"
    "\n"
    "--separator, --body-type and --stop-words apply to the FILEs given after\n"
    "them and hold until the same option comes again, so files of different\n"
    "layouts can share one index:\n"
    "  tabrel-mkindex DIR plain.txt --body-type 3 --stop-words stop.txt glosses.txt\n"
    "\n"
    "  --separator TEXT   the headword is the text before the first occurrence of\n"
    "                     TEXT in the line (for example \" : \"), compared byte for\n"
    "                     byte; a line without TEXT has no headword. An empty\n"
    "                     TEXT (--separator=) returns to the ESC layout.\n"
    "  --body-type N      posting type of the other words, 0 to 255 (default 2:\n"
    "                     hidden; 3 shows those lines in look-ups as well).\n"
    "  --stop-words FILE  words, one a line (code page 932), whose lines stay\n"
    "                     hidden when found through the other words, whatever\n"
    "                     --body-type says. Several given together add up; given\n"
    "                     again after a FILE, the new list replaces the old one\n"
    "                     (an empty FILE such as /dev/null ends the list).\n"
    "  --quiet            no progress and no summary; warnings and errors only.\n"
    "  --                 ends the options.\n"
    "  --help             shows this text.\n"
    "\n"
    "Nothing in DIR changes unless the whole build succeeds.\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written or is\n"
    "too large, 2 for a usage error.\n";

int UsageError(const std::string& what)
{
    std::cerr << "tabrel-mkindex: " << what << "\nTry 'tabrel-mkindex --help'.\n";
    return kExitUsage;
}

bool ParseType(std::string_view text, std::uint8_t& type)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value > 255)
        return false;
    type = static_cast<std::uint8_t>(value);
    return true;
}

bool ReadStopWords(const std::string& path, IndexBuildOptions& options)
{
    const std::optional<std::string> content = ReadWholeFile(path);  // a FIFO or folder is refused, not waited on
    if (!content)
        return false;
    std::string_view rest = *content;
    while (!rest.empty()) {
        const std::size_t nl = rest.find('\n');
        std::string_view word = rest.substr(0, nl);
        rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
        while (!word.empty() && IsPickSpace(static_cast<unsigned char>(word.back())))
            word.remove_suffix(1);
        while (!word.empty() && IsPickSpace(static_cast<unsigned char>(word.front())))
            word.remove_prefix(1);
        if (!word.empty())
            options.stopWords.insert(LowerCp932(word));
    }
    return true;
}

std::string Megabytes(std::uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    IgnoreFileSizeSignal();  // a write past the file-size limit fails and is reported
    // The options in force for the next FILE; each FILE keeps a copy.
    IndexBuildOptions options;
    bool stopWordsSinceFile = false;  // a --stop-words since the last FILE: more add up
    std::string layoutOptionAfterFile;  // a layout option not yet followed by a FILE
    bool quiet = false;
    std::optional<std::string> dir;
    std::vector<DictionarySource> sources;
    bool optionsEnded = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!dir) {
                dir = arg;
            } else {
                sources.push_back({std::string(arg), options});
                stopWordsSinceFile = false;
                layoutOptionAfterFile.clear();
            }
            continue;
        }
        std::string_view name = arg;
        std::string_view value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        const bool takesValue = name == "--separator" || name == "--body-type" || name == "--stop-words";
        if (takesValue && !hasValue) {
            if (i + 1 >= argc)
                return UsageError(std::string(name) + " needs a value");
            value = argv[++i];
        } else if (!takesValue && hasValue) {
            return UsageError(std::string(name) + " takes no value");
        }
        if (takesValue && !sources.empty())
            layoutOptionAfterFile = name;

        if (name == "--") {
            optionsEnded = true;
        } else if (name == "--help" || name == "-h") {
            std::cout << kUsage;
            return kExitOk;
        } else if (name == "--quiet" || name == "-q") {
            quiet = true;
        } else if (name == "--separator") {
            options.separator = value;
        } else if (name == "--body-type") {
            if (!ParseType(value, options.bodyType))
                return UsageError("--body-type needs a number from 0 to 255, not '" + std::string(value) + "'");
        } else if (name == "--stop-words") {
            if (!stopWordsSinceFile)
                options.stopWords.clear();
            stopWordsSinceFile = true;
            if (!ReadStopWords(std::string(value), options)) {
                std::cerr << "tabrel-mkindex: " << value << ": cannot read the stop word file\n";
                return kExitInput;
            }
        } else {
            return UsageError("unknown option '" + std::string(arg) + "'");
        }
    }
    if (!dir)
        return UsageError("no index directory DIR given");
    if (sources.empty())
        return UsageError("no dictionary FILE given");
    if (!layoutOptionAfterFile.empty())
        return UsageError(layoutOptionAfterFile + " after the last FILE applies to no file; give it before the "
                                                  "FILEs it is for");
    if (sources.size() > kMaxDictionaryFiles)
        return UsageError(std::to_string(sources.size()) + " dictionary files given; at most " +
                          std::to_string(kMaxDictionaryFiles) + " can be indexed");

    const bool terminal = !quiet && ::isatty(STDERR_FILENO);
    IndexBuildReport report;
    std::uint64_t warnings = 0;
    report.skippedHeadword = [&](const std::string& path, std::uint32_t line, std::string_view headword) {
        if (++warnings > kMaxShownWarnings)
            return;
        if (terminal)
            std::cerr << "\r\x1b[K";
        std::cerr << "tabrel-mkindex: warning: " << path << ":" << line << ": headword of " << headword.size()
                  << " bytes skipped (at most " << kMaxHeadwordBytes << " fit in an index file)\n";
        if (warnings == kMaxShownWarnings)
            std::cerr << "tabrel-mkindex: further warnings are not shown\n";
    };
    if (terminal) {
        report.progress = [&](std::size_t fileIndex, std::uint64_t done, std::uint64_t total) {
            std::cerr << "\r\x1b[K" << sources[fileIndex].path << ": " << Megabytes(done) << " of "
                      << Megabytes(total) << std::flush;
            if (done == total)
                std::cerr << '\n';
        };
    }

    const IndexBuildResult result = BuildIndexDirectory(*dir, sources, report);
    if (result.status != IndexBuildStatus::Ok) {
        std::cerr << "tabrel-mkindex: " << result.error << "\n";
        if (result.status == IndexBuildStatus::BadInput)
            std::cerr << "tabrel-mkindex: nothing was written\n";
        return kExitInput;
    }
    if (!quiet) {
        const IndexBuildStats& s = result.stats;
        std::cerr << "tabrel-mkindex: " << s.files << (s.files == 1 ? " file, " : " files, ") << s.lines
                  << " lines, " << s.headwords << " headwords";
        if (s.skippedHeadwords)
            std::cerr << " (" << s.skippedHeadwords << " skipped)";
        std::cerr << ", " << s.words << " index words, " << s.postings << " postings; " << s.bytesWritten
                  << " bytes written to " << *dir << "\n";
    }
    return kExitOk;
}
