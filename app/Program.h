#pragma once

class QApplication;

namespace dover {

class Dialogs;

// Names the program before its QApplication is made. The names fix the
// program's private data folder, where the engine library is written out.
void NameProgram();

// The whole run of the editor once the QApplication exists: Qt's Russian
// translations, then StartUp, EventLoop and ShutDown. Returns the exit status,
// 0 also after the fatal path of start-up.
int RunProgram(QApplication& qt, Dialogs& dialogs);

} // namespace dover
