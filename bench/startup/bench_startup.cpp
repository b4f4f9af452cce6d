// Start-up time: from process start to the first painted main window of the
// editor, against a bare Qt window of the same size, both measured here in the
// same run on the same X display (run it under Xvfb, see README).
//
// Each probe prints a line once its window has been painted and flushed to the
// X server; the time is taken from just before the process is spawned to the
// arrival of that line, so loading, Qt's start-up and the first paint all count.
// The two programs are spawned alternately and the median of each is reported.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int Warmups = 2;
constexpr int Runs = 9;
constexpr int TimeoutMs = 20000;

// Milliseconds until `program` reports its first paint; nothing on failure.
std::optional<double> TimeToFirstPaint(const QString& program, const QString& folder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setWorkingDirectory(folder); // start-up may write the engine library here
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    std::optional<double> painted;
    while (!painted && process.waitForReadyRead(TimeoutMs)) {
        while (process.canReadLine()) {
            if (process.readLine().trimmed() == "painted") {
                painted = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            }
        }
    }
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    if (!painted) {
        std::fprintf(stderr, "%s: no first paint (%s)\n", qPrintable(program),
                     process.readAllStandardError().constData());
    }
    return painted;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "startup: needs an X display; run it under "
                             "xvfb-run -a -s \"-screen 0 1280x1024x24\"\n");
        return 2;
    }
    const QString folder = QCoreApplication::applicationDirPath();
    const QString editor = folder + QStringLiteral("/dover444_probe");
    const QString bare = folder + QStringLiteral("/bare_window");

    const QTemporaryDir scratch;
    std::vector<double> editorTimes;
    std::vector<double> bareTimes;
    for (int i = 0; i < Warmups + Runs; ++i) {
        const std::optional<double> e = TimeToFirstPaint(editor, scratch.path());
        const std::optional<double> b = TimeToFirstPaint(bare, scratch.path());
        if (!e || !b) {
            return 1;
        }
        if (i >= Warmups) {
            editorTimes.push_back(*e);
            bareTimes.push_back(*b);
        }
    }
    const double editorMs = Median(editorTimes);
    const double bareMs = Median(bareTimes);
    std::printf("startup: %.1f ms (ratio %.2f vs bare Qt window, %.1f ms; median of %d each)\n",
                editorMs, editorMs / bareMs, bareMs, Runs);
    return 0;
}
