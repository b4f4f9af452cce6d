#include "preview/EngineBinding.h"

#include "editor/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <type_traits>

namespace dover {

namespace {

bool HoldsExactly(const QString& path, std::span<const std::uint8_t> bytes) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() != static_cast<qint64>(bytes.size()) ||
        !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray held = file.readAll();
    return std::ranges::equal(std::span(reinterpret_cast<const std::uint8_t*>(held.constData()),
                                        static_cast<std::size_t>(held.size())),
                              bytes);
}

} // namespace

QString EngineFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

bool PlaceEngineFile(const QString& path, std::span<const std::uint8_t> bytes) {
    if (HoldsExactly(path, bytes)) {
        return true;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool EngineBinding::BindEngine(Dialogs& dialogs) {
    const QString name = CarriedEngineFileName();
    const QString folder = EngineFolder();
    // Only a file that holds exactly the carried copy is loaded, and only by its
    // absolute path, so no library search can pick up another file of that name.
    const QString path = folder.isEmpty() ? QString() : QDir(folder).absoluteFilePath(name);
    if (!path.isEmpty() && PlaceEngineFile(path, Carried)) {
        Library.setFileName(path);
        Library.load();
    }
    if (!Library.isLoaded()) {
        dialogs.Tell(nullptr, QStringLiteral("Fatal error!"),
                     QStringLiteral("Failed to open %1!").arg(name), QMessageBox::Critical);
        return false;
    }
    ForEachEntry(Entries, [this](const char* entryName, auto& entry) {
        entry =
            reinterpret_cast<std::remove_reference_t<decltype(entry)>>(Library.resolve(entryName));
    });
    return true;
}

void EngineBinding::ReleaseEngine() {
    Entries = {};
    if (Library.isLoaded()) {
        Library.unload();
    }
}

} // namespace dover
