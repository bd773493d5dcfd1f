#include "app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace mireva::ui {
namespace {

QString runtimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

const QByteArray kRaiseRequest = "raise\n";

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
    if (lock_) lock_->unlock();
}

QString SingleInstance::defaultKey() { return QStringLiteral("mireva-%1").arg(::getuid()); }

QString SingleInstance::lockPath() const { return QDir(runtimeFolder()).filePath(key_ + QStringLiteral(".lock")); }

bool SingleInstance::tryBecomePrimary() {
    if (primary_) return true;
    lock_ = std::make_unique<QLockFile>(lockPath());
    // The program holds the lock for as long as it runs: only a lock whose process is
    // gone counts as stale, never one that is merely old.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    primary_ = true;
    // A socket file left by a crashed start would block listening.
    QLocalServer::removeServer(key_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("raise")) emit raiseRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    server_->listen(key_);  // without the socket the program still runs alone
    return true;
}

bool SingleInstance::askPrimaryToRaise(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

}  // namespace mireva::ui
