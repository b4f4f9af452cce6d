#pragma once

// Replacing a file without ever leaving it half written: the new content goes
// to a new file beside the old one, which takes the name only once all of it
// was written. Whatever fails (the folder cannot be written, the disk is full,
// a write falls short), the previous file stays as it was and the new one is
// removed.

#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

namespace dover {

// `write` puts the new content on the device it is given and returns false
// when a write fell short. Each function returns the system's reason on
// failure, an empty text on success.
using ContentWriter = std::function<bool(QIODevice&)>;

// Also waits until the new content is on the disk before it takes the name,
// so even a crash of the system right after leaves the old or the new file,
// whole. For the user's own work.
QString ReplaceFileSynced(const QString& path, const ContentWriter& write);
// Does not wait for the disk: for files that every save writes again. The
// new file keeps the permissions of the one it replaces; a write-protected
// file is not replaced.
QString ReplaceFile(const QString& path, const ContentWriter& write);

// Puts all of `bytes` on the device, going on after writes that take only a
// part; false when a write takes nothing or fails.
bool WriteAll(QIODevice& device, QByteArrayView bytes);

} // namespace dover
