// The program's 9-point interface font, with fallbacks for systems without the Windows fonts.
#pragma once

#include <QFont>
#include <QString>

namespace vgr47 {

// Chinese: 宋体 / SimSun / WenQuanYi Micro Hei; English: Tahama / Tahoma, else the condensed
// DejaVu face, whose widths come closest to Tahoma's so the grid headers fit their columns.
QFont InterfaceFont(bool chinese);

}  // namespace vgr47
