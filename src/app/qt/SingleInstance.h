#pragma once
// One running instance per executable path. The first start listens on a local socket named after
// the user and the executable's canonical path; a later start of the same executable finds it,
// asks it to come to the front and ends. A copy at another path has another name and runs beside.
#include <QLocalServer>
#include <QObject>
#include <QString>

// "listaro-" + user id + "-" + a hash of the executable's canonical path.
QString instanceServerName(const QString& executablePath);

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // True when no other instance answers on serverName: this one then listens for later starts.
    // False when one runs: it has been asked to come to the front (waiting at most a second for
    // its answer).
    bool probeRunningInstance(const QString& serverName);

  signals:
    // A later start asked this instance to show its main window.
    void activationRequested();

  private:
    void answer();

    QLocalServer server_;
};
