#include "editor/Dialogs.h"

#include <QFileDialog>

namespace dover {

QMessageBox::StandardButton QtDialogs::Ask(QWidget* parent, const QString& title,
                                           const QString& text, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(defaultButton);
    const int answer = box.exec();
    return static_cast<QMessageBox::StandardButton>(answer);
}

void QtDialogs::Tell(QWidget* parent, const QString& title, const QString& text,
                     QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

// The animation dialogs: no preset name or folder, no extension added by the
// dialog, the process's current folder left alone. The save dialog does not ask
// before replacing a file (the user named it); the open dialog accepts a typed
// name of a file that does not exist, which the caller then answers.
QString QtDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace dover
