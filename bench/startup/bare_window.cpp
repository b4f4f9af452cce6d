// The baseline: a bare Qt window of the editor's client size, nothing in it.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    QWidget window;
    window.setFixedSize(402, 512);
    FirstPaint probe([](QWidget* painted) {
        std::fputs(PaintedLine, stdout);
        std::fflush(stdout);
        painted->close();
    });
    window.show();
    return qt.exec();
}
