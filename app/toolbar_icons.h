// The toolbar's pictures, drawn as shapes at whatever size and pixel density they are shown,
// so they stay sharp on high-resolution screens.
#pragma once

#include <QIcon>

namespace vgr47 {

enum class ToolIcon { New, Open, Save, Undo, Redo, ReadData, WriteData, Help, Exit, Program };

QIcon ToolbarIcon(ToolIcon icon);

}  // namespace vgr47
