#include "files/AnimationFile.h"

#include "editor/Dialogs.h"
#include "editor/LayerCanvas.h"
#include "editor/Playback.h"
#include "editor/Widgets.h"
#include "files/AnimationFormat.h"
#include "model/FrameStore.h"

#include <QFile>
#include <QFileInfo>

namespace dover {

namespace {

const QString SaveTitle = QStringLiteral("Сохранить как 444");
const QString SaveFilter = QStringLiteral("Cube 4V4I4.444 (*.444)");
const QString OpenFilter = QStringLiteral("4V4I4 Led Cube (*.444)");

// What the open message says about a file that is no animation.
QString ProblemText(const AnimationRead& read) {
    switch (read.problem) {
    case AnimationProblem::Missing:
        return QStringLiteral("Такого файла нет.");
    case AnimationProblem::Folder:
        return QStringLiteral("Это папка, а не файл анимации.");
    case AnimationProblem::NotAFile:
        return QStringLiteral("Это не обычный файл, а устройство, канал или сокет.");
    case AnimationProblem::Empty:
        return QStringLiteral("Файл пустой: в нём нет ни одного кадра.");
    case AnimationProblem::NotWholeFrames:
        return QStringLiteral("Размер файла %1 байт не делится на 8: это не файл кадров.")
            .arg(read.size);
    case AnimationProblem::TooLarge:
        return QStringLiteral("Файл слишком большой (%1 байт): открываются файлы не больше %2 МБ.")
            .arg(read.size)
            .arg(MaxAnimationFileSize / (1024 * 1024));
    case AnimationProblem::Unreadable:
        return QStringLiteral("Файл не читается: %1").arg(read.reason);
    case AnimationProblem::NoMemory:
        return QStringLiteral("Не хватает памяти для %1 кадров.")
            .arg(read.size / static_cast<qint64>(FrameBytes));
    case AnimationProblem::None:
        break;
    }
    return {};
}

// One file that could not be written, as the save message lists it.
QString FileFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Файл %1 не записан: %2").arg(path, reason);
}

QString OpenFailureText(const QString& path, const QString& why) {
    return QStringLiteral("Не удалось открыть файл\n%1\n\n%2\nАнимация осталась прежней.")
        .arg(path, why);
}

} // namespace

AnimationFiles::AnimationFiles(FrameStore& frames, LayerEditor& canvas, Widgets& widgets,
                               Dialogs& dialogs)
    : Frames(frames), Canvas(canvas), Ui(widgets), Questions(dialogs),
      SavedRevision(frames.Revision()) {}

void AnimationFiles::SaveAnimation() {
    const QString chosen = Questions.SaveFileName(Ui.Window(), SaveTitle, SaveFilter);
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = AnimationSavePath(chosen);
    QStringList failures;
    const QString failure = SaveAnimationFile(path, Frames.AllBytes());
    if (failure.isEmpty()) {
        MarkSaved();
    } else {
        failures << FileFailure(path, failure);
    }
    failures << ExportFirmwareTables(path);
    if (!failures.isEmpty()) {
        const QString head = failure.isEmpty()
                                 ? QStringLiteral("Анимация сохранена, но не все таблицы для "
                                                  "прошивки записаны.")
                                 : QStringLiteral("Анимация не сохранена.");
        TellFailure(head + QStringLiteral("\n\n") + failures.join(QStringLiteral("\n\n")) +
                    QStringLiteral("\n\nПрежние файлы с этими именами остались как были."));
    }
}

void AnimationFiles::OpenAnimation() {
    if (!ConfirmDiscard()) {
        return;
    }
    const QString path = Questions.OpenFileName(Ui.Window(), QString(), OpenFilter);
    if (path.isEmpty()) {
        return;
    }
    AnimationRead read = ReadAnimationFile(path);
    const std::size_t size = read.bytes.size();
    // A read without a problem holds whole frames, which the store takes.
    if (read.problem != AnimationProblem::None || !Frames.ReplaceFrames(std::move(read.bytes))) {
        TellFailure(OpenFailureText(path, ProblemText(read)));
        return;
    }
    MarkSaved();
    Ui.SetTitle(QStringLiteral(" Файл ") + FilePart(path));
    Ui.SetText(FrameLabel, FrameLabelText(static_cast<long long>(size / FrameBytes - 1)));
    if (size > FrameBytes) {
        Ui.Enable(PreviousButton, true);
        Ui.Enable(PlayButton, true);
    }
    Canvas.ShowFrame();
}

QStringList AnimationFiles::ExportFirmwareTables(const QString& path) {
    const QByteArray effect = EffectNameBytes(ExportBasePath(path));
    QStringList failures;
    for (FirmwareTable table : {FirmwareTable::C, FirmwareTable::Assembler}) {
        const QString tablePath = TablePath(table, path);
        if (!MayReplaceTable(table, tablePath)) {
            continue;
        }
        const QString failure = SaveTableFile(table, tablePath, effect, Frames.AllBytes());
        if (!failure.isEmpty()) {
            failures << FileFailure(tablePath, failure);
        }
    }
    return failures;
}

bool AnimationFiles::MayReplaceTable(FirmwareTable table, const QString& tablePath) {
    // Nothing there, or a folder that the write will fail on (and say so).
    const QFileInfo info(tablePath);
    if (!info.exists() || info.isDir()) {
        return true;
    }
    QFile existing(tablePath);
    if (existing.open(QIODevice::ReadOnly) &&
        IsExportedTable(table, existing.read(ExportedTableHeadSize))) {
        return true;
    }
    const QString question =
        QStringLiteral("Файл\n%1\nуже есть, и это не таблица, записанная редактором.\n"
                       "Заменить его таблицей анимации?")
            .arg(tablePath);
    return Questions.Ask(Ui.Window(), QString(), question, QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void AnimationFiles::TellFailure(const QString& text) {
    Questions.Tell(Ui.Window(), QString(), text, QMessageBox::Warning);
}

bool AnimationFiles::HasUnsavedChanges() const {
    return Frames.Revision() != SavedRevision;
}

void AnimationFiles::MarkSaved() {
    SavedRevision = Frames.Revision();
}

bool AnimationFiles::ConfirmDiscard() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    const QMessageBox::StandardButton answer = Questions.Ask(
        Ui.Window(), QString(), QStringLiteral("Анимация изменена. Сохранить изменения?"),
        QMessageBox::Question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        SaveAnimation();
        return !HasUnsavedChanges();
    }
    return answer == QMessageBox::Discard;
}

} // namespace dover
