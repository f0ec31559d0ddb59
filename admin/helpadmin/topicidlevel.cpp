#include "admin/helpadmin/topicidlevel.h"

#include <climits>
#include <cmath>

TopicIdLevel::TopicIdLevel(const QString &id)
    : m_value(id.toDouble())
    , m_whole(std::trunc(m_value))
    , m_fraction(m_value - m_whole)
{
}

int TopicIdLevel::wholeForLog() const
{
    if (std::isnan(m_whole))
        return 0;
    if (m_whole >= double(INT_MAX))
        return INT_MAX;
    if (m_whole <= double(INT_MIN))
        return INT_MIN;
    return int(m_whole);
}
