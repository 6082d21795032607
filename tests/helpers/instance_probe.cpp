// Probes for a running instance listening on the name given as the argument, as a second start
// of the program does. Exit code 0: one answered; 1: none did (this process was the first).
#include <QCoreApplication>

#include "app/qt/SingleInstance.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    SingleInstance instance;
    return instance.probeRunningInstance(QString::fromLocal8Bit(argv[1])) ? 1 : 0;
}
