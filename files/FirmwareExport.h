#pragma once

// The firmware tables exported beside every saved animation: a C file with the
// frames as a PROGMEM byte array for AVR parts (lines end in LF) and an
// assembler file with one `dt` line per frame between a start and an end label
// (lines end in CR LF). Neither file ends with a line ending. Every byte is
// written "0x" and two uppercase hex digits; each frame line ends with the
// running byte count (hexadecimal in C, decimal in assembler), and the last
// line gives the total in decimal.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

class QIODevice;

namespace dover {

enum class FirmwareTable { C, Assembler };

// The saved path less its extension "444"; the dot before it stays
// (".../wave.444" -> ".../wave."). `savedPath` ends in ".444".
QString ExportBasePath(const QString& savedPath);
// The file a table goes to: the base path followed by "c" or "asm".
QString TablePath(FirmwareTable table, const QString& savedPath);
// The file part of the base path with every dot removed, nothing else changed
// ("my.anim." -> "myanim"), except line breaks (CR, LF), which a name may hold
// on some file systems but the one-line labels of the tables cannot.
QString EffectName(const QString& basePath);
// The effect name as the tables spell it: the bytes the file system uses for it.
QByteArray EffectNameBytes(const QString& basePath);

// The pieces of a table's text. `effect` is EffectNameBytes; `frames` holds
// whole frames and `firstFrame` is the index of its first one in the animation
// (for the running count). Lines are appended to `out` with their endings.
QByteArray TableHeader(FirmwareTable table, QByteArrayView effect);
void AppendFrameLines(FirmwareTable table, QByteArray& out, std::span<const std::uint8_t> frames,
                      std::size_t firstFrame);
QByteArray TableFooter(FirmwareTable table, QByteArrayView effect, std::size_t totalBytes);
// The whole text of a table for the animation `bytes`.
QByteArray TableText(FirmwareTable table, QByteArrayView effect,
                     std::span<const std::uint8_t> bytes);
// Writes the same text to an open device, formatted and written a large piece
// at a time; false when the device takes fewer bytes.
bool WriteTable(FirmwareTable table, QIODevice& device, QByteArrayView effect,
                std::span<const std::uint8_t> bytes);
// Replaces the file at `path` with the table (ReplaceFile: a failure leaves the
// previous file as it was; not waited onto the disk, since every save writes
// the tables again). Returns the system's reason on failure, empty on success.
QString SaveTableFile(FirmwareTable table, const QString& path, QByteArrayView effect,
                      std::span<const std::uint8_t> bytes);

// How many leading bytes IsExportedTable needs to see.
inline constexpr qsizetype ExportedTableHeadSize = 512;
// Whether a file beginning with `head` is a table this program wrote, and so
// may be replaced without asking. A C table begins with the include line, an
// empty line and "const unsigned char effect_"; an assembler table begins with
// a line "effect_..." ended by CR LF, followed by two tabs and "dt 0x".
bool IsExportedTable(FirmwareTable table, QByteArrayView head);

} // namespace dover
