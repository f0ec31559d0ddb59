#include "vorrakicons.h"

#include <QPixmap>

#include "vorrakicon.xpm"

QIcon vorrakWindowIcon()
{
    return QIcon(QPixmap(vorrak_icon_xpm));
}
