#pragma once

// Dialogs for tests and benchmarks: nothing is shown. Questions are answered
// from a script, file dialogs take their paths from a script, and everything
// the program put up is recorded for the test to read.
#include "editor/Dialogs.h"

#include <QByteArray>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

namespace dover::test {

// One question or message as the program put it up. A message has the single
// OK button.
struct ShownBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
    QMessageBox::StandardButton DefaultButton = QMessageBox::Ok;
};

enum class FileDialogKind { Save, Open };

// One file dialog as the program put it up.
struct ShownFileDialog {
    FileDialogKind Kind = FileDialogKind::Open;
    QString Title;
    QString Filter;
    bool operator==(const ShownFileDialog&) const = default;
};

// How QtTest prints a file dialog when a comparison fails: "save|title|filter".
inline char* toString(const ShownFileDialog& dialog) {
    const QString kind =
        dialog.Kind == FileDialogKind::Save ? QStringLiteral("save") : QStringLiteral("open");
    return qstrdup(QStringList{kind, dialog.Title, dialog.Filter}.join(u'|').toUtf8().constData());
}

inline QStringList TextsOf(const QList<ShownBox>& boxes) {
    QStringList texts;
    for (const ShownBox& box : boxes) {
        texts.append(box.Text);
    }
    return texts;
}

class ScriptedDialogs : public Dialogs {
public:
    // The next answers to questions, first first; the default button once
    // they run out.
    QList<QMessageBox::StandardButton> Answers;
    // The paths the next save and open dialogs return, first first; an empty
    // path (cancelled) once they run out.
    QStringList SavePaths;
    QStringList OpenPaths;
    // Runs just before Ask returns its answer.
    std::function<void()> OnAnswer;

    // What was put up, in order.
    QList<ShownBox> Asked;
    QList<ShownBox> Told;
    QList<ShownFileDialog> FileDialogs;
    // Every dialog of any kind.
    int Shown = 0;

    QMessageBox::StandardButton Ask(QWidget*, const QString& title, const QString& text,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override {
        ++Shown;
        Asked.append({title, text, icon, buttons, defaultButton});
        const auto answer = Answers.isEmpty() ? defaultButton : Answers.takeFirst();
        if (OnAnswer) {
            OnAnswer();
        }
        return answer;
    }
    void Tell(QWidget*, const QString& title, const QString& text,
              QMessageBox::Icon icon) override {
        ++Shown;
        Told.append({title, text, icon, QMessageBox::Ok, QMessageBox::Ok});
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& filter) override {
        return FileDialog(FileDialogKind::Save, title, filter, SavePaths);
    }
    QString OpenFileName(QWidget*, const QString& title, const QString& filter) override {
        return FileDialog(FileDialogKind::Open, title, filter, OpenPaths);
    }

private:
    QString FileDialog(FileDialogKind kind, const QString& title, const QString& filter,
                       QStringList& paths) {
        ++Shown;
        FileDialogs.append({kind, title, filter});
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
};

} // namespace dover::test
