#pragma once
// The read-only fix of the database file: writes Temp.bat in the data folder
// as a one-line shell script that gives the file back its owner-write bit, and
// starts it with /bin/sh in the background. The process is reaped when it
// ends, so no zombie stays; callers that want to may wait for it.
#include <chrono>

class ArregloSoloLectura {
public:
    // Writes Temp.bat (file number 2) and starts it, not awaited. Run-time
    // errors of the file operations reach the caller; a start that fails is 53.
    static void aplicar();
    // Waits for the fix started last, at most limite; true when it has ended
    // (or none was started).
    static bool esperar(std::chrono::milliseconds limite);
};
