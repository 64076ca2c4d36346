#include "document/LookUpTrigger.h"

#include <cstring>
#include <optional>

#include "document/PickLogic.h"
#include "index/IndexFiles.h"

namespace tabrel {
namespace {
// Refreshes the index description path, then names the index file; nothing
// when the text is not to be looked up.
std::optional<std::string> PrepareIndex(CTabrelDoc& doc, std::string_view text, std::string_view dir)
{
    doc.SetIndexIni(GetIndexIniPath(dir));
    return GetIndexFilePath(dir, text, GetIndexGeneration(dir, doc.GetIndexIni()));
}

// What a pick gets while the document is busy: as LookUpWord answers then.
PickOutcome Refused()
{
    PickOutcome outcome;
    outcome.lookedUp = true;
    outcome.status.outcome = LookUpOutcome::Busy;
    return outcome;
}
}  // namespace

PickOutcome AutoLookUp(CTabrelDoc& doc, std::string_view word, std::string_view dir)
{
    PickOutcome outcome;
    if (word.empty())
        return outcome;
    if (doc.IsBusy())
        return Refused();
    const auto indexPath = PrepareIndex(doc, word, dir);
    if (!indexPath)
        return outcome;
    outcome.indexPath = *indexPath;
    outcome.status = doc.LookUpWord(LowerCp932(word), *indexPath);
    outcome.lookedUp = true;
    return outcome;
}

PickOutcome ManualLookUp(CTabrelDoc& doc, std::string_view text, std::string_view dir)
{
    PickOutcome outcome;
    text = text.substr(0, text.find('\0'));  // a pasted zero byte ends the text
    if (text.empty() || text.size() > kMaxPickBytes)
        return outcome;
    // A look-up from another window on this document is running: refused
    // before its index path, key or phrase can be touched.
    if (doc.IsBusy())
        return Refused();
    const auto indexPath = PrepareIndex(doc, text, dir);
    if (!indexPath)
        return outcome;
    outcome.indexPath = *indexPath;
    const std::string lower = LowerCp932(text);

    char buffer[256] = {};
    std::memcpy(buffer, lower.data(), lower.size());
    CTokenizer tokenizer(buffer);
    const char* first = tokenizer.Next();
    const std::string word = first ? first : "";
    if (!tokenizer.Next()) {
        doc.SetWordAndPhrase(word, doc.GetPhrase());  // the phrase of an earlier pick stays
        outcome.status = doc.LookUpWord(lower, *indexPath);
    } else {
        doc.SetWordAndPhrase(word, lower);
        outcome.status = doc.LookUpPhrase(word, lower, *indexPath);
    }
    outcome.lookedUp = true;
    return outcome;
}

}  // namespace tabrel
