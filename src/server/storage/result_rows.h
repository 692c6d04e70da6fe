#pragma once

#include "requests/stored_result.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>

// How a stored result is read from its two tables.
namespace tarvik::server::rows {

// The columns readResult takes, of `results r` and `submissions s`.
extern const QString ResultColumns;
// `results r` with the submission of each.
extern const QString ResultsWithSubmissions;
// The submissions columns of the processor record, in the order of ProcessorTexts.
const QStringList &processorColumns();

StoredResult readResult(const QSqlQuery &query);

inline QString text(const std::string &bytes)
{
    return QString::fromStdString(bytes);
}

inline std::string bytes(const QVariant &value)
{
    return value.toString().toStdString();
}

// The UTC time of day as stored.
QString now();

} // namespace tarvik::server::rows
