#pragma once

#include <QString>

// One help topic: its identifier, its title and its rich-text body.
struct HelpTopic
{
    QString id;
    QString header;
    QString body;

    friend bool operator==(const HelpTopic &a, const HelpTopic &b)
    {
        return a.id == b.id && a.header == b.header && a.body == b.body && a.id.isNull() == b.id.isNull()
            && a.header.isNull() == b.header.isNull() && a.body.isNull() == b.body.isNull();
    }
    friend bool operator!=(const HelpTopic &a, const HelpTopic &b) { return !(a == b); }
};
