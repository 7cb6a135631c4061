#pragma once
// The watchdog: a thread of its own that calls alVencer once the time is up,
// unless stopped before. It works even when the user-interface thread never
// returns to its event loop.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class Vigia {
public:
    Vigia(std::chrono::milliseconds plazo, std::function<void()> alVencer);
    ~Vigia();
    Vigia(const Vigia&) = delete;
    Vigia& operator=(const Vigia&) = delete;

    void detener();

private:
    void vigilar(std::chrono::milliseconds plazo);

    std::function<void()> alVencer_;
    std::mutex mutex_;
    std::condition_variable aviso_;
    bool detenido_ = false;
    std::thread hilo_;
};
