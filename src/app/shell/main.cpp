#include <QApplication>

#include "shell/Startup.h"

int main(int argc, char** argv) {
    tk3d::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    return 0;
}
