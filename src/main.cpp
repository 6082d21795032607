#include "app/qt/Startup.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv);
}
