#pragma once
// What a reader reads of a file, watched on the way for a start tag with more
// attributes than any declaration has. libxml2 checks an element's attributes in time that grows
// with their square, and would hold the window for minutes on such a tag; the read stops there
// instead, with a Spanish reason. The count is of "=" signs inside markup, outside quoted values,
// comments, CDATA sections and processing instructions.
#include <cstddef>
#include <string>
#include <utility>

namespace xml {

class ErrorCollector;

class LimiteAtributos {
public:
    // The field tables' 32,767 fields, and room for namespace declarations.
    static constexpr long kMaximo = 32767 + 1024;

    LimiteAtributos(int fd, std::string path, ErrorCollector& errors)
        : fd_(fd), path_(std::move(path)), errors_(errors) {}

    // libxml2's input callback: context is a LimiteAtributos.
    static int leer(void* context, char* buffer, int len);

private:
    int leer(char* buffer, int len);
    // False at the byte that makes one tag too many attributes.
    bool mirar(char c);
    bool enMarca(char c);
    void contarLinea(char c);

    enum class Estado { Texto, Abre, Bang, BangGuion, Marca, Comilla, Comentario, CData, PI };

    int fd_;
    std::string path_;
    ErrorCollector& errors_;
    Estado estado_ = Estado::Texto;
    char comilla_ = 0;
    char previo_ = 0, antePrevio_ = 0;
    long atributos_ = 0;
    long linea_ = 1, lineaMarca_ = 1;
    bool trasCr_ = false;
    bool excedido_ = false;
};

} // namespace xml
