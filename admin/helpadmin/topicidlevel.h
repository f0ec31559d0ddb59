#pragma once

#include <QString>

// The numeric reading of a help topic ID that places the topic in the tree:
// x = the ID as a decimal number (0 when it is none, as for "HLP_intro"),
// split into its whole part n, truncated toward zero, and the rest f = x - n.
// A positive f makes the topic a sub-topic.
class TopicIdLevel
{
public:
    explicit TopicIdLevel(const QString &id);

    double value() const { return m_value; }
    double fraction() const { return m_fraction; }
    // The whole part as an int for the log line, held to the int range (the
    // split itself is done in double, so a huge ID cannot overflow it).
    int wholeForLog() const;
    bool isSubTopic() const { return m_fraction > 0.0; }

private:
    double m_value;
    double m_whole;
    double m_fraction;
};
