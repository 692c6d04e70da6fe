#pragma once

#include "web/list_query.h"

#include <QString>
#include <QVariantList>

// A list query's filters and order in SQL, over `best_results b`, `results r`
// and `submissions s`.
namespace tarvik::server::filters {

struct Clause {
    QString sql; // " AND ..." terms, empty for none
    QVariantList values;
};

Clause where(const ListQuery &query);
// ORDER BY terms of the ranking table, each served by one of its indexes.
QString rankingOrder(ListQuery::Sort sort);

} // namespace tarvik::server::filters
