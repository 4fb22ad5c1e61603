// Program entry: language check, the about box as splash screen for a
// second, then the main window. The only argument is a layout file.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QThread>
#include <memory>

#include "SurfaceFormat.h"
#include "platform/AllocatorTuning.h"
#include "shell/AboutBox.h"
#include "shell/Help.h"
#include "shell/Language.h"
#include "shell/MainWindow.h"
#include "shell/Messages.h"

namespace {

constexpr int kSplashMilliseconds = 1000;

// Waits while the splash screen keeps painting.
void WaitShowing(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    tk3d::TuneAllocatorForDocuments();
    // The view draws with the fixed-function pipeline.
    QSurfaceFormat::setDefaultFormat(tk3d::ViewSurfaceFormat());
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(":/icons/tk3d.svg"));
    tk3d::ResolveHelpFile();
    if (!tk3d::CheckLanguage()) {
        tk3d::ShowMessageBox(nullptr, tk3d::TMessageIcon::Error, tk3d::ApplicationTitle(),
                             tk3d::VersionMismatchText());
        return 1;
    }
    auto splash = std::make_unique<tk3d::TInfoForm>();
    splash->HideButtons();
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->show();
    splash->repaint();
    WaitShowing(kSplashMilliseconds);
    tk3d::TTKL3DForm form(QApplication::arguments().mid(1));
    splash.reset();
    form.show();
    return QApplication::exec();
}
