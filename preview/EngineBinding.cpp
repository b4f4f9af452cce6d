// Placeholder until the binding lands: nothing is loaded.
#include "preview/EngineBinding.h"

namespace dover {

bool EngineBinding::BindEngine(Dialogs&) {
    return true;
}

void EngineBinding::ReleaseEngine() {
    if (Library.isLoaded()) {
        Library.unload();
    }
}

} // namespace dover
