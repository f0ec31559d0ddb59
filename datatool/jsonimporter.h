#pragma once

#include "common/result.h"
#include "datatool/filecontent.h"
#include "help/helptopic.h"
#include "tradeskill/procgroup.h"

#include <QByteArray>
#include <QString>

class QJsonArray;
class QJsonObject;
class QJsonValue;

// Reads the JSON form of a data or help file back into its content. Every
// value is checked against what the binary file can hold; the first problem
// found is kept as one line naming the place, e.g.
// "groups[0].procs[2].maxQL: expected an integer from 0 to 255, got 300".
class JsonImporter
{
public:
    // The content, or the first problem found as the failure's text.
    Result<> read(const QByteArray &json, FileContent &content);
    // True for text that starts, after blanks, like a JSON object; no
    // Vorrak file can, since neither magic number begins with '{'.
    static bool looksLikeJson(const QByteArray &bytes);

    // One record of the list of a file kind, read from `value` (at `path`)
    // and appended to the content's list; see FileKind.
    bool appendGroup(const QJsonValue &value, const QString &path, FileContent &content);
    bool appendTopic(const QJsonValue &value, const QString &path, FileContent &content);

private:
    // These return false once the first problem is kept in m_error.
    bool readDocument(const QByteArray &json, FileContent &content);
    bool readGroup(const QJsonValue &value, const QString &path, ProcGroup &group);
    bool readProc(const QJsonValue &value, const QString &path, Proc &proc);
    bool readReq(const QJsonValue &value, const QString &path, Req &req);
    bool readTopic(const QJsonValue &value, const QString &path, HelpTopic &topic);
    bool readTrailingBytes(const QJsonObject &object, QByteArray &bytes);

    bool object(const QJsonValue &value, const QString &path, const QStringList &keys, QJsonObject &result);
    bool list(const QJsonObject &object, const QString &key, const QString &path, QJsonArray &result);
    bool text(const QJsonObject &object, const QString &key, const QString &path, QString &result);
    bool integer(const QJsonObject &object, const QString &key, const QString &path, qint64 min, qint64 max,
                 qint64 &result);
    bool fail(const QString &path, const QString &problem);

    QString m_error;
};
