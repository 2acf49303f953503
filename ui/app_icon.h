#pragma once
#include <QIcon>

namespace varlo {

// The program's icon, drawn at the sizes desktops ask for: a teal disc with a light play mark.
QIcon VarloIcon();

}  // namespace varlo
