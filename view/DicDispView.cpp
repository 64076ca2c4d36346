#include "view/DicDispView.h"

#include "res/Resources.h"

namespace tabrel {

bool CDicDispView::QueryCommand(int id, bool& enabled)
{
    if (id == res::ID_TEXT_OUTPUT) {  // text file output never applies to the results
        enabled = false;
        return true;
    }
    return CLinePane::QueryCommand(id, enabled);
}

}  // namespace tabrel
