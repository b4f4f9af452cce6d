#pragma once

#include "preview/CarriedEngine.h"
#include "preview/EngineTable.h"

#include <QLibrary>
#include <QString>

#include <cstdint>
#include <span>

namespace dover {

class Dialogs;

// The engine library: the copy the executable carries is written out and
// loaded at start-up, its entry points resolved into the EngineTable, and it
// stays loaded until the program ends.
class EngineBinding {
public:
    // Writes the carried copy into the program's private data folder unless an
    // identical file is there already (a different one is replaced in one step),
    // loads that file by its absolute path and resolves the entry points; a name
    // the library lacks leaves its entry null. The current folder plays no part.
    // Returns false after the fatal message ("Fatal error!", "Failed to open
    // <file name>!") when the copy cannot be put in place or loaded; start-up
    // then ends the program.
    bool BindEngine(Dialogs& dialogs);
    // Frees the library; the end of the program.
    void ReleaseEngine();

    const EngineTable& Table() const { return Entries; }
    bool IsBound() const { return Library.isLoaded(); }
    // The file the library was loaded from.
    QString LibraryPath() const { return Library.fileName(); }

    // The bytes BindEngine writes out: the carried copy. Tests put other bytes
    // here to see a library that cannot be loaded.
    std::span<const std::uint8_t> Carried = CarriedEngine();

private:
    QLibrary Library;
    EngineTable Entries;
};

// The folder the engine library is written to and loaded from: the program's
// private per-user data folder. Empty when the platform names none.
QString EngineFolder();

// Makes `path` hold exactly `bytes`: a file that already does is left alone,
// anything else is replaced in one step (a reader never sees half a file).
// Creates the folder when needed. False when that cannot be done.
bool PlaceEngineFile(const QString& path, std::span<const std::uint8_t> bytes);

} // namespace dover
