#include "RunLog.h"

namespace kestrava {

void RunLog::clear()
{
    m_modified.clear();
    m_errors.clear();
    m_statuses.clear();
}

QString RunLog::modifiedText() const
{
    // Rendered once on demand: prepending to one growing text for every file
    // would cost time quadratic in the number of files.
    qsizetype length = 0;
    for (const QString &name : m_modified)
        length += name.size() + 1;
    QString text;
    text.reserve(length);
    for (auto it = m_modified.crbegin(); it != m_modified.crend(); ++it) {
        text += *it;
        text += u'\n';
    }
    return text;
}

} // namespace kestrava
