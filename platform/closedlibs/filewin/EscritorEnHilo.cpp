#include "platform/closedlibs/filewin/EscritorEnHilo.h"

EscritorEnHilo::EscritorEnHilo(Base64Salida& salida, std::size_t tamBuffer)
    : salida_(salida), buffers_{std::vector<unsigned char>(tamBuffer),
                                std::vector<unsigned char>(tamBuffer)},
      hilo_([this] { trabajar(); }) {}

EscritorEnHilo::~EscritorEnHilo() {
    {
        std::lock_guard<std::mutex> l(m_);
        fin_ = true;
        ok_ = false; // nothing more is written
    }
    cambio_.notify_all();
    if (hilo_.joinable())
        hilo_.join();
}

void EscritorEnHilo::trabajar() {
    for (int i = 0;; i = 1 - i) {
        std::unique_lock<std::mutex> l(m_);
        cambio_.wait(l, [&] { return lleno_[i] || fin_; });
        if (!lleno_[i] || !ok_)
            return;
        l.unlock();
        const bool escrito = salida_.agregar(buffers_[i].data(), largos_[i]);
        l.lock();
        ok_ = ok_ && escrito;
        lleno_[i] = false;
        cambio_.notify_all();
    }
}

std::vector<unsigned char>& EscritorEnHilo::siguiente() {
    std::unique_lock<std::mutex> l(m_);
    cambio_.wait(l, [&] { return !lleno_[turno_] || !ok_; });
    return buffers_[turno_];
}

bool EscritorEnHilo::entregar(std::size_t n) {
    {
        std::lock_guard<std::mutex> l(m_);
        if (!ok_)
            return false;
        largos_[turno_] = n;
        lleno_[turno_] = true;
        turno_ = 1 - turno_;
    }
    cambio_.notify_all();
    return true;
}

bool EscritorEnHilo::terminar() {
    {
        std::unique_lock<std::mutex> l(m_);
        cambio_.wait(l, [&] { return (!lleno_[0] && !lleno_[1]) || !ok_; });
        fin_ = true;
    }
    cambio_.notify_all();
    hilo_.join();
    return ok_;
}
