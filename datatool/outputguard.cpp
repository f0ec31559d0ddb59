#include "datatool/outputguard.h"

#include "datatool/jsonformat.h"
#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

namespace {

// Enough for the magic number, a JSON file's "format" member and a page's
// doctype, wherever the writers put them.
constexpr qint64 HeadBytes = 4096;

} // namespace

OutputGuard::Kind OutputGuard::kindOf(const QByteArray &head)
{
    if (head.size() >= 4) {
        const qint32 magic = qFromBigEndian<qint32>(head.constData());
        if (magic == TradeskillFile::Magic)
            return Kind::DataFile;
        if (magic == HelpFile::Magic)
            return Kind::HelpFile;
    }
    QByteArray text = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    text = text.trimmed();
    if (text.startsWith('{')) {
        static const QRegularExpression format(QStringLiteral("\"format\"\\s*:\\s*\"([^\"]*)\""));
        const QString found = format.match(QString::fromUtf8(text)).captured(1);
        if (found == QLatin1String(JsonFormat::DataFormat))
            return Kind::DataJson;
        if (found == QLatin1String(JsonFormat::HelpFormat))
            return Kind::HelpJson;
        return Kind::Other;
    }
    const QByteArray start = text.left(14).toLower();
    if (start.startsWith("<!doctype html") || start.startsWith("<html"))
        return Kind::WebPage;
    return Kind::Other;
}

bool OutputGuard::existingKind(const QString &path, Kind &kind, QString *reason)
{
    QFile file;
    const Result<RegularFile::Status> opened = RegularFile::open(path, file);
    switch (opened.status()) {
    case RegularFile::Status::Missing:
    case RegularFile::Status::NotRegular:
        return false;
    case RegularFile::Status::Failed:
        kind = Kind::Other;
        if (reason)
            *reason = opened.text();
        return true;
    case RegularFile::Status::Opened:
        break;
    }
    const QByteArray head = file.read(HeadBytes);
    if (file.error() != QFileDevice::NoError) {
        kind = Kind::Other;
        if (reason)
            *reason = file.errorString();
        return true;
    }
    if (head.isEmpty())
        return false;
    kind = kindOf(head);
    return true;
}

QString OutputGuard::describe(Kind kind)
{
    switch (kind) {
    case Kind::DataFile:
        return QStringLiteral("a Vorrak data file");
    case Kind::HelpFile:
        return QStringLiteral("a Vorrak help file");
    case Kind::DataJson:
        return QStringLiteral("the JSON form of a data file");
    case Kind::HelpJson:
        return QStringLiteral("the JSON form of a help file");
    case Kind::WebPage:
        return QStringLiteral("a web page");
    case Kind::Other:
        break;
    }
    return QStringLiteral("a file of another kind");
}

Result<> OutputGuard::mayWrite(const QString &path, Kind kind) const
{
    const FileIdentity target = FileIdentity::ofPath(path);
    if (!target.exists || !target.regular)
        return Result<>::ok();
    for (const FileIdentity &input : m_inputs) {
        if (input.device == target.device && input.inode == target.inode)
            return Result<>::failure(QStringLiteral("not replaced: it is one of this command's inputs"));
    }
    Kind existing;
    QString reason;
    if (!existingKind(path, existing, &reason))
        return Result<>::ok();
    if (!reason.isEmpty())
        return Result<>::failure(QStringLiteral("not replaced: what it holds cannot be read (%1)").arg(reason));
    if (existing == kind)
        return Result<>::ok();
    return Result<>::failure(QStringLiteral("not replaced: it is %1, not %2").arg(describe(existing), describe(kind)));
}
