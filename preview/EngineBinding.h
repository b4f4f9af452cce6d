#pragma once

#include "preview/EngineTable.h"

#include <QLibrary>
#include <QString>

namespace dover {

class Dialogs;

// The engine library: the copy the executable carries is written out and
// loaded at start-up, its entry points resolved into the EngineTable, and it
// stays loaded until the program ends.
class EngineBinding {
public:
    // Returns false after the fatal message when the library cannot be loaded;
    // start-up then ends the program.
    bool BindEngine(Dialogs& dialogs);
    // Frees the library; the end of the program.
    void ReleaseEngine();

    const EngineTable& Table() const { return Entries; }
    bool IsBound() const { return Library.isLoaded(); }

private:
    QLibrary Library;
    EngineTable Entries;
};

} // namespace dover
