#pragma once
// Hands encrypted pieces to a thread of its own that encodes and writes them,
// so that reading and encrypting the next piece overlaps the writing of the
// last. Two buffers take turns; memory stays two pieces whatever the file.
#include "platform/closedlibs/filewin/Base64Salida.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

class EscritorEnHilo {
public:
    EscritorEnHilo(Base64Salida& salida, std::size_t tamBuffer);
    // Stops the thread; what was handed over and not yet written is dropped
    // unless terminar() was called.
    ~EscritorEnHilo();
    EscritorEnHilo(const EscritorEnHilo&) = delete;
    EscritorEnHilo& operator=(const EscritorEnHilo&) = delete;

    // The buffer to fill next; waits until the thread has written it out.
    std::vector<unsigned char>& siguiente();
    // Hands over the first n bytes of that buffer; false once a write failed.
    bool entregar(std::size_t n);
    // Waits until everything handed over is written; false if a write failed.
    bool terminar();

private:
    void trabajar();

    Base64Salida& salida_;
    std::vector<unsigned char> buffers_[2];
    std::size_t largos_[2] = {};
    bool lleno_[2] = {};
    int turno_ = 0;
    bool fin_ = false;
    bool ok_ = true;
    std::mutex m_;
    std::condition_variable cambio_;
    std::thread hilo_;
};
