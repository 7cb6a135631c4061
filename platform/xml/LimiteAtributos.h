#pragma once
// What a reader reads of a file, watched on the way for a start tag with more
// attributes than any declaration has. libxml2 checks an element's attributes
// in time that grows with their square, and would hold the window for minutes
// on such a tag; the read stops there instead, with a Spanish reason. The
// count is of "=" signs inside markup, outside quoted values, comments, CDATA
// sections and processing instructions.
#include "platform/xml/LectorSaltos.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace xml {

class ErrorCollector;

class LimiteAtributos {
public:
    // The field tables' 32,767 fields, and room for namespace declarations.
    static constexpr long kMaximo = 32767 + 1024;

    // unificarSaltos: the file's lone CRs reach the parser as LF
    // (LectorSaltos).
    LimiteAtributos(int fd, std::string path, ErrorCollector& errors, bool unificarSaltos = false)
        : fd_(fd), path_(std::move(path)), errors_(errors), lector_(fd, unificarSaltos) {}

    // libxml2's input callback: context is a LimiteAtributos.
    static int leer(void* context, char* buffer, int len);

private:
    enum class Estado { Texto, Abre, Bang, BangGuion, Marca, Comilla, Comentario, CData, PI };

    int leer(char* buffer, int len);
    // fin, or where in [p, fin) a tag gets too many attributes (excedido_).
    const char* mirar(const char* p, const char* fin);
    const char* enMarca(const char* p, const char* fin);
    // Past the ">" that ends a comment, CDATA section or processing
    // instruction ("-->", "]]>", "?>"); fin when it is not in [p, fin).
    const char* hastaCierre(const char* p, const char* fin, char antes, int cuantos);
    char previo(const char* p, int k) const;

    int fd_;
    std::string path_;
    ErrorCollector& errors_;
    LectorSaltos lector_;
    Estado estado_ = Estado::Texto;
    char comilla_ = 0;
    long atributos_ = 0;
    std::int64_t leido_ = 0;       // bytes before the current buffer
    std::int64_t inicioMarca_ = 0; // where the current tag began
    const char* buffer_ = nullptr;
    char cola_[2] = {}; // the last two bytes of the previous buffer
    bool excedido_ = false;
};

} // namespace xml
