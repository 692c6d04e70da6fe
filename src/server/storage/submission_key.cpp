#include "storage/submission_key.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>

namespace tarvik::server::keys {

QString newKey()
{
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words.data()), sizeof words).toHex());
}

QString keyHash(const QString &key)
{
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool matches(const QString &key, const QString &storedHash)
{
    const QString hash = keyHash(key);
    if (storedHash.size() != hash.size())
        return false;
    int difference = 0;
    for (qsizetype i = 0; i < hash.size(); ++i)
        difference |= hash[i].unicode() ^ storedHash[i].unicode();
    return difference == 0;
}

} // namespace tarvik::server::keys
