#include "app/Program.h"

#include "app/Application.h"
#include "app/Translations.h"

#include <QApplication>

namespace dover {

void NameProgram() {
    QCoreApplication::setOrganizationName(QStringLiteral("Dover"));
    QCoreApplication::setApplicationName(QStringLiteral("dover444"));
}

int RunProgram(QApplication& qt, Dialogs& dialogs) {
    LoadTranslations(qt);
    Application app(dialogs);
    int status = 0;
    if (app.StartUp()) {
        status = app.EventLoop();
    }
    app.ShutDown();
    return status;
}

} // namespace dover
