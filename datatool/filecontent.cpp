#include "datatool/filecontent.h"

#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QBuffer>
#include <QDataStream>

QByteArray FileContent::toBinary() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QDataStream out(&buffer);
    if (kind == Kind::Data)
        TradeskillFile::write(out, groups);
    else
        HelpFile::write(out, topics);
    return bytes + trailingBytes;
}
