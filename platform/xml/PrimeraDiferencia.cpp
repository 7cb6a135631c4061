#include "platform/xml/PrimeraDiferencia.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/xml/ErrorCollector.h"
#include "platform/xml/FileDescriptor.h"
#include "platform/xml/Huella.h"
#include "platform/xml/LectorSaltos.h"
#include "platform/xml/ParserScope.h"
#include "platform/xml/Prologo.h"
#include "platform/xml/XmlHandles.h"

#include <deque>
#include <utility>

namespace xml {

namespace {

// One document's reading, taken an event at a time.
class Lado {
public:
    Lado(ReaderPtr reader, Huella::Modo modo, const TiposMixtos* mixtos)
        : reader_(std::move(reader)), huella_(modo, [this](std::string_view evento, long linea) {
              eventos_.emplace_back(std::string(evento), linea);
              linea_ = linea;
          }) {
        if (!reader_)
            rt::raise(rt::err::OutOfMemory);
        huella_.mixtos(mixtos);
    }

    // The next event; false when the reading has ended (or failed).
    bool siguiente(std::string& evento) {
        while (eventos_.empty() && !fin_) {
            if (xmlTextReaderRead(reader_.get()) == 1) {
                huella_.nodo(reader_.get(), xmlTextReaderNodeType(reader_.get()));
                continue;
            }
            fin_ = true;
            huella_.digesto();
        }
        if (eventos_.empty())
            return false;
        evento = std::move(eventos_.front().first);
        linea_ = eventos_.front().second;
        eventos_.pop_front();
        return true;
    }

    // The line of the latest event taken.
    long linea() const { return linea_; }

private:
    ReaderPtr reader_;
    std::deque<std::pair<std::string, long>> eventos_;
    Huella huella_;
    long linea_ = 1;
    bool fin_ = false;
};

} // namespace

long PrimeraDiferencia::buscar(const std::string& original, std::string_view otro,
                               Huella::Modo modo, const TiposMixtos* mixtos) {
    ErrorCollector errores;
    ParserScope scope(errores, ParserScope::refuseAll);
    // The original's lines as every message names them; the reader goes
    // before both.
    const FileDescriptor fd(original);
    LectorSaltos lector(fd.get(), fd.isOpen() && Prologo(fd.get()).saltosPorBytes());
    Lado a(ReaderPtr(fd.isOpen() ? xmlReaderForIO(LectorSaltos::leer, nullptr, &lector,
                                                  original.c_str(), nullptr, kOpcionesLector)
                                 : nullptr),
           modo, mixtos);
    Lado b(ReaderPtr(xmlReaderForMemory(otro.data(), static_cast<int>(otro.size()), "", nullptr,
                                        kOpcionesLector)),
           modo, mixtos);
    std::string ea, eb;
    for (;;) {
        const bool hayA = a.siguiente(ea);
        const bool hayB = b.siguiente(eb);
        if (!hayA && !hayB)
            return 0;
        if (hayA != hayB || ea != eb)
            return a.linea();
    }
}

} // namespace xml
