#include "files/FirmwareExport.h"

#include "files/AnimationFormat.h"
#include "files/ReplaceFile.h"
#include "model/FrameStore.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace dover {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// "0xNN" for every byte value, so a frame line is built by copying pieces.
constexpr std::array<std::array<char, 4>, 256> MakeHexPieces() {
    std::array<std::array<char, 4>, 256> pieces{};
    for (std::size_t value = 0; value < 256; ++value) {
        pieces[value] = {'0', 'x', HexDigits[value >> 4], HexDigits[value & 15]};
    }
    return pieces;
}
constexpr auto HexPieces = MakeHexPieces();

constexpr std::string_view CInclude = "#include <avr/pgmspace.h>\n\n";
constexpr std::string_view CDeclaration = "const unsigned char effect_";
constexpr std::string_view CDeclarationEnd = "[] PROGMEM={\n";
constexpr std::string_view CCountLead = "    //";
constexpr std::string_view CFooterLead = "};    //";
constexpr std::string_view AsmLabel = "effect_";
constexpr std::string_view AsmLineLead = "\t\tdt ";
constexpr std::string_view AsmCountLead = "     ;";
constexpr std::string_view AsmEndLabel = "_END\t;";
constexpr std::string_view CountTail = " Bytes";
constexpr std::string_view TotalTail = " Total Bytes";

// Frames formatted and written at a time: about a mebibyte of text.
constexpr std::size_t FramesPerPiece = 16384;
// The longest frame line: items, count (at most 20 digits), endings.
constexpr std::size_t MaxFrameLine = 8 * 6 + 5 + 6 + 20 + 6 + 2;

char* Put(char* at, std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

char* PutByte(char* at, std::uint8_t value) {
    std::memcpy(at, HexPieces[value].data(), 4);
    return at + 4;
}

// The count in the given base, uppercase digits, no leading zeros.
char* PutCount(char* at, std::size_t count, int base) {
    char* end = std::to_chars(at, at + 20, count, base).ptr;
    std::transform(at, end, at, [](char c) { return c >= 'a' ? static_cast<char>(c - 32) : c; });
    return end;
}

// "0xNN," eight times, then "    //", the running count in hex, " Bytes" LF.
char* PutCLine(char* at, const std::uint8_t* frame, std::size_t count) {
    for (std::size_t b = 0; b < FrameBytes; ++b) {
        at = PutByte(at, frame[b]);
        *at++ = ',';
    }
    at = Put(at, CCountLead);
    at = PutCount(at, count, 16);
    at = Put(at, CountTail);
    *at++ = '\n';
    return at;
}

// Two tabs, "dt ", the items joined by ", ", then "     ;", the running count in
// decimal, " Bytes" CR LF.
char* PutAsmLine(char* at, const std::uint8_t* frame, std::size_t count) {
    at = Put(at, AsmLineLead);
    for (std::size_t b = 0; b < FrameBytes; ++b) {
        if (b > 0) {
            at = Put(at, ", ");
        }
        at = PutByte(at, frame[b]);
    }
    at = Put(at, AsmCountLead);
    at = PutCount(at, count, 10);
    at = Put(at, CountTail);
    return Put(at, "\r\n");
}

QByteArray Joined(std::initializer_list<QByteArrayView> pieces) {
    QByteArray text;
    for (QByteArrayView piece : pieces) {
        text.append(piece);
    }
    return text;
}

QByteArrayView View(std::string_view text) {
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString ExportBasePath(const QString& savedPath) {
    return savedPath.chopped(3);
}

QString TablePath(FirmwareTable table, const QString& savedPath) {
    return ExportBasePath(savedPath) +
           (table == FirmwareTable::C ? QLatin1String("c") : QLatin1String("asm"));
}

QString EffectName(const QString& basePath) {
    QString name = FilePart(basePath);
    name.removeIf([](QChar c) { return c == u'.' || c == u'\n' || c == u'\r'; });
    return name;
}

QByteArray EffectNameBytes(const QString& basePath) {
    return QFile::encodeName(EffectName(basePath));
}

QByteArray TableHeader(FirmwareTable table, QByteArrayView effect) {
    if (table == FirmwareTable::C) {
        return Joined({View(CInclude), View(CDeclaration), effect, View(CDeclarationEnd)});
    }
    return Joined({View(AsmLabel), effect, "\r\n"});
}

void AppendFrameLines(FirmwareTable table, QByteArray& out, std::span<const std::uint8_t> frames,
                      std::size_t firstFrame) {
    const std::size_t count = frames.size() / FrameBytes;
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(count * MaxFrameLine));
    char* at = out.data() + start;
    for (std::size_t f = 0; f < count; ++f) {
        const std::uint8_t* frame = frames.data() + f * FrameBytes;
        const std::size_t running = (firstFrame + f + 1) * FrameBytes;
        at = table == FirmwareTable::C ? PutCLine(at, frame, running)
                                       : PutAsmLine(at, frame, running);
    }
    out.truncate(at - out.constData());
}

QByteArray TableFooter(FirmwareTable table, QByteArrayView effect, std::size_t totalBytes) {
    const QByteArray total = QByteArray::number(static_cast<qulonglong>(totalBytes));
    if (table == FirmwareTable::C) {
        return Joined({View(CFooterLead), total, View(TotalTail)});
    }
    return Joined({View(AsmLabel), effect, View(AsmEndLabel), total, View(TotalTail)});
}

QByteArray TableText(FirmwareTable table, QByteArrayView effect,
                     std::span<const std::uint8_t> bytes) {
    QByteArray text = TableHeader(table, effect);
    AppendFrameLines(table, text, bytes, 0);
    text.append(TableFooter(table, effect, bytes.size()));
    return text;
}

bool WriteTable(FirmwareTable table, QIODevice& device, QByteArrayView effect,
                std::span<const std::uint8_t> bytes) {
    QByteArray piece = TableHeader(table, effect);
    piece.reserve(static_cast<qsizetype>(FramesPerPiece * MaxFrameLine) + piece.size());
    const std::size_t frameCount = bytes.size() / FrameBytes;
    for (std::size_t first = 0; first < frameCount; first += FramesPerPiece) {
        const std::size_t count = std::min(FramesPerPiece, frameCount - first);
        AppendFrameLines(table, piece, bytes.subspan(first * FrameBytes, count * FrameBytes),
                         first);
        if (!WriteAll(device, piece)) {
            return false;
        }
        piece.resize(0);
    }
    piece.append(TableFooter(table, effect, bytes.size()));
    return WriteAll(device, piece);
}

QString SaveTableFile(FirmwareTable table, const QString& path, QByteArrayView effect,
                      std::span<const std::uint8_t> bytes) {
    return ReplaceFile(path,
                       [&](QIODevice& device) { return WriteTable(table, device, effect, bytes); });
}

bool IsExportedTable(FirmwareTable table, QByteArrayView head) {
    if (table == FirmwareTable::C) {
        return head.startsWith(Joined({View(CInclude), View(CDeclaration)}));
    }
    const qsizetype lineEnd = head.indexOf(QByteArrayView("\r\n"));
    return head.startsWith(View(AsmLabel)) && lineEnd > 0 && !head.first(lineEnd).contains('\n') &&
           head.sliced(lineEnd + 2).startsWith(QByteArrayView("\t\tdt 0x"));
}

} // namespace dover
