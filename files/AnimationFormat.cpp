#include "files/AnimationFormat.h"

#include "files/ReplaceFile.h"
#include "model/FrameStore.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <new>

namespace dover {

QString FilePart(const QString& path) {
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

QString ExtensionPart(const QString& path) {
    const QString file = FilePart(path);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : file.mid(dot + 1);
}

QString AnimationSavePath(const QString& chosen) {
    if (ExtensionPart(chosen) == QLatin1String("444")) {
        return chosen;
    }
    return chosen + QLatin1String(".444");
}

AnimationProblem CheckAnimationSize(qint64 size, qint64 limit) {
    if (size <= 0) {
        return AnimationProblem::Empty;
    }
    if (size > limit) {
        return AnimationProblem::TooLarge;
    }
    if (size % static_cast<qint64>(FrameBytes) != 0) {
        return AnimationProblem::NotWholeFrames;
    }
    return AnimationProblem::None;
}

AnimationRead ReadAnimation(QIODevice& device, qint64 limit) {
    AnimationRead read;
    read.size = device.size();
    read.problem = CheckAnimationSize(read.size, limit);
    if (read.problem != AnimationProblem::None) {
        return read;
    }
    try {
        read.bytes.resize(static_cast<std::size_t>(read.size));
    } catch (const std::bad_alloc&) {
        read.problem = AnimationProblem::NoMemory;
        return read;
    }
    auto* data = reinterpret_cast<char*>(read.bytes.data());
    qint64 done = 0;
    while (done < read.size) {
        const qint64 got = device.read(data + done, read.size - done);
        if (got <= 0) {
            read.problem = AnimationProblem::Unreadable;
            read.reason =
                got < 0 ? device.errorString() : QStringLiteral("файл стал короче во время чтения");
            read.bytes.clear();
            return read;
        }
        done += got;
    }
    return read;
}

AnimationRead ReadAnimationFile(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    AnimationRead read;
    if (!info.exists()) {
        read.problem = AnimationProblem::Missing;
        return read;
    }
    if (info.isDir()) {
        read.problem = AnimationProblem::Folder;
        return read;
    }
    if (!info.isFile()) {
        read.problem = AnimationProblem::NotAFile;
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem = AnimationProblem::Unreadable;
        read.reason = file.errorString();
        return read;
    }
    return ReadAnimation(file, limit);
}

bool WriteAnimation(QIODevice& device, std::span<const std::uint8_t> bytes) {
    return WriteAll(device, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString SaveAnimationFile(const QString& path, std::span<const std::uint8_t> bytes) {
    return ReplaceFileSynced(path,
                             [bytes](QIODevice& device) { return WriteAnimation(device, bytes); });
}

} // namespace dover
