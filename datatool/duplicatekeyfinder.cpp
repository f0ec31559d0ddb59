#include "datatool/duplicatekeyfinder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QSet>

namespace {

struct Container
{
    bool isObject;
    bool expectKey;
    QSet<QString> keys;
};

// The end of the string token that starts at `start` (the opening quote).
qsizetype stringEnd(const QByteArray &json, qsizetype start)
{
    qsizetype i = start + 1;
    while (i < json.size() && json.at(i) != '"')
        i += json.at(i) == '\\' ? 2 : 1;
    return i;
}

// A key token decoded by Qt's own parser, so escapes compare as the text they stand for.
QString decodedKey(const QByteArray &token)
{
    return QJsonDocument::fromJson('[' + token + ']').array().at(0).toString();
}

} // namespace

bool DuplicateKeyFinder::check(const QByteArray &json)
{
    m_key.clear();
    m_offset = -1;
    QList<Container> stack;
    for (qsizetype i = 0; i < json.size(); ++i) {
        switch (json.at(i)) {
        case '{':
            stack.append({true, true, {}});
            break;
        case '[':
            stack.append({false, false, {}});
            break;
        case '}':
        case ']':
            if (!stack.isEmpty())
                stack.removeLast();
            break;
        case ',':
            if (!stack.isEmpty() && stack.last().isObject)
                stack.last().expectKey = true;
            break;
        case '"': {
            const qsizetype end = stringEnd(json, i);
            if (!stack.isEmpty() && stack.last().expectKey) {
                Container &object = stack.last();
                object.expectKey = false;
                const QString key = decodedKey(json.mid(i, end - i + 1));
                if (object.keys.contains(key)) {
                    m_key = key;
                    m_offset = i;
                    return false;
                }
                object.keys.insert(key);
            }
            i = end;
            break;
        }
        default:
            break;
        }
    }
    return true;
}
