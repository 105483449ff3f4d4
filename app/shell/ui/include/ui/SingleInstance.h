// One running instance per user: a lock file named "Velmora" and a local socket beside it.
// A second start asks the first to restore its window and ends; a lock whose owner cannot be
// reached on the socket lets the second start run as a full instance of its own.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        FirstInstance, // holds the lock and answers later starts
        OtherRestored, // another instance was asked to restore its window: exit with 0
        Unguarded,     // the lock's owner did not answer: run without holding the lock
    };

    // `folder` holds the lock and the socket; by default the per-user runtime folder.
    explicit SingleInstance(QString folder = defaultFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome start();
    Outcome outcome() const { return outcome_; }

    QString lockPath() const;
    QString socketPath() const;
    static QString defaultFolder();

    // How long a second start waits to connect, to send, and for the first one's answer.
    static constexpr int kAnswerTimeoutMs = 3000;

signals:
    // Another start asked this instance to restore and raise its window.
    void restoreRequested();

private:
    bool askOwnerToRestore() const;
    void listen();
    void answerConnection();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    Outcome outcome_ = Outcome::Unguarded;
};

// The request and the answer exchanged over the socket.
inline constexpr char kRestoreRequest[] = "restore\n";
inline constexpr char kRestoreAnswer[] = "restored\n";

} // namespace ui
