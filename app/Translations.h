#pragma once

class QCoreApplication;

namespace dover {

// Sets the Russian locale and installs Qt's own Russian translations, so the
// standard dialogs and buttons speak the interface's language.
void LoadTranslations(QCoreApplication& app);

} // namespace dover
