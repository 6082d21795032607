#include "app/qt/Startup.h"

int main(int argc, char** argv) {
    return startProgram(argc, argv);
}
