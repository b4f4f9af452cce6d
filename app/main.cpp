// dover444: the light animation editor for 4x4x4 LED cubes.
#include "app/Application.h"
#include "app/Translations.h"
#include "editor/Dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The names fix the program's private data folder, where the engine library
    // is written out.
    QCoreApplication::setOrganizationName(QStringLiteral("Dover"));
    QCoreApplication::setApplicationName(QStringLiteral("dover444"));
    QApplication qt(argc, argv);
    dover::LoadTranslations(qt);
    dover::QtDialogs dialogs;
    int status = 0;
    {
        dover::Application app(dialogs);
        if (app.StartUp()) {
            status = app.EventLoop();
        }
        app.ShutDown();
    }
    return status;
}
