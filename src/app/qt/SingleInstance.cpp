#include "app/qt/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>

namespace {

constexpr int kAnswerTimeoutMs = 1000;
const QByteArray kActivate = "activate\n";
const QByteArray kDone = "ok\n";

// Sends the request; true when an instance was listening (whether or not it answered in time).
bool askRunningInstance(const QString& serverName) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kAnswerTimeoutMs)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kAnswerTimeoutMs);
    socket.waitForReadyRead(kAnswerTimeoutMs);
    return true;
}

}  // namespace

QString instanceServerName(const QString& executablePath) {
    QString canonical = QFileInfo(executablePath).canonicalFilePath();
    if (canonical.isEmpty()) canonical = executablePath;
    QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("listaro-%1-%2")
        .arg(::getuid())
        .arg(QString::fromLatin1(hash.toHex().left(24)));
}

bool SingleInstance::probeRunningInstance(const QString& serverName) {
    if (askRunningInstance(serverName)) return false;
    server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer,
            Qt::UniqueConnection);
    if (server_.listen(serverName)) return true;
    // Another start took the name between our request and our listen: it is the running one.
    return !askRunningInstance(serverName);
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() == kActivate) emit activationRequested();
            socket->write(kDone);
            socket->disconnectFromServer();
        });
    }
}
