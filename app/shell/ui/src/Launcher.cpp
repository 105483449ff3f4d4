#include "ui/Launcher.h"

#include "ui/DocumentViewers.h"

#include "platform/paths.h"
#include "platform/programs.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QWidget>

namespace ui {
namespace {

OpenHandler& installedHandler() {
    static OpenHandler handler;
    return handler;
}

// xdg-open tells whether an application took the file only by its exit code, and it may wait
// for that application to end: the code is awaited without blocking the window.
void openWithDesktop(const std::string& pathOrUrl, QWidget* owner, std::function<void()> fallback) {
    auto* opener = new QProcess(owner);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QPointer<QWidget> guard(owner);
    auto failed = [guard, fallback, opener] {
        opener->deleteLater();
        if (guard)
            fallback();
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             failed();
                     });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int exitCode, QProcess::ExitStatus status) {
                         if (exitCode != 0 || status != QProcess::NormalExit)
                             failed();
                         else
                             opener->deleteLater();
                     });
    opener->start(QStringLiteral("xdg-open"), {QString::fromStdString(pathOrUrl)});
}

} // namespace

bool openExternally(const std::string& pathOrUrl) {
    const OpenHandler& handler = installedHandler();
    return handler ? handler(pathOrUrl) : platform::openWithDefaultHandler(pathOrUrl);
}

void setOpenHandler(OpenHandler handler) {
    installedHandler() = std::move(handler);
}

void openOrFallBack(const std::string& pathOrUrl, QWidget* owner, std::function<void()> fallback) {
    if (const OpenHandler& handler = installedHandler()) {
        if (!handler(pathOrUrl))
            fallback();
        return;
    }
    openWithDesktop(pathOrUrl, owner, std::move(fallback));
}

std::string helpFilePath() {
    const std::string beside = platform::executableFolder() + "Import.html";
    const std::string installed =
        platform::executableFolder() + QUORVEL_INSTALLED_DOCDIR "/Import.html";
    return QFileInfo::exists(QString::fromStdString(beside)) ||
                   !QFileInfo::exists(QString::fromStdString(installed))
               ? beside
               : installed;
}

void openHelp(QWidget* owner) {
    const std::string help = helpFilePath();
    openOrFallBack(help, owner,
                   [help, owner] { showHelpViewer(QString::fromStdString(help), owner); });
}

void openTextDocument(const std::string& nativePath, QWidget* owner) {
    openOrFallBack(nativePath, owner, [nativePath, owner] {
        showTextViewer(QString::fromStdString(nativePath), owner);
    });
}

} // namespace ui
