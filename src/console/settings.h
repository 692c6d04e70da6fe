#pragma once

#include <QString>

#include <string>

// The per-user settings store and the folders the program keeps files in.
namespace tarvik::settings {

// Settings of application "Morlo", section "Tarvik": the submitter name
// ("Stor_name") and the marker of a failed direct submission ("Error").
QString read(const QString &key, const QString &defaultValue);
void write(const QString &key, const QString &value);
void remove(const QString &key);

// The folder that holds the installed libraries and their files:
// TARVIK_SYSTEM_DIR when set, else "system" in the per-user data folder.
// It is created on first use.
QString systemFolder();
// The path of `file` directly in the system folder, as the file system's bytes.
std::string libraryPath(const std::string &file);

} // namespace tarvik::settings
