#pragma once
// From a picked word or a confirmed manual text to the document's look-up:
// the index files, the lower-casing, and the choice between a single-word
// and a phrase look-up. Shared by the text pane and the command line.

#include <string>
#include <string_view>

#include "document/TabrelDoc.h"

namespace tabrel {

struct PickOutcome {
    bool lookedUp = false;  ///< a look-up ran: the caller beeps
    LookUpStatus status;    ///< how it ended, when it ran
    std::string indexPath;  ///< the index file it used
};

/// Looks `word` up at once: refreshes the document's index description
/// path from `dir`, stops when the word is empty or begins with a
/// double-byte lead byte, else runs LookUpWord with the lower-cased word.
PickOutcome AutoLookUp(CTabrelDoc& doc, std::string_view word, std::string_view dir);

/// Looks up a manual text the dialog has accepted: nothing for an empty
/// text or one longer than the document's buffers; a single token gives
/// LookUpWord of the whole lower-cased text, several tokens a phrase
/// look-up keyed by the first one.
PickOutcome ManualLookUp(CTabrelDoc& doc, std::string_view text, std::string_view dir);

}  // namespace tabrel
