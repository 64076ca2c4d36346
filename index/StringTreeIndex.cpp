#include "index/StringTreeIndex.h"

#include <cstring>

#include "platform/MessagePump.h"

namespace tabrel {

bool CStringTreeIndex::FindHeadword(const char* key, CIndexStream& stream)
{
    // Pre-order needs to remember only how many nodes still wait for their
    // AfterFlag: those whose before-subtree is being read. An after-subtree
    // finishes its parent, so it needs no entry.
    std::uint64_t awaitingAfterFlag = 0;
    for (;;) {
        DispatchPendingMessage();
        m_byScanByte = stream.ReadU8();
        stream.Read(m_szNodeWord, m_byScanByte);
        m_szNodeWord[m_byScanByte] = '\0';
        m_nScanValue = stream.ReadI32();  // posting count, not needed
        if (std::strcmp(m_szNodeWord, key) == 0)
            return true;

        while ((m_nScanValue = stream.ReadI32()) != -1) {
            m_nScanValue = stream.ReadI32();
            m_nScanFileID = stream.ReadI16();
            m_byScanByte = stream.ReadU8();
        }

        m_byScanByte = stream.ReadU8();  // BeforeFlag
        if (m_byScanByte != 0) {
            ++awaitingAfterFlag;
            continue;
        }
        // This node's subtree ends once an AfterFlag of 0 is read; then the
        // nearest node waiting for its AfterFlag is next.
        for (;;) {
            m_byScanByte = stream.ReadU8();  // AfterFlag
            if (m_byScanByte != 0)
                break;
            if (awaitingAfterFlag == 0)
                return false;
            --awaitingAfterFlag;
        }
    }
}

}  // namespace tabrel
