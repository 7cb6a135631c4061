#include "processing/RecursosLectura.h"

#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

RecursosLectura* enUso = nullptr;

} // namespace

bool RecursosLectura::Tuberia(int extremos[2]) {
    return ::pipe2(extremos, O_CLOEXEC) == 0;
}

std::jthread RecursosLectura::Hilo(std::function<void(std::stop_token)> trabajo) {
    return std::jthread(std::move(trabajo));
}

RecursosLectura& RecursosLectura::Actuales() {
    static RecursosLectura delSistema;
    return enUso ? *enUso : delSistema;
}

void RecursosLectura::Usar(RecursosLectura* recursos) {
    enUso = recursos;
}
