// Deploying and binding the engine library: the carried copy goes into the
// program's private data folder (here a temporary XDG_DATA_HOME), is replaced
// when it differs, is loaded from there only, and a copy that cannot be loaded
// gives the fatal message and stops start-up before any window opens.
#include "app/Application.h"
#include "preview/EngineBinding.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace dover;
using namespace dover::test;

namespace {

QByteArray Bytes(std::span<const std::uint8_t> bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QString FatalText() {
    return QStringLiteral("Failed to open %1!").arg(CarriedEngineFileName());
}

const std::vector<std::uint8_t> Garbage(4096, 0x5A);

} // namespace

class TestEngineBinding : public QObject {
    Q_OBJECT

private:
    // Each test gets its own data folder and its own current folder.
    std::unique_ptr<QTemporaryDir> DataHome;
    std::unique_ptr<QTemporaryDir> WorkFolder;
    QString StartFolder;

    QString LibraryPath() const {
        return QDir(EngineFolder()).absoluteFilePath(CarriedEngineFileName());
    }
    QString WorkPath(const QString& name) const { return QDir(WorkFolder->path()).filePath(name); }

private slots:
    void initTestCase() { StartFolder = QDir::currentPath(); }

    void init() {
        DataHome = std::make_unique<QTemporaryDir>();
        WorkFolder = std::make_unique<QTemporaryDir>();
        QVERIFY(DataHome->isValid() && WorkFolder->isValid());
        qputenv("XDG_DATA_HOME", DataHome->path().toLocal8Bit());
        QVERIFY(QDir::setCurrent(WorkFolder->path()));
    }

    void cleanup() {
        QDir::setCurrent(StartFolder);
        WorkFolder.reset();
        DataHome.reset();
    }

    void writesTheCarriedCopyAndBindsEveryEntry() {
        QVERIFY(EngineFolder().startsWith(DataHome->path()));
        ScriptedDialogs dialogs;
        EngineBinding engine;
        QVERIFY(engine.BindEngine(dialogs));

        QCOMPARE(ReadFile(LibraryPath()), Bytes(CarriedEngine()));
        QVERIFY(engine.IsBound());
        QCOMPARE(engine.LibraryPath(), LibraryPath());
        QCOMPARE(MissingEntries(engine.Table()), QStringList{});
        QVERIFY(dialogs.Told.isEmpty());
        // Nothing is written to the current folder.
        QCOMPARE(QDir(WorkFolder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{});

        engine.ReleaseEngine();
        QVERIFY(!engine.IsBound());
        QCOMPARE(MissingEntries(engine.Table()).size(), 27);
    }

    void replacesADifferentFile_data() {
        QTest::addColumn<QByteArray>("stale");
        const QByteArray carried = Bytes(CarriedEngine());
        QByteArray changed = carried;
        changed[changed.size() / 2] = static_cast<char>(~changed[changed.size() / 2]);
        QTest::addRow("empty file") << QByteArray();
        QTest::addRow("garbage") << Bytes(Garbage);
        QTest::addRow("copy cut short") << carried.left(carried.size() - 1);
        QTest::addRow("copy with a byte changed") << changed;
        QTest::addRow("copy with a byte more") << carried + '\0';
    }
    void replacesADifferentFile() {
        QFETCH(QByteArray, stale);
        QVERIFY(QDir().mkpath(EngineFolder()));
        QVERIFY(WriteFile(LibraryPath(), stale));

        ScriptedDialogs dialogs;
        EngineBinding engine;
        QVERIFY(engine.BindEngine(dialogs));
        QCOMPARE(ReadFile(LibraryPath()), Bytes(CarriedEngine()));
        QVERIFY(engine.IsBound());
        // Replaced in one step: no temporary file is left beside it.
        QCOMPARE(QDir(EngineFolder()).entryList(QDir::Files), QStringList{CarriedEngineFileName()});
    }

    void leavesAnIdenticalFileAlone() {
        QVERIFY(QDir().mkpath(EngineFolder()));
        QVERIFY(WriteFile(LibraryPath(), Bytes(CarriedEngine())));
        const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile file(LibraryPath());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }

        ScriptedDialogs dialogs;
        EngineBinding engine;
        QVERIFY(engine.BindEngine(dialogs));
        QCOMPARE(QFileInfo(LibraryPath()).lastModified().toUTC(), old);
    }

    void copyThatCannotBeLoadedIsFatal_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addRow("carried copy is no library") << "garbage";
        QTest::addRow("a folder in the library's place") << "folder";
        QTest::addRow("data folder cannot be made") << "data is a file";
    }
    void copyThatCannotBeLoadedIsFatal() {
        QFETCH(QString, obstacle);
        EngineBinding engine;
        if (obstacle == "garbage") {
            engine.Carried = Garbage;
        } else if (obstacle == "folder") {
            QVERIFY(QDir().mkpath(LibraryPath()));
        } else {
            const QString file = QDir(DataHome->path()).filePath("plain file");
            QVERIFY(WriteFile(file, "x"));
            qputenv("XDG_DATA_HOME", file.toLocal8Bit());
        }

        ScriptedDialogs dialogs;
        QVERIFY(!engine.BindEngine(dialogs));
        QVERIFY(!engine.IsBound());
        QCOMPARE(MissingEntries(engine.Table()).size(), 27);
        QCOMPARE(dialogs.Told.size(), 1);
        QCOMPARE(dialogs.Told[0].Title, QStringLiteral("Fatal error!"));
        QCOMPARE(dialogs.Told[0].Text, FatalText());
    }

    void startUpEndsWithoutAWindowWhenTheEngineFails() {
        ScriptedDialogs dialogs;
        Application app(dialogs);
        app.Engine.Carried = Garbage;
        QVERIFY(!app.StartUp());
        QVERIFY(!app.Window);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
        app.ShutDown();
        QCOMPARE(dialogs.Told.size(), 1);
        QCOMPARE(dialogs.Told[0].Text, FatalText());
    }

    void libraryInTheCurrentFolderIsNeverLoaded_data() {
        QTest::addColumn<bool>("plantWorkingCopy");
        QTest::addColumn<bool>("carryGarbage");
        QTest::addColumn<bool>("binds");
        // A working library beside the user's files does not stand in for a
        // carried copy that cannot be loaded...
        QTest::addRow("working library planted") << true << true << false;
        // ...and garbage there does not get in the way of the carried copy.
        QTest::addRow("garbage planted") << false << false << true;
    }
    void libraryInTheCurrentFolderIsNeverLoaded() {
        QFETCH(bool, plantWorkingCopy);
        QFETCH(bool, carryGarbage);
        QFETCH(bool, binds);
        const QString planted = WorkPath(CarriedEngineFileName());
        QVERIFY(WriteFile(planted, plantWorkingCopy ? Bytes(CarriedEngine()) : Bytes(Garbage)));

        ScriptedDialogs dialogs;
        EngineBinding engine;
        if (carryGarbage) {
            engine.Carried = Garbage;
        }
        QCOMPARE(engine.BindEngine(dialogs), binds);
        QCOMPARE(engine.IsBound(), binds);
        if (binds) {
            QCOMPARE(engine.LibraryPath(), LibraryPath());
        }
        QCOMPARE(dialogs.Told.size(), binds ? 0 : 1);
    }
};

QTEST_MAIN(TestEngineBinding)
#include "tst_enginebinding.moc"
