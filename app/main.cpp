// dover444: the light animation editor for 4x4x4 LED cubes.
#include "app/Program.h"
#include "editor/Dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    dover::NameProgram();
    QApplication qt(argc, argv);
    dover::QtDialogs dialogs;
    return dover::RunProgram(qt, dialogs);
}
