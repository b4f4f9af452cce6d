#include "files/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace dover {

namespace {

// rw-r--r--, for a file that did not exist before.
constexpr QFileDevice::Permissions NewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
    QFileDevice::ReadOther;

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

bool WriteAll(QIODevice& device, QByteArrayView bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 put = device.write(bytes.data() + done, bytes.size() - done);
        if (put <= 0) {
            return false;
        }
        done += put;
    }
    return true;
}

QString ReplaceFileSynced(const QString& path, const ContentWriter& write) {
    QSaveFile file(path);
    // Unbuffered: a write that falls short is seen here, not lost in a final
    // flush whose failure the commit would not notice.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

QString ReplaceFile(const QString& path, const ContentWriter& write) {
    // A rename would go over a write-protected file as if it were not; the
    // protection is the user's word that the file stays.
    const QFileInfo old(path);
    if (old.isFile() && !old.isWritable()) {
        return QStringLiteral("он защищён от записи");
    }
    QTemporaryFile file(path + QLatin1String(".XXXXXX"));
    if (!file.open()) {
        return file.errorString();
    }
    if (!write(file) || !file.flush()) {
        return file.errorString(); // the new file is removed with `file`
    }
    file.setPermissions(old.isFile() ? old.permissions() : NewFilePermissions);
    file.close();
    std::error_code error;
    std::filesystem::rename(NativePath(file.fileName()), NativePath(path), error);
    if (error) {
        return QString::fromStdString(error.message());
    }
    file.setAutoRemove(false); // it has the new name now
    return {};
}

} // namespace dover
