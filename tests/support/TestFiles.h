#pragma once

// Whole files written and read back in one call, for tests that set up a
// folder and look at what is left in it.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace dover::test {

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's content; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace dover::test
