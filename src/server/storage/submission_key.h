#pragma once

#include <QString>

// The secret that lets a submitter manage their own submission. Only its
// hash is stored, so a copy of the database does not hand out the keys.
namespace tarvik::server::keys {

// 128 random bits from the system's generator, as 32 hexadecimal digits.
QString newKey();
// The SHA-256 of the key, in hexadecimal.
QString keyHash(const QString &key);
// Whether `key` is the one `storedHash` was made from, in a time that does
// not depend on where they differ. A submission stored before there were
// keys has an empty hash, which no key matches.
bool matches(const QString &key, const QString &storedHash);

} // namespace tarvik::server::keys
