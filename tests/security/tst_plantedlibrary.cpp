// The program loads no library from the folder it is started in, where a
// user's downloads may lie: the engine library only from its own data folder,
// by absolute path, and the system's libraries from the system's places. The
// real dover444 is started from a folder holding a library, planted under the
// engine's names and those of libraries the program uses, whose loading would
// leave a marker file there.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString Marker = QStringLiteral("planted-library-was-loaded");

// The names a loader searching the current folder would take.
const QStringList PlantedNames = {QStringLiteral("libb3d.so"),
                                  QStringLiteral("b3d.dll"),
                                  QStringLiteral("b3d"),
                                  QStringLiteral("libGL.so.1"),
                                  QStringLiteral("libpng16.so.16"),
                                  QStringLiteral("libQt6Core.so.6"),
                                  QStringLiteral("libQt6Gui.so.6"),
                                  QStringLiteral("libz.so.1"),
                                  QStringLiteral("libqoffscreen.so")};

QString ReadMaps(qint64 pid) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
}

// The process's memory map once a library from `folder` is in it (the engine
// bound); nothing when that does not happen within the time given.
std::optional<QString> MapsOnceLoadedFrom(const QProcess& process, const QString& folder) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30000 && process.state() == QProcess::Running) {
        const QString maps = ReadMaps(process.processId());
        if (maps.contains(folder)) {
            return maps;
        }
        QTest::qWait(20);
    }
    return std::nullopt;
}

} // namespace

class TestPlantedLibrary : public QObject {
    Q_OBJECT

    QTemporaryDir Planted;
    QTemporaryDir Data;

private slots:
    void initTestCase() {
        QVERIFY(Planted.isValid());
        QVERIFY(Data.isValid());
        for (const QString& name : PlantedNames) {
            QVERIFY(QFile::copy(QStringLiteral(PLANTED_LIBRARY), Planted.filePath(name)));
        }
    }

    // The marker does tell: the planted library leaves it when it is loaded.
    void plantedLibraryLeavesMarkerWhenLoaded() {
        QTemporaryDir folder;
        const QString startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        QLibrary library(QStringLiteral(PLANTED_LIBRARY));
        const bool loaded = library.load();
        const bool marked = QFile::exists(Marker);
        library.unload();
        QDir::setCurrent(startFolder);
        QVERIFY2(loaded, qPrintable(library.errorString()));
        QVERIFY(marked);
    }

    void programLoadsNothingFromItsFolder() {
        QProcess program;
        program.setProgram(QStringLiteral(DOVER444));
        program.setWorkingDirectory(Planted.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The engine library goes to a data folder of this test's own.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), Data.path());
        program.setProcessEnvironment(environment);
        program.start();
        QVERIFY(program.waitForStarted());
        std::optional<QString> maps = MapsOnceLoadedFrom(program, Data.path());
        if (maps) {
            // The rest of start-up (the window, its plugins) and some idle time.
            QTest::qWait(1500);
            maps = ReadMaps(program.processId());
        }
        program.kill();
        program.waitForFinished();
        QVERIFY2(maps && maps->contains(Data.path()),
                 "the editor did not load its engine library, or did not stay running");
        QVERIFY2(!maps->contains(Planted.path()), qPrintable(*maps));
        QVERIFY(!QFile::exists(Planted.filePath(Marker)));
    }
};

QTEST_GUILESS_MAIN(TestPlantedLibrary)
#include "tst_plantedlibrary.moc"
