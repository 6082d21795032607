#pragma once
// The program's entry on Qt.

// Starts the program in the executable's folder: refuses a second instance of the same executable
// (bringing the first to the front), opens the settings, prepares the form library, shows the main
// window and runs the window loop. Returns the process exit code.
int startProgram(int argc, char** argv);
