#pragma once

#include "helptopic.h"
#include "messagehandler.h"

#include <QList>

// The help topics of Vorrak.hlp in the current directory, addressed by
// position; bad positions get fixed fallback texts.
class HelpData
{
public:
    enum class LoadStatus { Missing, Loaded, BadMagic, Damaged };

    HelpData() = default;
    explicit HelpData(MessageHandler showMessage);

    static QString filePath();

    LoadStatus load();
    // Replaces Vorrak.hlp atomically; false (with a message) on failure.
    bool save() const;

    int count() const { return int(m_topics.size()); }
    QString header(int i) const;
    QString body(int i) const;

    QList<HelpTopic> &topics() { return m_topics; }
    const QList<HelpTopic> &topics() const { return m_topics; }

private:
    MessageHandler m_showMessage;
    QList<HelpTopic> m_topics;
};
