#pragma once
// Forward scan of one index file for a headword, without loading the tree.

#include <cstdint>

#include "index/IndexStream.h"

namespace tabrel {

/// Scan state of the headword search. One fixed headword buffer and a few
/// scratch slots serve the whole scan; nothing is allocated per node.
class CStringTreeIndex {
public:
    /// Reads nodes in stored pre-order (a node, its before-subtree, then its
    /// after-subtree) from `stream`, which stands at a node record, and
    /// compares each headword byte for byte with the zero-terminated `key`.
    /// Returns true at the first equal headword, leaving the stream at that
    /// node's first posting; false after reading the whole tree. Calls
    /// DispatchPendingMessage() once per node. Throws CIndexReadError when
    /// the stream ends inside a record. Keeps no call stack per tree level,
    /// so any depth of tree is scanned.
    bool FindHeadword(const char* key, CIndexStream& stream);

    char m_szNodeWord[256] = {};        ///< headword of the node examined last
    std::int32_t m_nScanValue = 0;      ///< posting count, skipped offsets and line numbers
    std::int16_t m_nScanFileID = 0;     ///< file of each skipped posting
    std::uint8_t m_byScanByte = 0;      ///< word size, skipped types, subtree flags
};

}  // namespace tabrel
