#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace dover {

// Every modal dialog of the program goes through here: message boxes, the
// yes/no questions and the file dialogs. The program uses QtDialogs; tests put
// in a scripted one that answers without showing anything.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A question box; returns the button the user chose (`defaultButton` when
    // the box is closed without a choice).
    virtual QMessageBox::StandardButton Ask(QWidget* parent, const QString& title,
                                            const QString& text, QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) = 0;

    // A message with one OK button.
    virtual void Tell(QWidget* parent, const QString& title, const QString& text,
                      QMessageBox::Icon icon) = 0;

    // File dialogs with one filter ("Description (*.ext)"); each returns the
    // path chosen, or an empty text when cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
};

// The real dialogs: Qt's message boxes and file dialogs.
class QtDialogs : public Dialogs {
public:
    QMessageBox::StandardButton Ask(QWidget* parent, const QString& title, const QString& text,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    void Tell(QWidget* parent, const QString& title, const QString& text,
              QMessageBox::Icon icon) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
};

} // namespace dover
