// Arbitrary names and frames through the firmware export: the names derived
// from the saved path (ExportBasePath, TablePath, EffectName, EffectNameBytes)
// and both tables (TableText, WriteTable), read back line by line: every line
// of the right shape, the bytes and the running counts as they should be, the
// totals right, no line ending after the last line, and the export recognises
// its own tables.
//
// Input: one byte n, then n bytes of the name typed in the save dialog (read
// as UTF-8, may hold folders), then the animation (whole frames of it).
#include "files/AnimationFormat.h"
#include "files/FirmwareExport.h"
#include "fuzz/FuzzCheck.h"
#include "model/FrameStore.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

using namespace dover;
using dover::fuzz::Require;

namespace {

// The longest file name the file systems take, in bytes.
constexpr qsizetype NameMax = 255;

int DigitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// A count as the tables write it: digits of `base` (uppercase), no leading zero.
std::optional<std::size_t> ParseCount(QByteArrayView text, int base) {
    if (text.isEmpty() || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<std::size_t>(base) + static_cast<std::size_t>(digit);
    }
    return value;
}

// "0xNN" with uppercase digits; the byte it stands for.
std::optional<std::uint8_t> ParseItem(QByteArrayView item) {
    if (item.size() != 4 || !item.startsWith("0x")) {
        return std::nullopt;
    }
    const int high = DigitValue(item[2], 16);
    const int low = DigitValue(item[3], 16);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(high * 16 + low);
}

// `line` is `lead`, then a count in `base`, then `tail`: that count.
std::optional<std::size_t> CountBetween(QByteArrayView line, QByteArrayView lead,
                                        QByteArrayView tail, int base) {
    if (!line.startsWith(lead) || !line.endsWith(tail) || line.size() < lead.size() + tail.size()) {
        return std::nullopt;
    }
    return ParseCount(line.sliced(lead.size(), line.size() - lead.size() - tail.size()), base);
}

// The eight items of a frame line, each followed by `after` (the last one too
// when `afterLast`), must be the frame's bytes; returns the rest of the line.
QByteArrayView CheckItems(QByteArrayView line, std::span<const std::uint8_t> frame,
                          QByteArrayView after, bool afterLast) {
    for (std::size_t b = 0; b < FrameBytes; ++b) {
        Require(line.size() >= 4, "a frame line holds eight items");
        Require(ParseItem(line.first(4)) == frame[b], "each item is its byte in two hex digits");
        line = line.sliced(4);
        if (b + 1 < FrameBytes || afterLast) {
            Require(line.startsWith(after), "items are separated as the table's kind wants");
            line = line.sliced(after.size());
        }
    }
    return line;
}

void CheckCTable(const QByteArray& text, const QByteArray& effect,
                 std::span<const std::uint8_t> bytes) {
    const std::size_t count = bytes.size() / FrameBytes;
    Require(!text.endsWith('\n'), "the C table ends without a line ending");
    Require(!text.contains('\r'), "the C table has no carriage return");
    const QList<QByteArray> lines = text.split('\n');
    Require(static_cast<std::size_t>(lines.size()) == count + 4, "the C table has N + 4 lines");
    Require(lines[0] == "#include <avr/pgmspace.h>", "C line 1 is the include");
    Require(lines[1].isEmpty(), "C line 2 is empty");
    Require(lines[2] == "const unsigned char effect_" + effect + "[] PROGMEM={",
            "C line 3 declares effect_<name>");
    for (std::size_t f = 0; f < count; ++f) {
        const QByteArrayView rest =
            CheckItems(lines[static_cast<qsizetype>(f + 3)],
                       bytes.subspan(f * FrameBytes, FrameBytes), ",", true);
        Require(CountBetween(rest, "    //", " Bytes", 16) == (f + 1) * FrameBytes,
                "a C frame line ends with the running count in hex");
    }
    Require(CountBetween(lines.back(), "};    //", " Total Bytes", 10) == bytes.size(),
            "the C table closes with the total in decimal");
}

void CheckAsmTable(const QByteArray& text, const QByteArray& effect,
                   std::span<const std::uint8_t> bytes) {
    const std::size_t count = bytes.size() / FrameBytes;
    Require(!text.endsWith('\n') && !text.endsWith('\r'), "the asm table ends without a line end");
    Require(text.count('\n') == text.count("\r\n") && text.count('\r') == text.count("\r\n"),
            "the asm table's lines end in CR LF only");
    const QList<QByteArray> lines = text.split('\n');
    Require(static_cast<std::size_t>(lines.size()) == count + 2, "the asm table has N + 2 lines");
    Require(lines[0] == "effect_" + effect + "\r", "asm line 1 is the start label");
    for (std::size_t f = 0; f < count; ++f) {
        QByteArrayView line = lines[static_cast<qsizetype>(f + 1)];
        Require(line.startsWith("\t\tdt ") && line.endsWith("\r"), "an asm frame line is dt");
        line = line.sliced(5).chopped(1);
        const QByteArrayView rest =
            CheckItems(line, bytes.subspan(f * FrameBytes, FrameBytes), ", ", false);
        Require(CountBetween(rest, "     ;", " Bytes", 10) == (f + 1) * FrameBytes,
                "an asm frame line ends with the running count in decimal");
    }
    Require(CountBetween(lines.back(), "effect_" + effect + "_END\t;", " Total Bytes", 10) ==
                bytes.size(),
            "the asm table ends with the end label and the total in decimal");
}

void CheckNames(const QString& name, const QString& saved) {
    const QString base = ExportBasePath(saved);
    Require(base == name + QLatin1Char('.'), "the base path is the saved path less 444");
    Require(TablePath(FirmwareTable::C, saved) == base + QLatin1Char('c'), "C path");
    Require(TablePath(FirmwareTable::Assembler, saved) == base + QLatin1String("asm"), "asm path");
    const QString effect = EffectName(base);
    const QString file = FilePart(base);
    Require(!effect.contains(QLatin1Char('.')), "the effect name has no dot");
    Require(!effect.contains(QLatin1Char('/')) && !effect.contains(QLatin1Char('\\')),
            "the effect name is within the file part");
    Require(!effect.contains(QLatin1Char('\n')) && !effect.contains(QLatin1Char('\r')),
            "the effect name keeps to one line");
    Require(effect.size() <= file.size() - file.count(QLatin1Char('.')),
            "the effect name only loses characters of the file part");
    Require(EffectNameBytes(base) == QFile::encodeName(effect),
            "the name in the file system's bytes");
}

QByteArray Written(FirmwareTable table, const QByteArray& effect,
                   std::span<const std::uint8_t> bytes) {
    QByteArray out;
    QBuffer device(&out);
    Require(device.open(QIODevice::WriteOnly), "buffer opens");
    Require(WriteTable(table, device, effect, bytes), "the table is written");
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t nameSize = std::min<std::size_t>(data[0], size - 1);
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(nameSize));
    const std::size_t rest = size - 1 - nameSize;
    const std::span<const std::uint8_t> bytes(data + 1 + nameSize, rest - rest % FrameBytes);

    const QString saved = name + QLatin1String(".444");
    CheckNames(name, saved);
    const QByteArray effect = EffectNameBytes(ExportBasePath(saved));

    const QByteArray cText = TableText(FirmwareTable::C, effect, bytes);
    const QByteArray asmText = TableText(FirmwareTable::Assembler, effect, bytes);
    CheckCTable(cText, effect, bytes);
    CheckAsmTable(asmText, effect, bytes);
    Require(Written(FirmwareTable::C, effect, bytes) == cText, "C written as formatted");
    Require(Written(FirmwareTable::Assembler, effect, bytes) == asmText,
            "asm written as formatted");
    // A table written before is replaced without asking only when it is
    // recognised: every table of an animation (one frame at least) under a
    // name the file systems take must be.
    if (!bytes.empty() && effect.size() <= NameMax) {
        Require(IsExportedTable(FirmwareTable::C,
                                cText.first(std::min(cText.size(), ExportedTableHeadSize))),
                "a C table is recognised as ours");
        Require(IsExportedTable(FirmwareTable::Assembler,
                                asmText.first(std::min(asmText.size(), ExportedTableHeadSize))),
                "an asm table is recognised as ours");
    }
    return 0;
}
