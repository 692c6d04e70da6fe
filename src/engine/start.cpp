#include "engine/start.h"
#include "foundation/product.h"

#include "console/frm_main.h"
#include "engine/console_commands.h"
#include "engine/process_end.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <atomic>
#include <cstdio>
#include <memory>

namespace tarvik {

namespace {

// An object without members that each thread holds for its whole life.
class clsEmpty {};
thread_local std::unique_ptr<clsEmpty> threadAnchor;

std::atomic<bool> consoleLoaded{false};

// The product's window, looked for by its caption: this process's own
// console, or the one of another running instance, which holds the lock.
bool productWindowExists()
{
    if (consoleLoaded)
        return true;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    static QLockFile instanceLock(folder + '/' + QString::fromUtf8(ProductTitle) + ".lock");
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0))
        return true;
    // The process ends without destructors, so the lock is given back then.
    atProcessEnd([](int exitStatus) {
        instanceLock.unlock();
        return exitStatus;
    });
    return false;
}

void prepareThread()
{
    RegisterServer();
    QCoreApplication::processEvents();
    threadAnchor = std::make_unique<clsEmpty>();
}

} // namespace

void Main()
{
    prepareThread();
}

void Main(const LaunchOptions &options)
{
    prepareThread();
    if (productWindowExists()) {
        std::fprintf(stderr, "%s is already running.\n", qPrintable(QString::fromUtf8(ProductTitle)));
        return;
    }
    consoleLoaded = true;
    auto *console = new frmMain(options);
    addConsoleCommands(*console);
    console->Form_Load();
}

void RegisterServer() {}

void UnregisterServer() {}

} // namespace tarvik
