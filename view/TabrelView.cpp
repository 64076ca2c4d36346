#include "view/TabrelView.h"

#include "res/Resources.h"

namespace tabrel {

bool CTabrelView::QueryCommand(int id, bool& enabled)
{
    if (id == res::ID_TEXT_OUTPUT) {  // offered once a text is open; does nothing
        enabled = GetDocument().CanOutputTextFile(true);
        return true;
    }
    return CLinePane::QueryCommand(id, enabled);
}

void CTabrelView::RunCommand(int id)
{
    if (id != res::ID_TEXT_OUTPUT)
        CLinePane::RunCommand(id);
}

}  // namespace tabrel
