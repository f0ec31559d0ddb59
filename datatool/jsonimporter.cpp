#include "datatool/jsonimporter.h"

#include "datatool/duplicatekeyfinder.h"
#include "datatool/jsonformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

namespace Key = JsonFormat::Key;

QString member(const QString &path, const QString &key)
{
    return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

QString element(const QString &path, qsizetype index)
{
    return path + QStringLiteral("[%1]").arg(index);
}

QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

// "line 3, column 7 (byte 40)" for a byte offset into the JSON text; the
// column counts characters, as editors show them.
QString position(const QByteArray &json, qsizetype offset)
{
    offset = qBound(qsizetype(0), offset, json.size());
    const qsizetype lineStart = json.lastIndexOf('\n', offset - 1) + 1;
    const qsizetype line = json.left(lineStart).count('\n') + 1;
    const qsizetype column = QString::fromUtf8(json.mid(lineStart, offset - lineStart)).size() + 1;
    return QStringLiteral("line %1, column %2 (byte %3)").arg(line).arg(column).arg(offset);
}

} // namespace

bool JsonImporter::looksLikeJson(const QByteArray &bytes)
{
    // Only the first character that is no blank counts: no copy of the file.
    for (const char c : bytes) {
        if (c != ' ' && (c < '\t' || c > '\r'))
            return c == '{';
    }
    return false;
}

bool JsonImporter::fail(const QString &path, const QString &problem)
{
    m_error = path.isEmpty() ? problem : path + QLatin1String(": ") + problem;
    return false;
}

Result<> JsonImporter::read(const QByteArray &json, FileContent &content)
{
    if (!readDocument(json, content))
        return Result<>::failure(m_error);
    return Result<>::ok();
}

bool JsonImporter::readDocument(const QByteArray &json, FileContent &content)
{
    m_error.clear();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QString(), QStringLiteral("invalid JSON at %1: %2")
                                   .arg(position(json, parseError.offset), parseError.errorString()));
    DuplicateKeyFinder duplicates;
    if (!duplicates.check(json))
        return fail(QString(), QStringLiteral("key \"%1\" appears twice in one object, at %2")
                                   .arg(duplicates.key(), position(json, duplicates.offset())));
    if (!document.isObject())
        return fail(QString(), QStringLiteral("expected a JSON object at the top"));
    const QJsonObject root = document.object();

    const QJsonValue format = root.value(Key::Format);
    FileContent result;
    result.kind = format.isString() ? FileKind::byJsonFormat(format.toString()) : nullptr;
    if (!result.kind) {
        QStringList formats;
        for (const FileKind *kind : FileKind::all())
            formats.append(QStringLiteral("\"%1\"").arg(QLatin1String(kind->jsonFormat)));
        return fail(Key::Format, QStringLiteral("expected %1").arg(formats.join(QLatin1String(" or "))));
    }
    const QString listKey = result.kind->jsonList;
    QJsonObject checked;
    if (!object(root, QString(), {Key::Format, listKey, QStringLiteral("?") + Key::TrailingBytes}, checked))
        return false;

    QJsonArray items;
    if (!list(root, listKey, QString(), items))
        return false;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!(this->*result.kind->readJson)(items.at(i), element(listKey, i), result))
            return false;
    }
    if (!readTrailingBytes(root, result.trailingBytes))
        return false;
    content = std::move(result);
    return true;
}

bool JsonImporter::readGroup(const QJsonValue &value, const QString &path, ProcGroup &group)
{
    QJsonObject o;
    QJsonArray procs;
    if (!object(value, path, {Key::Name, Key::Procs}, o) || !text(o, Key::Name, path, group.name)
        || !list(o, Key::Procs, path, procs))
        return false;
    for (qsizetype i = 0; i < procs.size(); ++i) {
        Proc proc;
        if (!readProc(procs.at(i), element(member(path, Key::Procs), i), proc))
            return false;
        group.procs.append(std::move(proc));
    }
    return true;
}

bool JsonImporter::readProc(const QJsonValue &value, const QString &path, Proc &proc)
{
    QJsonObject o;
    QJsonArray reqs;
    qint64 maxQL = 0;
    qint64 minQL = 0;
    if (!object(value, path, {Key::Name, Key::MaxQL, Key::MinQL, Key::Reqs}, o) || !text(o, Key::Name, path, proc.name)
        || !integer(o, Key::MaxQL, path, 0, 255, maxQL) || !integer(o, Key::MinQL, path, 0, 255, minQL)
        || !list(o, Key::Reqs, path, reqs))
        return false;
    proc.maxQL = quint8(maxQL);
    proc.minQL = quint8(minQL);
    for (qsizetype i = 0; i < reqs.size(); ++i) {
        Req req;
        if (!readReq(reqs.at(i), element(member(path, Key::Reqs), i), req))
            return false;
        proc.reqs.append(std::move(req));
    }
    return true;
}

bool JsonImporter::readReq(const QJsonValue &value, const QString &path, Req &req)
{
    QJsonObject o;
    qint64 t = 0;
    qint64 id = 0;
    if (!object(value, path, {Key::Name, Key::Multiplier, Key::T, Key::Id}, o) || !text(o, Key::Name, path, req.name)
        || !text(o, Key::Multiplier, path, req.multiplier) || !integer(o, Key::T, path, 0, 255, t)
        || !integer(o, Key::Id, path, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), id))
        return false;
    req.t = quint8(t);
    req.id = qint32(id);
    return true;
}

bool JsonImporter::appendGroup(const QJsonValue &value, const QString &path, FileContent &content)
{
    ProcGroup group;
    if (!readGroup(value, path, group))
        return false;
    content.list<ProcGroup>().append(std::move(group));
    return true;
}

bool JsonImporter::appendTopic(const QJsonValue &value, const QString &path, FileContent &content)
{
    HelpTopic topic;
    if (!readTopic(value, path, topic))
        return false;
    content.list<HelpTopic>().append(std::move(topic));
    return true;
}

bool JsonImporter::readTopic(const QJsonValue &value, const QString &path, HelpTopic &topic)
{
    QJsonObject o;
    return object(value, path, {Key::Id, Key::Header, Key::Body}, o) && text(o, Key::Id, path, topic.id)
        && text(o, Key::Header, path, topic.header) && text(o, Key::Body, path, topic.body);
}

bool JsonImporter::readTrailingBytes(const QJsonObject &object, QByteArray &bytes)
{
    const QJsonValue value = object.value(Key::TrailingBytes);
    if (value.isUndefined())
        return true;
    static const QRegularExpression hexPairs(QStringLiteral("^(?:[0-9A-Fa-f]{2})*$"));
    if (!value.isString() || !hexPairs.match(value.toString()).hasMatch())
        return fail(Key::TrailingBytes, QStringLiteral("expected a string of hexadecimal byte pairs"));
    bytes = QByteArray::fromHex(value.toString().toLatin1());
    return true;
}

// `keys` lists the keys the object must have; a leading '?' marks one it may have.
bool JsonImporter::object(const QJsonValue &value, const QString &path, const QStringList &keys, QJsonObject &result)
{
    if (!value.isObject())
        return fail(path, QStringLiteral("expected an object, got %1").arg(typeName(value)));
    result = value.toObject();
    QStringList known;
    for (const QString &key : keys) {
        const bool optional = key.startsWith(QLatin1Char('?'));
        const QString name = optional ? key.mid(1) : key;
        known.append(name);
        if (!optional && !result.contains(name))
            return fail(path, QStringLiteral("missing key \"%1\"").arg(name));
    }
    for (auto it = result.constBegin(); it != result.constEnd(); ++it) {
        if (!known.contains(it.key()))
            return fail(member(path, it.key()), QStringLiteral("unknown key"));
    }
    return true;
}

bool JsonImporter::list(const QJsonObject &object, const QString &key, const QString &path, QJsonArray &result)
{
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        return fail(member(path, key), QStringLiteral("expected an array, got %1").arg(typeName(value)));
    result = value.toArray();
    if (result.size() > JsonFormat::MaxListSize)
        return fail(member(path, key), QStringLiteral("%1 entries, but the file holds at most %2")
                                           .arg(result.size())
                                           .arg(JsonFormat::MaxListSize));
    return true;
}

bool JsonImporter::text(const QJsonObject &object, const QString &key, const QString &path, QString &result)
{
    const QJsonValue value = object.value(key);
    if (value.isNull()) {
        result = QString();
        return true;
    }
    if (!value.isString())
        return fail(member(path, key), QStringLiteral("expected a string or null, got %1").arg(typeName(value)));
    // An empty text stays empty, not null.
    result = value.toString();
    if (result.isNull())
        result = QLatin1String("");
    return true;
}

bool JsonImporter::integer(const QJsonObject &object, const QString &key, const QString &path, qint64 min,
                           qint64 max, qint64 &result)
{
    const QJsonValue value = object.value(key);
    const QString expected = QStringLiteral("expected an integer from %1 to %2").arg(min).arg(max);
    if (!value.isDouble())
        return fail(member(path, key), QStringLiteral("%1, got %2").arg(expected, typeName(value)));
    const double number = value.toDouble();
    if (!(number >= double(min) && number <= double(max)) || number != std::floor(number))
        return fail(member(path, key), QStringLiteral("%1, got %2").arg(expected, QString::number(number, 'g', 17)));
    result = qint64(number);
    return true;
}
