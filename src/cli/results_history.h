#pragma once

#include "cli/results_document.h"

#include <QIODevice>
#include <QJsonObject>
#include <QList>
#include <QString>

// The results history: every completed run of every session, one JSON
// object a line (JSON Lines) in the user's data folder, so that runs can be
// compared across days and machines.
namespace tarvik::cli {

QString historyFilePath();

// Adds one run with its date and the machine's description. Returns what
// went wrong, or an empty string.
QString appendToHistory(const RecordedRun &run, const HardwareFields &hardware, const QDateTime &when);

// The runs as a table: by test, fastest first, runs with errors last.
QString historyTable(QList<QJsonObject> entries);

// The median and spread of the runs without errors, per test, mode and
// processor; lines written before the history kept conditions count too.
QString historySpreadTable(const QList<QJsonObject> &entries);

// The entries of an open history file; lines that are not JSON objects are
// left out and counted in `unreadable`.
QList<QJsonObject> readHistoryEntries(QIODevice &file, int &unreadable);
// Prints the history's table on standard output; returns the exit status.
int printHistory();

} // namespace tarvik::cli
