#pragma once

#include <QByteArray>
#include <QString>

// QJsonDocument keeps only the last of two equal keys in an object, so a
// hand-edited file with a key written twice would lose a value without a
// word. This scan of syntactically valid JSON finds such a key.
class DuplicateKeyFinder
{
public:
    // False if some object holds a key twice; then key() and offset() tell
    // which one and the byte offset of its second occurrence.
    bool check(const QByteArray &json);

    QString key() const { return m_key; }
    qsizetype offset() const { return m_offset; }

private:
    QString m_key;
    qsizetype m_offset = -1;
};
