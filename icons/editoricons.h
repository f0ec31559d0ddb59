#pragma once

#include <QIcon>

// The 16 x 16 button pictures of the help body editor.
namespace EditorIcons {

enum class Picture { Close, Save, Bold, Underline, Italic, Undo, Redo };

QIcon icon(Picture picture);

} // namespace EditorIcons
