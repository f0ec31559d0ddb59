#include "datatool/filecontent.h"

#include "common/binaryfilewriter.h"
#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QIODevice>

QByteArray FileContent::toBinary() const
{
    const QByteArray records = BinaryFileWriter::inMemory([this](QIODevice *device) {
        return kind == Kind::Data ? TradeskillFile::write(device, groups) : HelpFile::write(device, topics);
    });
    return records + trailingBytes;
}
