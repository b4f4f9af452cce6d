// Faults a save or an open has to survive: the process killed in the middle
// of writing, the file-size limit reached, files and folders the user may not
// write or read, and paths that name no regular file. Whatever happens, the
// previous .444 stays whole and readable, and what failed is told.
//
// The tests run as root on the build machines, where permissions stop
// nothing; the cases that need them run in a child process that first becomes
// the user "nobody".
#include "app/Application.h"
#include "editor/Widgets.h"
#include "files/AnimationFormat.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace dover;
using dover::test::Editor;
using dover::test::ReadFile;
using dover::test::TextsOf;
using dover::test::WriteFile;

namespace {

QByteArray Frames(qsizetype count, int seed) {
    QByteArray bytes(count * 8, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bytes[i] = char(i * 31 + seed);
    }
    return bytes;
}

std::vector<std::uint8_t> AsVector(const QByteArray& bytes) {
    return {bytes.begin(), bytes.end()};
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Starts a child that saves `bytes` at `path` through SaveAnimationFile, the
// way the save button writes, under a file-size limit when one is given (and
// with the limit's signal at its default action: the child dies of it).
pid_t StartSave(const QString& path, std::span<const std::uint8_t> bytes,
                std::optional<rlim_t> sizeLimit) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (sizeLimit) {
            const rlimit limit{*sizeLimit, *sizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_DFL);
        }
        ::_exit(SaveAnimationFile(path, bytes).isEmpty() ? 0 : 1);
    }
    return pid;
}

// The size of a file in `folder` that the process `pid` holds open, once that
// is more than nothing and less than `whole`: the process is in the middle of
// writing it. Nothing when the process ended first.
std::optional<qint64> WaitUntilWriting(pid_t pid, const QString& folder, qint64 whole) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    for (;;) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            return std::nullopt;
        }
        for (const QString& fd : QDir(fds).entryList(QDir::Files | QDir::System)) {
            const QByteArray link = QFile::encodeName(fds + u'/' + fd);
            char target[4096] = {};
            const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
            struct stat info {};
            if (length > 0 && QByteArray(target).startsWith(prefix) &&
                ::stat(link.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
                info.st_size < whole) {
                return qint64{info.st_size};
            }
        }
    }
}

// Runs `work` in a child process as the user "nobody" (as it is when the tests
// do not run as root) and returns the lines it hands back.
std::optional<QStringList> RunAsUser(const std::function<QStringList()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return std::nullopt;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr || ::setgroups(0, nullptr) != 0 ||
                ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) {
                ::_exit(2);
            }
        }
        const QByteArray answer = work().join(u'\x1f').toUtf8();
        const bool sent = ::write(channel[1], answer.constData(), std::size_t(answer.size())) ==
                          ssize_t(answer.size());
        ::_exit(sent ? 0 : 3);
    }
    ::close(channel[1]);
    QByteArray answer;
    char piece[4096];
    for (ssize_t got; (got = ::read(channel[0], piece, sizeof piece)) > 0;) {
        answer.append(piece, got);
    }
    ::close(channel[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(answer).split(u'\x1f');
}

// Folders and files owned by root but open to the child user, as far as asked.
bool Permit(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<Editor> Ed;
    std::unique_ptr<QTemporaryDir> Dir;

    QString At(const QString& name) const { return Dir->filePath(name); }

    void Load(const QByteArray& bytes) {
        QVERIFY(Ed->App.Frames.ReplaceFrames(AsVector(bytes)));
        Ed->App.Files.MarkSaved();
    }
    QByteArray Animation() const {
        const auto all = Ed->App.Frames.AllBytes();
        return QByteArray(reinterpret_cast<const char*>(all.data()), qsizetype(all.size()));
    }

private slots:
    void init() {
        Ed = std::make_unique<Editor>();
        Dir = std::make_unique<QTemporaryDir>();
        QVERIFY(Dir->isValid());
    }
    void cleanup() {
        Ed.reset();
        Dir.reset();
    }

    // The process dies part way through writing a new version over the old:
    // killed outright, or by the signal of the file-size limit. The old file
    // is still there, whole, and nothing else is left in the folder.
    void killedSaveKeepsOldFile_data() {
        QTest::addColumn<int>("killSignal");
        QTest::addColumn<qint64>("sizeLimit"); // 0: none
        QTest::addColumn<qsizetype>("frames");
        QTest::addRow("SIGKILL mid-write") << SIGKILL << qint64(0) << qsizetype(32 << 20);
        QTest::addRow("file-size limit") << SIGXFSZ << qint64(1 << 20) << qsizetype(1 << 20);
    }
    void killedSaveKeepsOldFile() {
        QFETCH(int, killSignal);
        QFETCH(qint64, sizeLimit);
        QFETCH(qsizetype, frames);
        const QString path = At("keep.444");
        const QByteArray old = Frames(3, 42);
        const QByteArray large = Frames(frames, 7);
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(large.constData()),
                                     std::size_t(large.size()));
        // The kill has to land while the write runs; a write that finished
        // first is tried again.
        bool landed = false;
        for (int attempt = 0; attempt < 5 && !landed; ++attempt) {
            QVERIFY(WriteFile(path, old));
            const pid_t pid = StartSave(
                path, bytes, sizeLimit > 0 ? std::optional(rlim_t(sizeLimit)) : std::nullopt);
            QVERIFY(pid > 0);
            if (killSignal == SIGKILL) {
                if (!WaitUntilWriting(pid, Dir->path(), large.size())) {
                    continue; // ended before it was caught writing
                }
                ::kill(pid, SIGKILL);
            }
            int status = 0;
            QCOMPARE(::waitpid(pid, &status, 0), pid);
            QVERIFY2(WIFSIGNALED(status), "the save ran to its end");
            QCOMPARE(WTERMSIG(status), killSignal);
            landed = true;
        }
        QVERIFY2(landed, "no attempt was caught in the middle of writing");
        const AnimationRead read = ReadAnimationFile(path);
        QCOMPARE(int(read.problem), int(AnimationProblem::None));
        QVERIFY(read.bytes == AsVector(old));
        QCOMPARE(FilesIn(Dir->path()), QStringList{"keep.444"});
    }

    // A save the user may not make, told in one message, losing nothing: the
    // animation stays, and so does every file that was there; what could be
    // written beside it, is.
    void saveWhereNotAllowed_data() {
        QTest::addColumn<QString>("protect"); // "folder" or the file that is write-protected
        QTest::addColumn<QStringList>("failed");
        QTest::addColumn<QStringList>("written");
        QTest::addRow("read-only folder")
            << "folder" << QStringList{"ro.444", "ro.c", "ro.asm"} << QStringList{};
        QTest::addRow("write-protected .444")
            << "ro.444" << QStringList{"ro.444"} << QStringList{"ro.c", "ro.asm"};
        QTest::addRow("write-protected .c")
            << "ro.c" << QStringList{"ro.c"} << QStringList{"ro.444", "ro.asm"};
    }
    void saveWhereNotAllowed() {
        QFETCH(QString, protect);
        QFETCH(QStringList, failed);
        QFETCH(QStringList, written);
        // Earlier versions of all three files, as an earlier save left them.
        const QByteArray old = Frames(2, 9);
        Load(old);
        Ed->Dialogs.SavePaths << At("ro.444");
        Ed->App.Dispatch(EventKind::WidgetEvent, SaveButton, SubKind::Click);
        QVERIFY(Ed->Dialogs.Told.isEmpty());
        QMap<QString, QByteArray> before;
        for (const QString& name : FilesIn(Dir->path())) {
            before[name] = ReadFile(At(name));
        }
        QCOMPARE(before.size(), 3);

        const QByteArray edited = Frames(5, 1);
        Load(edited);
        Ed->App.Frames.SetCurrentByte(0, 0x77); // unsaved work
        const QByteArray animation = Animation();
        const bool folderOpen = protect != QLatin1String("folder");
        QVERIFY(Permit(Dir->path(), folderOpen ? 0777 : 0755));
        for (const QString& name : before.keys()) {
            QVERIFY(Permit(At(name), name == protect ? 0444 : 0666));
        }
        const auto told = RunAsUser([&] {
            Ed->Dialogs.SavePaths << At("ro.444");
            Ed->App.Dispatch(EventKind::WidgetEvent, SaveButton, SubKind::Click);
            return TextsOf(Ed->Dialogs.Told)
                   << (Animation() == animation ? "kept" : "changed")
                   << (Ed->App.Files.HasUnsavedChanges() ? "unsaved" : "saved");
        });
        QVERIFY(Permit(Dir->path(), 0700));
        QVERIFY(told);
        QCOMPARE(told->size(), 3);
        const QString message = told->at(0);
        QCOMPARE(told->at(1), QStringLiteral("kept"));
        QCOMPARE(told->at(2),
                 failed.contains("ro.444") ? QStringLiteral("unsaved") : QStringLiteral("saved"));
        QVERIFY2(message.startsWith(failed.contains("ro.444")
                                        ? QStringLiteral("Анимация не сохранена.")
                                        : QStringLiteral("Анимация сохранена, но")),
                 qPrintable(message));
        for (const QString& name : failed) {
            QVERIFY2(message.contains(At(name) + QStringLiteral(" не записан")), qPrintable(name));
            QCOMPARE(ReadFile(At(name)), before[name]);
        }
        QCOMPARE(message.count(QStringLiteral(" не записан")), failed.size());
        for (const QString& name : written) {
            QVERIFY2(ReadFile(At(name)) != before[name], qPrintable(name));
        }
        QCOMPARE(FilesIn(Dir->path()), QStringList(before.keys()));
        const AnimationRead read = ReadAnimationFile(At("ro.444"));
        QCOMPARE(int(read.problem), int(AnimationProblem::None));
    }

    // A file the user may not read is told and changes nothing.
    void openUnreadableFile() {
        QVERIFY(WriteFile(At("locked.444"), Frames(2, 1)));
        QVERIFY(Permit(At("locked.444"), 0));
        QVERIFY(Permit(Dir->path(), 0755));
        Load(Frames(3, 4));
        const QByteArray animation = Animation();
        const QString title = Ed->App.Ui.Title();
        const auto told = RunAsUser([&] {
            Ed->Dialogs.OpenPaths << At("locked.444");
            Ed->App.Dispatch(EventKind::WidgetEvent, OpenButton, SubKind::Click);
            return TextsOf(Ed->Dialogs.Told)
                   << (Animation() == animation ? "kept" : "changed") << Ed->App.Ui.Title();
        });
        QVERIFY(Permit(Dir->path(), 0700));
        QVERIFY(told);
        QCOMPARE(told->size(), 3);
        QVERIFY2(told->at(0).contains(QStringLiteral("Файл не читается")), qPrintable(told->at(0)));
        QCOMPARE(told->at(1), QStringLiteral("kept"));
        QCOMPARE(told->at(2), title);
    }

    // A path that names a device or a named pipe is refused without opening
    // it: a pipe would keep the editor waiting for a writer for ever.
    void openSpecialFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addRow("named pipe") << "pipe";
        QTest::addRow("device") << "device";
    }
    void openSpecialFile() {
        QFETCH(QString, kind);
        QString path = QStringLiteral("/dev/zero");
        if (kind == QLatin1String("pipe")) {
            path = At("pipe.444");
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        Load(Frames(3, 4));
        const QByteArray animation = Animation();
        // Should the open wait on the pipe after all, a writer comes by after a
        // while, so that the test fails instead of hanging.
        std::thread rescue([path, kind] {
            if (kind == QLatin1String("pipe")) {
                std::this_thread::sleep_for(std::chrono::seconds(3));
                const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                }
            }
        });
        const auto started = std::chrono::steady_clock::now();
        Ed->Dialogs.OpenPaths << path;
        Ed->App.Dispatch(EventKind::WidgetEvent, OpenButton, SubKind::Click);
        const auto waited = std::chrono::steady_clock::now() - started;
        rescue.join();
        QVERIFY2(waited < std::chrono::seconds(3), "the open waited on the pipe");
        QCOMPARE(Animation(), animation);
        QCOMPARE(Ed->Dialogs.Told.size(), 1);
        QVERIFY2(Ed->Dialogs.Told[0].Text.contains(QStringLiteral("не обычный файл")),
                 qPrintable(Ed->Dialogs.Told[0].Text));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
