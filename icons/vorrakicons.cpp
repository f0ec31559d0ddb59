#include "icons/vorrakicons.h"

#include <QPixmap>

#include "icons/vorrakicon.xpm"

QIcon vorrakWindowIcon()
{
    return QIcon(QPixmap(vorrak_icon_xpm));
}
