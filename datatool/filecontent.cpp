#include "datatool/filecontent.h"

#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QBuffer>

QByteArray FileContent::toBinary() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == Kind::Data)
        TradeskillFile::write(&buffer, groups);
    else
        HelpFile::write(&buffer, topics);
    return bytes + trailingBytes;
}
