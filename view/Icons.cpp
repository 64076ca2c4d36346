#include "view/Icons.h"

#include "res/Resources.h"

namespace tabrel {

QPixmap IconPixmap(int id)
{
    return QPixmap(id == 3 ? res::DocumentIconXpm().data() : res::MainIconXpm().data());
}

QIcon AppIcon(int id)
{
    return QIcon(IconPixmap(id));
}

QPixmap ToolBarImage(int index)
{
    static const QPixmap strip(res::ToolBarXpm().data());
    return strip.copy(index * 16, 0, 16, 15);
}

}  // namespace tabrel
