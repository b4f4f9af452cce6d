// Saving, opening and exporting from the main window, with scripted dialogs
// and temporary folders: what the user sees after each, and that no failure
// loses the animation or an existing file.
#include "app/Application.h"
#include "editor/Playback.h"
#include "editor/Widgets.h"
#include "files/AnimationFormat.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace dover;
using namespace dover::test;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) {
        bytes.append(char(v));
    }
    return bytes;
}

QByteArray Frames(int count, int seed) {
    QByteArray bytes(count * 8, '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = char(i * 31 + seed);
    }
    return bytes;
}

// Holds the process's address space, while it lives, to what it uses now and
// `headroom` bytes more: a larger allocation fails as it does when memory runs
// out. (Sanitizer builds reserve far more than they use and are left alone.)
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t headroom) {
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        ::getrlimit(RLIMIT_AS, &Saved);
        rlimit tight = Saved;
        tight.rlim_cur = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + headroom;
        Set = pages > 0 && ::setrlimit(RLIMIT_AS, &tight) == 0;
    }
    ~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &Saved); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    bool Set = false;

private:
    rlimit Saved{};
};

// What the user can see of the editor, to compare before and after.
struct Visible {
    QByteArray bytes;
    std::size_t current = 0;
    QString title;
    QString label;
    bool previous = false;
    bool play = false;
    QStringList hex;
    bool operator==(const Visible&) const = default;
};

} // namespace

class TestAnimationFiles : public QObject {
    Q_OBJECT

    ScriptedDialogs* Script = nullptr;
    std::unique_ptr<ScriptedDialogs> ScriptOwner;
    std::unique_ptr<Application> App;
    std::unique_ptr<QTemporaryDir> Dir;
    // Start-up writes the engine library into the current folder: a scratch one.
    QTemporaryDir WorkFolder;
    QString StartFolder;

    QString At(const QString& name) const { return Dir->filePath(name); }

    void Load(const QByteArray& bytes) {
        App->Frames.ResizeFrames(static_cast<std::size_t>(bytes.size()));
        std::memcpy(App->Frames.AllBytes().data(), bytes.constData(), std::size_t(bytes.size()));
    }
    QByteArray Animation() const {
        const auto all = App->Frames.AllBytes();
        return QByteArray(reinterpret_cast<const char*>(all.data()), qsizetype(all.size()));
    }
    Visible Look() const {
        Visible v{Animation(),
                  App->Frames.CurrentIndex(),
                  App->Ui.Title(),
                  App->Ui.Text(FrameLabel),
                  App->Ui.IsEnabled(PreviousButton),
                  App->Ui.IsEnabled(PlayButton),
                  {}};
        for (int b = 0; b < 8; ++b) {
            v.hex << App->Ui.Text(HexField(b));
        }
        return v;
    }
    void Save(const QString& typed) {
        Script->SavePaths.push_back(typed);
        App->Dispatch(EventKind::WidgetEvent, SaveButton, SubKind::Click);
    }
    void Open(const QString& path) {
        Script->OpenPaths.push_back(path);
        App->Dispatch(EventKind::WidgetEvent, OpenButton, SubKind::Click);
    }
    // An animation that is not the start-up one, marked as saved.
    void StartWith(const QByteArray& bytes) {
        Load(bytes);
        App->Files.MarkSaved();
    }

private slots:
    void initTestCase() {
        StartFolder = QDir::currentPath();
        QVERIFY(WorkFolder.isValid());
        QVERIFY(QDir::setCurrent(WorkFolder.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(StartFolder); }

    void init() {
        ScriptOwner = std::make_unique<ScriptedDialogs>();
        Script = ScriptOwner.get();
        App = std::make_unique<Application>(*Script);
        QVERIFY(App->StartUp());
        Dir = std::make_unique<QTemporaryDir>();
        QVERIFY(Dir->isValid());
    }
    void cleanup() {
        App->ShutDown();
        App.reset();
        ScriptOwner.reset();
        Dir.reset();
    }

    void saveNewAnimation() {
        Save(At("wave"));
        const ShownFileDialog saveAs{FileDialogKind::Save, "Сохранить как 444",
                                     "Cube 4V4I4.444 (*.444)"};
        QCOMPARE(Script->FileDialogs, QList<ShownFileDialog>{saveAs});
        QCOMPARE(ReadFile(At("wave.444")), QByteArray(8, '\0'));
        QVERIFY(ReadFile(At("wave.c"))
                    .startsWith("#include <avr/pgmspace.h>\n\n"
                                "const unsigned char effect_wave[]"));
        QVERIFY(ReadFile(At("wave.asm")).startsWith("effect_wave\r\n"));
        QVERIFY(Script->Told.isEmpty());
        QVERIFY(Script->Asked.isEmpty());
        QCOMPARE(QDir(Dir->path()).entryList(QDir::Files).size(), 3);
    }

    void saveWorkedExample() {
        StartWith(Bytes({0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0A, 0, 0xFF, 0xFF}));
        const Visible before = Look();
        Save(At("wave.444"));
        QCOMPARE(ReadFile(At("wave.c")), ReadFile(QFINDTESTDATA("data/wave.c")));
        QCOMPARE(ReadFile(At("wave.asm")), ReadFile(QFINDTESTDATA("data/wave.asm")));
        QCOMPARE(Look(), before);
    }

    void roundTrip_data() {
        QTest::addColumn<int>("frames");
        QTest::addRow("1 frame") << 1;
        QTest::addRow("3 frames") << 3;
        QTest::addRow("300 frames") << 300;
    }
    void roundTrip() {
        QFETCH(int, frames);
        const QByteArray bytes = Frames(frames, frames);
        StartWith(bytes);
        Save(At("anim.444"));
        QCOMPARE(ReadFile(At("anim.444")), bytes);
        StartWith(Frames(2, 99));
        Open(At("anim.444"));
        QCOMPARE(Animation(), bytes);
        QCOMPARE(App->Frames.CurrentIndex(), std::size_t(frames - 1));
        QCOMPARE(App->Ui.Text(FrameLabel), FrameLabelText(frames - 1));
        QVERIFY(Script->Told.isEmpty());
    }

    void saveReplacesExistingWithoutQuestion() {
        QVERIFY(WriteFile(At("a.444"), Frames(5, 1)));
        Save(At("a.444"));
        QCOMPARE(ReadFile(At("a.444")), QByteArray(8, '\0'));
        QVERIFY(Script->Asked.isEmpty());
    }

    void openThreeFrames() {
        const QByteArray bytes = Frames(3, 7);
        QVERIFY(WriteFile(At("x.444"), bytes));
        Open(At("x.444"));
        const ShownFileDialog open{FileDialogKind::Open, QString(), "4V4I4 Led Cube (*.444)"};
        QCOMPARE(Script->FileDialogs, QList<ShownFileDialog>{open});
        QCOMPARE(Animation(), bytes);
        QCOMPARE(App->Frames.CurrentIndex(), std::size_t(2));
        QCOMPARE(App->Ui.Text(FrameLabel), QStringLiteral("Кадр - 2"));
        QVERIFY(App->Ui.IsEnabled(PreviousButton));
        QVERIFY(App->Ui.IsEnabled(PlayButton));
        QCOMPARE(App->Ui.Title(), QStringLiteral(" Файл x.444"));
        for (int b = 0; b < 8; ++b) {
            QCOMPARE(App->Ui.Text(HexField(b)), HexByteText(std::uint8_t(bytes[16 + b])));
        }
        QVERIFY(!App->Files.HasUnsavedChanges());
    }

    void openOtherExtension() {
        QVERIFY(WriteFile(At("frames.bin"), Frames(2, 3)));
        Open(At("frames.bin"));
        QCOMPARE(Animation(), Frames(2, 3));
        QCOMPARE(App->Ui.Title(), QStringLiteral(" Файл frames.bin"));
    }

    void openOneFrameKeepsButtons_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addRow("enabled before") << true;
        QTest::addRow("disabled before") << false;
    }
    void openOneFrameKeepsButtons() {
        QFETCH(bool, enabled);
        StartWith(Frames(4, 0));
        App->Ui.Enable(PreviousButton, enabled);
        App->Ui.Enable(PlayButton, enabled);
        QVERIFY(WriteFile(At("one.444"), Frames(1, 5)));
        Open(At("one.444"));
        QCOMPARE(Animation(), Frames(1, 5));
        QCOMPARE(App->Ui.Text(FrameLabel), QStringLiteral("Кадр - 0"));
        QCOMPARE(App->Ui.IsEnabled(PreviousButton), enabled);
        QCOMPARE(App->Ui.IsEnabled(PlayButton), enabled);
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<bool>("save");
        QTest::addRow("save dialog") << true;
        QTest::addRow("open dialog") << false;
    }
    void cancelChangesNothing() {
        QFETCH(bool, save);
        StartWith(Frames(3, 1));
        const Visible before = Look();
        App->Dispatch(EventKind::WidgetEvent, save ? SaveButton : OpenButton, SubKind::Click);
        QCOMPARE(Script->FileDialogs.size(), 1);
        QCOMPARE(Look(), before);
        QVERIFY(QDir(Dir->path()).isEmpty());
        QVERIFY(Script->Told.isEmpty());
    }

    // Every file that is no animation is told and leaves the editor as it was.
    void badFileChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size"); // -1: nothing there, -2: a folder
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("noMemory"); // opened with no memory to spare for it
        QTest::addRow("missing") << "none.444" << qint64(-1) << "Такого файла нет" << false;
        QTest::addRow("folder") << "dir.444" << qint64(-2) << "папка" << false;
        QTest::addRow("empty") << "e.444" << qint64(0) << "пустой" << false;
        QTest::addRow("7 bytes") << "s7.444" << qint64(7) << "7 байт не делится на 8" << false;
        QTest::addRow("9 bytes") << "s9.444" << qint64(9) << "9 байт" << false;
        QTest::addRow("17 bytes") << "s17.444" << qint64(17) << "17 байт" << false;
        QTest::addRow("over the limit")
            << "huge.444" << MaxAnimationFileSize + 8 << "не больше 256 МБ" << false;
        QTest::addRow("no memory for it") << "big.444" << qint64(200) * 1024 * 1024
                                          << "Не хватает памяти для 26214400 кадров." << true;
    }
    void badFileChangesNothing() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, said);
        QFETCH(bool, noMemory);
#if defined(DOVER_SANITIZED)
        if (noMemory) {
            QSKIP("the sanitizers' allocator does not run out of memory on demand");
        }
#endif
        const QString path = At(name);
        if (size == -2) {
            QVERIFY(QDir(Dir->path()).mkdir(name));
        } else if (size >= 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(size)); // sparse: no disk space for the large one
        }
        StartWith(Frames(3, 1));
        App->Ui.Enable(PreviousButton, false);
        App->Ui.Enable(PlayButton, true);
        App->Ui.SetTitle(QStringLiteral(" Файл before.444"));
        App->Ui.SetText(FrameLabel, FrameLabelText(1));
        App->Frames.MoveCurrentBack();
        const Visible before = Look();
        if (noMemory) {
            const AddressSpaceLimit limit(rlim_t{64} * 1024 * 1024);
            QVERIFY(limit.Set);
            Open(path);
        } else {
            Open(path);
        }
        QCOMPARE(Look(), before);
        QCOMPARE(Script->Told.size(), 1);
        QVERIFY2(Script->Told.first().Text.contains(path), qPrintable(Script->Told.first().Text));
        QVERIFY2(Script->Told.first().Text.contains(said), qPrintable(Script->Told.first().Text));
    }

    void unreadableFileChangesNothing() {
        if (::geteuid() == 0) {
            QSKIP("file permissions do not stop root from reading");
        }
        QVERIFY(WriteFile(At("locked.444"), Frames(2, 1)));
        QVERIFY(QFile::setPermissions(At("locked.444"), QFileDevice::Permissions{}));
        StartWith(Frames(3, 1));
        const Visible before = Look();
        Open(At("locked.444"));
        QCOMPARE(Look(), before);
        QCOMPARE(Script->Told.size(), 1);
        QVERIFY(Script->Told.first().Text.contains(QStringLiteral("не читается")));
    }

    // A save cut off part way (here: the file size limit of the process) is
    // told, keeps the previous file whole and leaves no half-written file.
    void interruptedSaveKeepsOldFile() {
        const QByteArray old = Frames(2, 42);
        QVERIFY(WriteFile(At("keep.444"), old));
        Load(Frames(2000, 1));
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        Save(At("keep.444"));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldSignal);
        QCOMPARE(ReadFile(At("keep.444")), old);
        QVERIFY(App->Files.HasUnsavedChanges());
        // The .444 and both tables failed: one message names all three.
        QCOMPARE(Script->Told.size(), 1);
        QVERIFY(Script->Told.first().Text.startsWith(QStringLiteral("Анимация не сохранена.")));
        for (const char* name : {"keep.444", "keep.c", "keep.asm"}) {
            QVERIFY(Script->Told.first().Text.contains(At(name) + QStringLiteral(" не записан")));
        }
        QCOMPARE(QDir(Dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.444"});
    }

    void saveIntoReadOnlyFolder() {
        if (::geteuid() == 0) {
            QSKIP("folder permissions do not stop root from writing");
        }
        const QByteArray old = Frames(1, 9);
        QVERIFY(WriteFile(At("ro.444"), old));
        QVERIFY(QFile::setPermissions(Dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Save(At("ro.444"));
        QFile::setPermissions(Dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner);
        QCOMPARE(ReadFile(At("ro.444")), old);
        QCOMPARE(Script->Told.size(), 1);
        QVERIFY(Script->Told.first().Text.contains(At("ro.444")));
    }

    // One file failing does not stop the others from being written.
    void failuresAreTold_data() {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QStringList>("written");
        QTest::addRow(".444 is a folder") << "w.444" << QStringList{"w.c", "w.asm"};
        QTest::addRow(".c is a folder") << "w.c" << QStringList{"w.444", "w.asm"};
        QTest::addRow(".asm is a folder") << "w.asm" << QStringList{"w.444", "w.c"};
    }
    void failuresAreTold() {
        QFETCH(QString, blocked);
        QFETCH(QStringList, written);
        QVERIFY(QDir(Dir->path()).mkdir(blocked));
        Save(At("w.444"));
        QCOMPARE(Script->Told.size(), 1);
        QVERIFY(Script->Told.first().Text.contains(At(blocked) + QStringLiteral(" не записан")));
        QCOMPARE(Script->Told.first().Text.count(QStringLiteral(" не записан")), 1);
        QCOMPARE(Script->Told.first().Text.startsWith(QStringLiteral("Анимация сохранена")),
                 blocked != QLatin1String("w.444"));
        QVERIFY(Script->Asked.isEmpty());
        for (const QString& name : written) {
            QVERIFY2(QFileInfo(At(name)).isFile(), qPrintable(name));
        }
    }

    void saveWhereFolderIsAFile() {
        QVERIFY(WriteFile(At("plain"), "x"));
        Save(At("plain/w.444"));
        QCOMPARE(Script->Told.size(), 1);
        QVERIFY(Script->Told.first().Text.contains(At("plain/w.444")));
        QVERIFY(Script->Told.first().Text.contains(At("plain/w.asm")));
        QCOMPARE(ReadFile(At("plain")), QByteArray("x"));
    }

    // A source file beside the animation that the export did not write is only
    // replaced when the user says Yes; our own earlier tables are replaced.
    void foreignSourceFile_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("replaced");
        const QByteArray mainC = "#include <avr/io.h>\n\nint main(void) { for (;;) {} }\n";
        const QByteArray mainAsm = ".include \"m8def.inc\"\r\nreset: rjmp reset\r\n";
        QTest::addRow("hand-written .c, No")
            << "main.c" << mainC << int(QMessageBox::No) << true << false;
        QTest::addRow("hand-written .c, Yes")
            << "main.c" << mainC << int(QMessageBox::Yes) << true << true;
        QTest::addRow("hand-written .asm, No")
            << "main.asm" << mainAsm << int(QMessageBox::No) << true << false;
        QTest::addRow("hand-written .c, closed")
            << "main.c" << mainC << int(QMessageBox::NoButton) << true << false;
        QTest::addRow("earlier exported .c") << "main.c" << ReadFile(QFINDTESTDATA("data/wave.c"))
                                             << int(QMessageBox::No) << false << true;
        QTest::addRow("earlier exported .asm")
            << "main.asm" << ReadFile(QFINDTESTDATA("data/wave.asm")) << int(QMessageBox::No)
            << false << true;
    }
    void foreignSourceFile() {
        QFETCH(QString, existing);
        QFETCH(QByteArray, content);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, replaced);
        QVERIFY(WriteFile(At(existing), content));
        if (answer != int(QMessageBox::NoButton)) {
            Script->Answers.push_back(QMessageBox::StandardButton(answer));
        }
        Save(At("main"));
        QCOMPARE(Script->Asked.size(), asked ? 1 : 0);
        if (asked) {
            QVERIFY(Script->Asked.first().Text.contains(At(existing)));
        }
        QCOMPARE(ReadFile(At(existing)) != content, replaced);
        QCOMPARE(ReadFile(At("main.444")), QByteArray(8, '\0'));
        const QString other = existing.endsWith(".c") ? "main.asm" : "main.c";
        QVERIFY(QFileInfo(At(other)).isFile());
        QVERIFY(Script->Told.isEmpty());
    }

    void unsavedChanges() {
        QVERIFY(!App->Files.HasUnsavedChanges());
        QVERIFY(App->Files.ConfirmDiscard());
        QVERIFY(Script->Asked.isEmpty());
        App->Frames.SetCurrentByte(0, 0x11);
        QVERIFY(App->Files.HasUnsavedChanges());
        Save(At("u.444"));
        QVERIFY(!App->Files.HasUnsavedChanges());
        App->Frames.AppendEmptyFrame();
        QVERIFY(App->Files.HasUnsavedChanges());
    }

    // The question before unsaved work would go: what each answer does.
    void confirmDiscard_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("savePath"); // empty: the save dialog is cancelled
        QTest::addColumn<bool>("mayGo");
        QTest::addColumn<bool>("saved");
        QTest::addRow("Cancel") << int(QMessageBox::Cancel) << "" << false << false;
        QTest::addRow("box closed") << int(QMessageBox::NoButton) << "" << false << false;
        QTest::addRow("Discard") << int(QMessageBox::Discard) << "" << true << false;
        QTest::addRow("Save") << int(QMessageBox::Save) << "s" << true << true;
        QTest::addRow("Save, dialog cancelled") << int(QMessageBox::Save) << "" << false << false;
        QTest::addRow("Save, save fails") << int(QMessageBox::Save) << "s.444/x" << false << false;
    }
    void confirmDiscard() {
        QFETCH(int, answer);
        QFETCH(QString, savePath);
        QFETCH(bool, mayGo);
        QFETCH(bool, saved);
        if (savePath == QLatin1String("s.444/x")) {
            QVERIFY(WriteFile(At("s.444"), "a file, so no folder")); // "s.444/x" cannot be made
        }
        App->Frames.SetCurrentByte(3, 0x42);
        if (answer != int(QMessageBox::NoButton)) {
            Script->Answers.push_back(QMessageBox::StandardButton(answer));
        }
        if (!savePath.isEmpty()) {
            Script->SavePaths.push_back(At(savePath));
        }
        QCOMPARE(App->Files.ConfirmDiscard(), mayGo);
        QCOMPARE(TextsOf(Script->Asked), QStringList{"Анимация изменена. Сохранить изменения?"});
        QCOMPARE(App->Files.HasUnsavedChanges(), !saved);
        QCOMPARE(App->Frames.CurrentByte(3), std::uint8_t(0x42));
        if (saved) {
            QCOMPARE(ReadFile(At("s.444")).at(3), char(0x42));
        }
    }

    void openAsksFirstWhenUnsaved() {
        QVERIFY(WriteFile(At("other.444"), Frames(2, 5)));
        App->Frames.SetCurrentByte(0, 0x01);
        Script->Answers.push_back(QMessageBox::Cancel);
        Open(At("other.444"));
        QCOMPARE(Script->Asked.size(), 1);
        QVERIFY(Script->FileDialogs.isEmpty());
        QCOMPARE(App->Frames.CurrentByte(0), std::uint8_t(0x01));
        Script->OpenPaths.clear();
        Script->Answers.push_back(QMessageBox::Discard);
        Open(At("other.444"));
        QCOMPARE(Animation(), Frames(2, 5));
        // Just opened: nothing to ask about.
        Open(At("other.444"));
        QCOMPARE(Script->Asked.size(), 2);
    }

    void closeAsksOnlyWhenUnsaved() {
        App->Dispatch(EventKind::CloseRequest, -1, SubKind::Other);
        QVERIFY(Script->Asked.isEmpty());
        App->Frames.SetCurrentByte(0, 0x01);
        Script->Answers.push_back(QMessageBox::Cancel);
        App->Dispatch(EventKind::CloseRequest, -1, SubKind::Other);
        QCOMPARE(Script->Asked.size(), 1);
    }
};

QTEST_MAIN(TestAnimationFiles)
#include "tst_animationfiles.moc"
