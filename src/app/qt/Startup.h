#pragma once

// Builds the application objects in the executable's folder, runs the window loop, tears down.
int runProgram(int argc, char** argv);
