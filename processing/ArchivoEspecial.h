#pragma once
// A FIFO, a device or a socket chosen in the open dialog exists, but it holds
// no data file: reading it could wait for a writer or never end. The windows
// refuse it, naming what it is, before anything opens it.
#include <string>

class ArchivoEspecial {
public:
    // Whether a name the windows can see (not hidden) stands for a FIFO, a
    // device or a socket, links followed.
    static bool Es(const std::string& archivo);
    // The box that refuses it.
    static std::string MensajeRechazo(const std::string& archivo);
};
