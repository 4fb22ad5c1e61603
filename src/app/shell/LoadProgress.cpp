#include "shell/LoadProgress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <exception>
#include <thread>

#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "objects/BusyCursor.h"

namespace tk3d {

std::unique_ptr<TRailList> LoadLayoutFile(const QString& name, QWidget* parent) {
    const std::string path = QFile::encodeName(name).toStdString();
    TBusyScope busy;
    if (QFileInfo(name).size() < kProgressFileSize) return LoadLayout(path);

    QProgressDialog progress(QCoreApplication::translate("tk3d::LoadProgress", "Datei %1 wird geladen ...")
                                 .arg(QFileInfo(name).fileName()),
                             QString(), 0, 0, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();

    std::unique_ptr<TRailList> document;
    std::exception_ptr failure;
    QEventLoop loop;
    // The loader touches only the process-wide layout state, which nothing
    // reads while the modal progress window blocks the main window.
    std::thread worker([&] {
        try {
            document = LoadLayout(path);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    progress.close();
    if (failure) std::rethrow_exception(failure);
    return document;
}

}  // namespace tk3d
