// The editor exactly as dover444 starts it (the same libraries, the same
// start-up and event loop), with one watcher added from outside: it reports the
// first paint of the main window, then closes the window the way the user
// would, so the editor ends through its own close path.
//
//   dover444_probe              prints "painted" once the window is on screen
//   dover444_probe --grab FILE  also saves what the screen shows of the window
#include "FirstPaint.h"
#include "app/Program.h"
#include "editor/Dialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    dover::NameProgram();
    QApplication qt(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype grab = arguments.indexOf(QStringLiteral("--grab"));
    const QString grabPath =
        grab > 0 && grab + 1 < arguments.size() ? arguments[grab + 1] : QString();
    int status = 0;
    FirstPaint probe([&grabPath, &status](QWidget* window) {
        if (!grabPath.isEmpty()) {
            QThread::msleep(200); // let the X server settle before reading it back
            const QPixmap shot = window->screen()->grabWindow(window->winId());
            if (!shot.save(grabPath, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(grabPath));
                status = 1;
            }
        }
        std::fputs(PaintedLine, stdout);
        std::fflush(stdout);
        window->close();
    });

    dover::QtDialogs dialogs;
    const int runStatus = dover::RunProgram(qt, dialogs);
    return status != 0 ? status : runStatus;
}
