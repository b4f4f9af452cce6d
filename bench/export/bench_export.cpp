// The firmware export and the .444 save and open, each against a plain write
// or read of the same number of bytes, measured in the same run in the same
// folder. Each figure is the best of several rounds, baseline and subject
// taken in turn.
#include "files/AnimationFormat.h"
#include "files/FirmwareExport.h"
#include "model/FrameStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <unistd.h>
#include <vector>

using namespace dover;

namespace {

constexpr int Rounds = 7;

double Milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Best time of the subject and of the baseline, taken in turn.
std::pair<double, double> Best(const std::function<void()>& subject,
                               const std::function<void()>& baseline) {
    double bestSubject = std::numeric_limits<double>::max();
    double bestBaseline = bestSubject;
    for (int round = 0; round < Rounds; ++round) {
        bestBaseline = std::min(bestBaseline, Milliseconds(baseline));
        bestSubject = std::min(bestSubject, Milliseconds(subject));
    }
    return {bestSubject, bestBaseline};
}

void Print(const char* name, std::pair<double, double> times, const char* baseline) {
    std::printf("%s: %.1f ms (%.2fx vs %s %.1f ms)\n", name, times.first,
                times.first / times.second, baseline, times.second);
}

// One write of the bytes into a new file (the previous one removed first, as a
// save through a new file beside the old one does).
void PlainWrite(const QString& path, const QByteArray& bytes, bool sync) {
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "plain write failed: %s\n", qPrintable(file.errorString()));
        std::exit(1);
    }
    if (sync) {
        ::fdatasync(file.handle());
    }
}

QByteArray PlainRead(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::exit(1);
    }
    return file.readAll();
}

std::vector<std::uint8_t> Animation(std::size_t frames) {
    std::vector<std::uint8_t> bytes(frames * FrameBytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 131 + i / 8);
    }
    return bytes;
}

// A device that takes every byte and keeps none: the export's formatting alone.
class Sink : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override { return len; }
};

void Check(const QString& failure) {
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(failure));
        std::exit(1);
    }
}

} // namespace

int main() {
    QTemporaryDir dir(QStringLiteral("./bench_export-XXXXXX"));
    if (!dir.isValid()) {
        return 1;
    }
    const QString saved = dir.filePath(QStringLiteral("wave.444"));

    // Export: both tables of 1,000,000 frames, as every save writes them.
    const std::vector<std::uint8_t> million = Animation(1000000);
    const QByteArray effect = EffectNameBytes(ExportBasePath(saved));
    const qsizetype exportBytes = TableText(FirmwareTable::C, effect, million).size() +
                                  TableText(FirmwareTable::Assembler, effect, million).size();
    const QByteArray exportSized(exportBytes, 'x');
    const auto exportBoth = [&] {
        for (FirmwareTable table : {FirmwareTable::C, FirmwareTable::Assembler}) {
            Check(SaveTableFile(table, TablePath(table, saved), effect, million));
        }
    };
    const QString plainPath = dir.filePath(QStringLiteral("plain"));
    std::printf("export of 1000000 frames: %lld bytes of text\n",
                static_cast<long long>(exportBytes));
    Print("export_1M_frames", Best(exportBoth, [&] { PlainWrite(plainPath, exportSized, false); }),
          "plain write");
    Print("export_1M_frames_formatting",
          Best(
              [&] {
                  for (FirmwareTable table : {FirmwareTable::C, FirmwareTable::Assembler}) {
                      Sink sink;
                      sink.open(QIODevice::WriteOnly);
                      WriteTable(table, sink, effect, million);
                  }
              },
              [&] { PlainWrite(plainPath, exportSized, false); }),
          "plain write");

    // Save and open of an 8 MiB animation (1 Mi frames).
    const std::vector<std::uint8_t> eight = Animation(std::size_t{1} << 20);
    const QByteArray eightBytes(reinterpret_cast<const char*>(eight.data()),
                                static_cast<qsizetype>(eight.size()));
    const auto save = [&] { Check(SaveAnimationFile(saved, eight)); };
    Print("save_8MiB", Best(save, [&] { PlainWrite(plainPath, eightBytes, false); }),
          "plain write");
    Print("save_8MiB_synced", Best(save, [&] { PlainWrite(plainPath, eightBytes, true); }),
          "plain write + fdatasync");
    FrameStore frames;
    const auto open = [&] {
        AnimationRead read = ReadAnimationFile(saved);
        if (read.problem != AnimationProblem::None ||
            !frames.ReplaceFrames(std::move(read.bytes))) {
            std::exit(1);
        }
        frames.InitFrameStore(); // the next round starts from one frame again
    };
    Print("open_8MiB", Best(open, [&] { (void)PlainRead(saved); }), "plain read");
    Print("open_8MiB_read_and_check",
          Best([&] { (void)ReadAnimationFile(saved); }, [&] { (void)PlainRead(saved); }),
          "plain read");
    return 0;
}
