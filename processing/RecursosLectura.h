#pragma once
// The pipe and the threads that the read-back of the XML road asks of the
// system. Tests put in their own to make each of them fail.
#include <functional>
#include <stop_token>
#include <thread>

class RecursosLectura {
public:
    virtual ~RecursosLectura() = default;

    // A new pipe, both ends closed on exec; false, with errno set, when the
    // system gives none.
    virtual bool Tuberia(int extremos[2]);
    // trabajo on a thread of its own; throws std::system_error, as
    // std::jthread does, when the thread cannot start.
    virtual std::jthread Hilo(std::function<void(std::stop_token)> trabajo);

    // The ones in use: the system's, unless others were put in.
    static RecursosLectura& Actuales();
    // nullptr: the system's again.
    static void Usar(RecursosLectura* recursos);
};
