#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// Writes indented JSON with the keys in the order they are given, which
// QJsonDocument cannot do. Texts keep every UTF-16 code unit: a surrogate
// without its partner, which has no UTF-8 form, is written as a \u escape.
class JsonWriter
{
public:
    // Containers opened `inline` are written on one line.
    void beginObject(bool inlined = false);
    void endObject();
    void beginArray();
    void endArray();
    void key(QLatin1String name);
    // A null QString is written as null.
    void string(const QString &text);
    void number(qint64 value);

    QByteArray result() const { return m_out.toUtf8() + '\n'; }

    static QString quoted(const QString &text);

private:
    struct Level
    {
        bool inlined;
        bool empty;
    };

    void beforeValue();
    void close(char bracket);
    void newline();

    QString m_out;
    QList<Level> m_levels;
    bool m_afterKey = false;
};
