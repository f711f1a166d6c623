#pragma once

#include <QIcon>

namespace quillfen {

// The 16 x 16 images of the toolbar and menus, by the index of the action
// table: 7 open, 15 tile, 17 cascade, 18 open report, 19 add report, 20 export,
// 21 export with graph, 22 export csv, 23 simulation. Other indexes are empty.
QIcon ToolbarImage(int index);

// The program's own icon: a rising balance curve on navy.
QIcon ProgramIcon();

}  // namespace quillfen
