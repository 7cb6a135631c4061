#pragma once
// The read-back's pipe and threads as the tests see them: put in for the
// object's life, each step can be made to fail, the threads still running
// are counted and the pipe's two descriptors kept, to see them closed. The
// packing's thread may be held until it is asked to stop (at most 10 s), so
// that a test sees whether a run stops it.
#include "processing/RecursosLectura.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <system_error>
#include <thread>
#include <utility>

namespace testenv {

class RecursosDePrueba : public RecursosLectura {
public:
    enum class Falla { Ninguna, Tuberia, PrimerHilo, SegundoHilo };

    explicit RecursosDePrueba(Falla falla = Falla::Ninguna, bool retener = false)
        : falla_(falla), retener_(retener) {
        Usar(this);
    }
    ~RecursosDePrueba() override { Usar(nullptr); }
    RecursosDePrueba(const RecursosDePrueba&) = delete;
    RecursosDePrueba& operator=(const RecursosDePrueba&) = delete;

    bool Tuberia(int extremos[2]) override {
        if (falla_ == Falla::Tuberia) {
            errno = EMFILE;
            return false;
        }
        const bool hecha = RecursosLectura::Tuberia(extremos);
        extremos_[0] = extremos[0];
        extremos_[1] = extremos[1];
        return hecha;
    }

    std::jthread Hilo(std::function<void(std::stop_token)> trabajo) override {
        ++iniciados_;
        if ((falla_ == Falla::PrimerHilo && iniciados_ == 1) ||
            (falla_ == Falla::SegundoHilo && iniciados_ == 2))
            throw std::system_error(EAGAIN, std::generic_category(), "hilo");
        ++vivos_;
        const bool retener = retener_ && iniciados_ == 2;
        return RecursosLectura::Hilo(
            [this, retener, t = std::move(trabajo)](std::stop_token detener) {
                const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (retener && !detener.stop_requested() &&
                       std::chrono::steady_clock::now() < limite)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                t(std::move(detener));
                --vivos_;
            });
    }

    // Threads started here and not yet ended.
    int Vivos() const { return vivos_; }
    // Whether both ends of the last pipe made here are closed (or none was
    // made).
    bool TuberiaCerrada() const {
        for (int fd : extremos_)
            if (fd >= 0 && ::fcntl(fd, F_GETFD) != -1)
                return false;
        return true;
    }

private:
    Falla falla_;
    bool retener_;
    int iniciados_ = 0;
    std::atomic<int> vivos_{0};
    int extremos_[2] = {-1, -1};
};

} // namespace testenv
