#include "icons/editoricons.h"

#include <QPixmap>

#include "icons/editoricons.xpm"

namespace EditorIcons {

QIcon icon(Picture picture)
{
    switch (picture) {
    case Picture::Close:
        return QIcon(QPixmap(editor_close_xpm));
    case Picture::Save:
        return QIcon(QPixmap(editor_save_xpm));
    case Picture::Bold:
        return QIcon(QPixmap(editor_bold_xpm));
    case Picture::Underline:
        return QIcon(QPixmap(editor_underline_xpm));
    case Picture::Italic:
        return QIcon(QPixmap(editor_italic_xpm));
    case Picture::Undo:
        return QIcon(QPixmap(editor_undo_xpm));
    case Picture::Redo:
        return QIcon(QPixmap(editor_redo_xpm));
    }
    return QIcon();
}

} // namespace EditorIcons
