// The .444 format, the names derived from a saved path and the firmware table
// texts, against golden files written from the documented layouts.
#include "files/AnimationFormat.h"
#include "files/FirmwareExport.h"
#include "files/ReplaceFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace dover;

namespace {

QByteArray ReadGolden(const QString& name) {
    QFile file(QFINDTESTDATA(QStringLiteral("data/") + name));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("golden file %s missing", qPrintable(name));
        return {};
    }
    return file.readAll();
}

std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// The text of one frame line as the C table spells it, built independently.
QByteArray CLine(const std::uint8_t* frame, std::size_t count) {
    QByteArray line;
    for (int b = 0; b < 8; ++b) {
        line += "0x" + QByteArray::number(frame[b], 16).rightJustified(2, '0').toUpper() + ",";
    }
    return line + "    //" + QByteArray::number(qulonglong(count), 16).toUpper() + " Bytes\n";
}

// A device that takes only `room` bytes, then fails.
class ShortDevice : public QBuffer {
public:
    explicit ShortDevice(qint64 room) : Room(room) {}

protected:
    qint64 writeData(const char* data, qint64 len) override {
        const qint64 take = std::min(len, Room - pos());
        return take <= 0 ? -1 : QBuffer::writeData(data, take);
    }

private:
    qint64 Room;
};

} // namespace

class TestFileFormats : public QObject {
    Q_OBJECT

private slots:
    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("extension");
        QTest::addRow("plain") << "/home/u/wave.444"
                               << "wave.444"
                               << "444";
        QTest::addRow("backslash") << "C:\\anim\\wave.txt"
                                   << "wave.txt"
                                   << "txt";
        QTest::addRow("mixed slashes") << "C:/a\\b/c.d"
                                       << "c.d"
                                       << "d";
        QTest::addRow("dot in folder only") << "/a.b/wave"
                                            << "wave"
                                            << "";
        QTest::addRow("no folder") << "my.anim.444"
                                   << "my.anim.444"
                                   << "444";
        QTest::addRow("trailing dot") << "/x/wave."
                                      << "wave."
                                      << "";
    }
    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QString, file);
        QFETCH(QString, extension);
        QCOMPARE(FilePart(path), file);
        QCOMPARE(ExtensionPart(path), extension);
    }

    void savePath_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::addRow("no extension") << "/t/wave"
                                      << "/t/wave.444";
        QTest::addRow("444 kept") << "/t/wave.444"
                                  << "/t/wave.444";
        QTest::addRow("other extension") << "/t/wave.txt"
                                         << "/t/wave.txt.444";
        QTest::addRow("longer digits") << "/t/wave.4444"
                                       << "/t/wave.4444.444";
        QTest::addRow("trailing dot") << "/t/wave."
                                      << "/t/wave..444";
        QTest::addRow("dot in folder") << "/t/v1.444/wave"
                                       << "/t/v1.444/wave.444";
        QTest::addRow("upper case") << "/t/wave.444X"
                                    << "/t/wave.444X.444";
    }
    void savePath() {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(AnimationSavePath(chosen), saved);
    }

    void exportNames_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("cPath");
        QTest::addColumn<QString>("asmPath");
        QTest::addColumn<QString>("effect");
        QTest::addRow("wave") << "/t/wave.444"
                              << "/t/wave.c"
                              << "/t/wave.asm"
                              << "wave";
        QTest::addRow("several dots") << "/t/my.anim.444"
                                      << "/t/my.anim.c"
                                      << "/t/my.anim.asm"
                                      << "myanim";
        QTest::addRow("444 in stem") << "/t/cube444.444"
                                     << "/t/cube444.c"
                                     << "/t/cube444.asm"
                                     << "cube444";
        QTest::addRow("444 in folder") << "/t/444/x.444/a.444"
                                       << "/t/444/x.444/a.c"
                                       << "/t/444/x.444/a.asm"
                                       << "a";
        QTest::addRow("blanks and Cyrillic kept") << "/t/моя волна-1.444"
                                                  << "/t/моя волна-1.c"
                                                  << "/t/моя волна-1.asm"
                                                  << "моя волна-1";
        // A label or an array name spans one line of the tables.
        QTest::addRow("line breaks dropped") << "/t/two\nlines\r.444"
                                             << "/t/two\nlines\r.c"
                                             << "/t/two\nlines\r.asm"
                                             << "twolines";
        QTest::addRow("only dots") << "/t/..444"
                                   << "/t/..c"
                                   << "/t/..asm"
                                   << "";
    }
    void exportNames() {
        QFETCH(QString, saved);
        QFETCH(QString, cPath);
        QFETCH(QString, asmPath);
        QFETCH(QString, effect);
        QCOMPARE(TablePath(FirmwareTable::C, saved), cPath);
        QCOMPARE(TablePath(FirmwareTable::Assembler, saved), asmPath);
        QCOMPARE(EffectName(ExportBasePath(saved)), effect);
        QCOMPARE(EffectNameBytes(ExportBasePath(saved)), QFile::encodeName(effect));
    }

    // Each golden stem has a .444 and the .c and .asm that it exports to.
    void goldenTables_data() {
        QTest::addColumn<QString>("stem");
        QTest::addRow("worked example, two frames") << "wave";
        QTest::addRow("new animation, one empty frame") << "new";
        QTest::addRow("several dots") << "my.anim";
        QTest::addRow("444 in stem, high-bit bytes") << "cube444";
        QTest::addRow("33 frames, hex count past FF") << "long";
    }
    void goldenTables() {
        QFETCH(QString, stem);
        const QByteArray animation = ReadGolden(stem + ".444");
        QVERIFY(!animation.isEmpty());
        const QByteArray effect = EffectNameBytes(ExportBasePath("/t/" + stem + ".444"));
        const QByteArray cText = ReadGolden(stem + ".c");
        const QByteArray asmText = ReadGolden(stem + ".asm");
        QCOMPARE(TableText(FirmwareTable::C, effect, AsBytes(animation)), cText);
        QCOMPARE(TableText(FirmwareTable::Assembler, effect, AsBytes(animation)), asmText);
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        QVERIFY(WriteTable(FirmwareTable::Assembler, device, effect, AsBytes(animation)));
        QCOMPARE(device.data(), asmText);
        if (stem == QLatin1String("wave")) {
            QCOMPARE(cText.size(), 202);
            QCOMPARE(asmText.size(), 177);
        }
    }

    void runningCounts() {
        const QByteArray animation = ReadGolden(QStringLiteral("long.444"));
        const QByteArray c = TableText(FirmwareTable::C, "long", AsBytes(animation));
        const QByteArray a = TableText(FirmwareTable::Assembler, "long", AsBytes(animation));
        QVERIFY(c.split('\n').at(4).endsWith("    //10 Bytes"));
        QVERIFY(a.split('\n').at(2).endsWith("     ;16 Bytes\r"));
        QVERIFY(c.split('\n').at(3 + 31).endsWith("    //100 Bytes"));
        QVERIFY(a.split('\n').at(1 + 31).endsWith("     ;256 Bytes\r"));
        QVERIFY(c.endsWith("};    //264 Total Bytes"));
        QVERIFY(a.endsWith("effect_long_END\t;264 Total Bytes"));
        QVERIFY(!c.contains('\r'));
        QCOMPARE(a.count("\r\n"), a.count('\n'));
    }

    // The writer formats a large piece at a time; lines and counts must run on
    // across the pieces exactly as in one text.
    void writeInPiecesMatchesWholeText() {
        std::vector<std::uint8_t> bytes(40000 * 8);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 8);
        }
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        QVERIFY(WriteTable(FirmwareTable::C, device, "big", bytes));
        QCOMPARE(device.data(), TableText(FirmwareTable::C, "big", bytes));
        const QList<QByteArray> lines = device.data().split('\n');
        QCOMPARE(lines.size(), 40000 + 4);
        for (std::size_t f : {std::size_t{16383}, std::size_t{16384}, std::size_t{39999}}) {
            QCOMPARE(lines.at(qsizetype(f) + 3) + '\n', CLine(bytes.data() + f * 8, (f + 1) * 8));
        }
    }

    void writeTableReportsShortDevice() {
        std::vector<std::uint8_t> bytes(40000 * 8, 0x55);
        ShortDevice device(100000);
        device.open(QIODevice::WriteOnly);
        QVERIFY(!WriteTable(FirmwareTable::Assembler, device, "x", bytes));
        ShortDevice small(10);
        small.open(QIODevice::WriteOnly);
        QVERIFY(!WriteAnimation(small, std::span(bytes).first(16)));
    }

    void exportedTableHead_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("ours");
        const int c = int(FirmwareTable::C);
        const int a = int(FirmwareTable::Assembler);
        QTest::addRow("our C") << c << ReadGolden("wave.c") << true;
        QTest::addRow("our asm") << a << ReadGolden("wave.asm") << true;
        QTest::addRow("our asm, long name")
            << a << QByteArray("effect_" + QByteArray(255, 'n') + "\r\n\t\tdt 0x00, 0x0") << true;
        QTest::addRow("hand-written C")
            << c << QByteArray("#include <avr/io.h>\nint main(void) {}\n") << false;
        QTest::addRow("C with other array")
            << c << QByteArray("#include <avr/pgmspace.h>\n\nconst unsigned char table[]") << false;
        QTest::addRow("C head cut short") << c << QByteArray("#include <avr/pgmspace.h>") << false;
        QTest::addRow("asm label, then code")
            << a << QByteArray("effect_x\r\n\tldi r16, 1\r\n") << false;
        QTest::addRow("asm with LF lines") << a << QByteArray("effect_x\n\t\tdt 0x00\n") << false;
        QTest::addRow("asm code") << a << QByteArray(".include \"m8def.inc\"\r\n") << false;
        QTest::addRow("empty") << c << QByteArray() << false;
    }
    void exportedTableHead() {
        QFETCH(int, table);
        QFETCH(QByteArray, head);
        QFETCH(bool, ours);
        QCOMPARE(IsExportedTable(FirmwareTable(table), head.left(ExportedTableHeadSize)), ours);
    }

    void sizeCheck_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("problem");
        QTest::addRow("empty") << qint64(0) << int(AnimationProblem::Empty);
        QTest::addRow("7") << qint64(7) << int(AnimationProblem::NotWholeFrames);
        QTest::addRow("8") << qint64(8) << int(AnimationProblem::None);
        QTest::addRow("17") << qint64(17) << int(AnimationProblem::NotWholeFrames);
        QTest::addRow("at the limit") << MaxAnimationFileSize << int(AnimationProblem::None);
        QTest::addRow("over the limit")
            << MaxAnimationFileSize + 8 << int(AnimationProblem::TooLarge);
    }
    void sizeCheck() {
        QFETCH(qint64, size);
        QFETCH(int, problem);
        QCOMPARE(int(CheckAnimationSize(size, MaxAnimationFileSize)), problem);
    }

    // A replaced file keeps the permissions it had; a new one gets rw-r--r--.
    // Nothing but the file itself is left in the folder.
    void replaceFile_data() {
        QTest::addColumn<bool>("synced");
        QTest::addColumn<int>("before"); // -1: no file before
        QTest::addColumn<int>("after");
        const int rw = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const int rwr = rw | int(QFileDevice::ReadGroup);
        const int fresh = rwr | int(QFileDevice::ReadOther);
        for (bool synced : {true, false}) {
            const char* kind = synced ? "synced" : "unsynced";
            QTest::addRow("%s, new file", kind) << synced << -1 << fresh;
            QTest::addRow("%s, rw-------", kind) << synced << rw << rw;
            QTest::addRow("%s, rw-r-----", kind) << synced << rwr << rwr;
        }
    }
    void replaceFile() {
        QFETCH(bool, synced);
        QFETCH(int, before);
        QFETCH(int, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.c"));
        if (before >= 0) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.close();
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(before)));
        }
        const auto write = [](QIODevice& device) { return device.write("new") == 3; };
        QCOMPARE(synced ? ReplaceFileSynced(path, write) : ReplaceFile(path, write), QString());
        QFile result(path);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(result.readAll(), QByteArray("new"));
        const int owner =
            int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
        if (synced && before < 0) {
            QVERIFY(int(result.permissions() & QFileDevice::Permissions(owner)) != 0);
        } else {
            QCOMPARE(int(result.permissions() & QFileDevice::Permissions(owner)), after);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"t.c"});
    }

    void replaceFileFailureKeepsOld() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.c"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const auto fails = [](QIODevice& device) { return device.write("ne") < 0; };
        QVERIFY(!ReplaceFileSynced(path, fails).isNull());
        QVERIFY(!ReplaceFile(path, fails).isNull());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"t.c"});
    }

    void readAnimationFromDevice() {
        QByteArray bytes(24, '\0');
        bytes[0] = char(0xFF);
        bytes[23] = char(0x80);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const AnimationRead read = ReadAnimation(buffer);
        QCOMPARE(int(read.problem), int(AnimationProblem::None));
        QCOMPARE(read.bytes, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        QBuffer sameBuffer(&bytes);
        sameBuffer.open(QIODevice::ReadOnly);
        QCOMPARE(int(ReadAnimation(sameBuffer, 16).problem), int(AnimationProblem::TooLarge));
    }
};

QTEST_GUILESS_MAIN(TestFileFormats)
#include "tst_fileformats.moc"
