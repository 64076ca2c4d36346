#pragma once
// The program's pictures as pixmaps: the two icons and the tool bar images.

#include <QIcon>
#include <QPixmap>

namespace tabrel {

/// Icon 2 (the application) or 3 (document windows).
QPixmap IconPixmap(int id);
QIcon AppIcon(int id);

/// Tool bar image `index` (0-8) of the 144 x 15 strip.
QPixmap ToolBarImage(int index);

}  // namespace tabrel
