#pragma once

// Dialogs that show nothing: every message is kept for the test to read, every
// question gets its default answer, every file dialog is cancelled.
#include "editor/Dialogs.h"

#include <QList>

struct ToldMessage {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

class ScriptedDialogs : public dover::Dialogs {
public:
    QMessageBox::StandardButton Ask(QWidget*, const QString&, const QString&, QMessageBox::Icon,
                                    QMessageBox::StandardButtons,
                                    QMessageBox::StandardButton defaultButton) override {
        return defaultButton;
    }
    void Tell(QWidget*, const QString& title, const QString& text,
              QMessageBox::Icon icon) override {
        Told.append({title, text, icon});
    }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }

    QList<ToldMessage> Told;
};
