#include "datatool/outputguard.h"

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
        if (const FileKind *file = FileKind::byMagic(qFromBigEndian<qint32>(head.constData())))
            return {Form::File, file};
    }
    QByteArray text = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    text = text.trimmed();
    if (text.startsWith('{')) {
        static const QRegularExpression format(QStringLiteral("\"format\"\\s*:\\s*\"([^\"]*)\""));
        if (const FileKind *file = FileKind::byJsonFormat(format.match(QString::fromUtf8(text)).captured(1)))
            return {Form::Json, file};
        return {};
    }
    const QByteArray start = text.left(14).toLower();
    if (start.startsWith("<!doctype html") || start.startsWith("<html"))
        return {Form::WebPage};
    return {};
}

Result<OutputGuard::Kind> OutputGuard::existingKind(const QString &path)
{
    const Kind none{Form::None};
    QFile file;
    const Result<RegularFile::Status> opened = RegularFile::open(path, file);
    switch (opened.status()) {
    case RegularFile::Status::Missing:
    case RegularFile::Status::NotRegular:
        return Result<Kind>::ok(none);
    case RegularFile::Status::Failed:
        return Result<Kind>::failure(opened.text());
    case RegularFile::Status::Opened:
        break;
    }
    const QByteArray head = file.read(HeadBytes);
    if (file.error() != QFileDevice::NoError)
        return Result<Kind>::failure(file.errorString());
    return Result<Kind>::ok(head.isEmpty() ? none : kindOf(head));
}

QString OutputGuard::describe(Kind kind)
{
    switch (kind.form) {
    case Form::File:
        return QStringLiteral("a Vorrak %1").arg(QLatin1String(kind.file->format.what));
    case Form::Json:
        return QStringLiteral("the JSON form of a %1").arg(QLatin1String(kind.file->format.what));
    case Form::WebPage:
        return QStringLiteral("a web page");
    case Form::Other:
    case Form::None:
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
    const Result<Kind> existing = existingKind(path);
    if (!existing)
        return Result<>::failure(
            QStringLiteral("not replaced: what it holds cannot be read (%1)").arg(existing.text()));
    if (existing.status().form == Form::None || existing.status() == kind)
        return Result<>::ok();
    return Result<>::failure(
        QStringLiteral("not replaced: it is %1, not %2").arg(describe(existing.status()), describe(kind)));
}
