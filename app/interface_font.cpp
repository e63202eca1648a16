#include "app/interface_font.h"

#include <QStringList>

namespace vgr47 {

QFont InterfaceFont(bool chinese) {
    QFont font;
    if (chinese)
        font.setFamilies(
            {QString::fromUtf8("\xE5\xAE\x8B\xE4\xBD\x93"), "SimSun", "WenQuanYi Micro Hei"});
    else
        font.setFamilies({"Tahama", "Tahoma", "DejaVu Sans Condensed", "DejaVu Sans"});
    font.setPointSize(9);
    return font;
}

}  // namespace vgr47
