#include "preview/EngineTable.h"

namespace dover {

QStringList MissingEntries(const EngineTable& table) {
    QStringList missing;
    ForEachEntry(table, [&missing](const char* name, auto entry) {
        if (entry == nullptr) {
            missing << QString::fromLatin1(name);
        }
    });
    return missing;
}

} // namespace dover
