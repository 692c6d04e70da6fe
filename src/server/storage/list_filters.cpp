#include "storage/list_filters.h"

#include "storage/result_rows.h"

namespace tarvik::server::filters {

namespace {

// The text as a LIKE pattern that finds it anywhere, its own % _ ! taken
// literally (ESCAPE '!').
QString containing(const std::string &text)
{
    QString pattern = rows::text(text);
    pattern.replace(u'!', QStringLiteral("!!")).replace(u'%', QStringLiteral("!%")).replace(u'_', QStringLiteral("!_"));
    return u'%' + pattern + u'%';
}

} // namespace

Clause where(const ListQuery &query)
{
    Clause clause;
    auto add = [&](const QString &term, const QVariant &value) {
        clause.sql += QStringLiteral(" AND ") + term;
        clause.values.append(value);
    };
    // lower() on both sides: SQLite's LIKE ignores case, PostgreSQL's does not.
    if (!query.processor.empty())
        add(QStringLiteral("lower(b.processor) LIKE lower(?) ESCAPE '!'"), containing(query.processor));
    if (query.threads != 0)
        add(QStringLiteral("s.threads = ?"), query.threads);
    // Stored times are "yyyy-MM-dd HH:mm:ss", UTC, which sort as text.
    if (!query.from.empty())
        add(QStringLiteral("s.received_at >= ?"), rows::text(query.from + " 00:00:00"));
    if (!query.to.empty())
        add(QStringLiteral("s.received_at <= ?"), rows::text(query.to + " 23:59:59"));
    return clause;
}

QString rankingOrder(ListQuery::Sort sort)
{
    // Result ids grow in the order results are stored, so they order by date
    // too, through an index of the ranking table itself.
    switch (sort) {
    case ListQuery::Sort::Slowest:
        return QStringLiteral("b.seconds DESC, b.result_id DESC");
    case ListQuery::Sort::Newest:
        return QStringLiteral("b.result_id DESC");
    case ListQuery::Sort::Oldest:
        return QStringLiteral("b.result_id");
    case ListQuery::Sort::Fastest:
        break;
    }
    return QStringLiteral("b.seconds, b.result_id");
}

} // namespace tarvik::server::filters
