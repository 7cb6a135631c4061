#include "tests/e2e/driver/Vigia.h"

Vigia::Vigia(std::chrono::milliseconds plazo, std::function<void()> alVencer)
    : alVencer_(std::move(alVencer)), hilo_([this, plazo] { vigilar(plazo); }) {}

Vigia::~Vigia() {
    detener();
}

void Vigia::detener() {
    {
        std::lock_guard<std::mutex> bloqueo(mutex_);
        detenido_ = true;
    }
    aviso_.notify_all();
    if (hilo_.joinable())
        hilo_.join();
}

void Vigia::vigilar(std::chrono::milliseconds plazo) {
    std::unique_lock<std::mutex> bloqueo(mutex_);
    if (aviso_.wait_for(bloqueo, plazo, [this] { return detenido_; }))
        return;
    bloqueo.unlock();
    alVencer_();
}
