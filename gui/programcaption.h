#pragma once

#include <QString>

// Each program's name, the caption of every message box it shows. The forms
// made in the designer carry it as their window title.
namespace ProgramCaption {

inline QString calculator()
{
    return QStringLiteral("Vorrak");
}

inline QString editor()
{
    return QStringLiteral("VorrakAdmin");
}

} // namespace ProgramCaption
