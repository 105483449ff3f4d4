#include "ui/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace ui {
namespace {

const QString kLockName = QStringLiteral("Velmora");

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

QString SingleInstance::lockPath() const {
    return QDir(folder_).filePath(kLockName + ".lock");
}

QString SingleInstance::socketPath() const {
    return QDir(folder_).filePath(kLockName + ".socket");
}

SingleInstance::Outcome SingleInstance::start() {
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A lock left by a process that no longer runs is taken over by tryLock itself.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        listen();
        outcome_ = Outcome::FirstInstance;
        return outcome_;
    }
    lock_.reset();
    outcome_ = askOwnerToRestore() ? Outcome::OtherRestored : Outcome::Unguarded;
    return outcome_;
}

bool SingleInstance::askOwnerToRestore() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kAnswerTimeoutMs))
        return false;
    socket.write(kRestoreRequest);
    if (!socket.waitForBytesWritten(kAnswerTimeoutMs))
        return false;
    // A first instance that is busy (a conversion blocks its loop) reads the request when it
    // gets to it, as a posted window message would be; the answer is only awaited politely.
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(kAnswerTimeoutMs))
        answer += socket.readAll();
    return true;
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock proves that a socket file left behind belongs to a dead instance.
    QLocalServer::removeServer(socketPath());
    if (!server_->listen(socketPath()))
        return;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answerConnection);
}

void SingleInstance::answerConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto answer = [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kRestoreRequest) {
                emit restoreRequested();
                socket->write(kRestoreAnswer);
                socket->flush();
            }
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, answer);
        // The request may have arrived together with the connection.
        answer();
    }
}

} // namespace ui
