#pragma once

// The .444 animation file: the frames of the animation back to back, 8 bytes
// each, with nothing before, between or after them. The frame count is the
// file size divided by 8. And the two path parts the file operations use.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

class QIODevice;

namespace dover {

// The largest animation file that is opened (256 MiB, about 33 million frames);
// anything larger is refused before a byte of it is read.
inline constexpr qint64 MaxAnimationFileSize = qint64{256} * 1024 * 1024;

// The text after the last '/' or '\' of the path (the whole path without either).
QString FilePart(const QString& path);
// The text after the last dot of the file part; empty when it has no dot.
QString ExtensionPart(const QString& path);
// The path a save writes to: the chosen path with ".444" appended unless its
// extension part is exactly "444" ("wave" -> "wave.444", "wave.txt" ->
// "wave.txt.444", "wave." -> "wave..444").
QString AnimationSavePath(const QString& chosen);

// Why an animation file cannot be taken, checked before anything changes.
enum class AnimationProblem {
    None,
    Missing,        // nothing at that path
    Folder,         // the path names a folder
    NotAFile,       // a device, a named pipe or a socket: never opened
    Empty,          // 0 bytes
    NotWholeFrames, // size not a multiple of 8
    TooLarge,       // over the size limit
    Unreadable,     // cannot be opened or read (the reason says why)
    NoMemory,       // no memory for the whole file
};

// The size check alone: Empty, NotWholeFrames, TooLarge or None.
AnimationProblem CheckAnimationSize(qint64 size, qint64 limit);

struct AnimationRead {
    AnimationProblem problem = AnimationProblem::None;
    qint64 size = 0;                 // the size found (also when it was refused)
    QString reason;                  // the system's words for Unreadable
    std::vector<std::uint8_t> bytes; // the whole file when problem is None
};

// Reads a whole animation from an open device: its size is checked first, then
// every byte is read into one buffer of that size, ready to be moved into the
// FrameStore (ReplaceFrames). A device that delivers fewer bytes than its size
// is Unreadable.
AnimationRead ReadAnimation(QIODevice& device, qint64 limit = MaxAnimationFileSize);
// The same for a path, adding Missing, Folder, NotAFile and a file that cannot
// be opened. Only a regular file is opened: opening a named pipe would wait for
// a writer, and a device has no size to check.
AnimationRead ReadAnimationFile(const QString& path, qint64 limit = MaxAnimationFileSize);

// Writes every byte to an open device; false when the device takes fewer.
bool WriteAnimation(QIODevice& device, std::span<const std::uint8_t> bytes);
// Replaces the file at `path` with `bytes` (ReplaceFileSynced): a failure, even
// a crash of the system, leaves the previous file as it was. Returns the system's reason on
// failure, an empty text on success.
QString SaveAnimationFile(const QString& path, std::span<const std::uint8_t> bytes);

} // namespace dover
