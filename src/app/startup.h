#pragma once

// The program: chooses the subject, opens its library, creates the windows and runs
// until the exit command ends it. A start-up failure shows its message, is written to
// standard error, and ends the program with status 1 before any window exists.
int RunQuarrybook(int argc, char** argv);

// Names the running application and gives every window the program's icon.
void NameApplication();
