#pragma once
// Reads the packed text of the XML road back while it is being packed: the
// text goes through a pipe to a parser on a thread of its own, which
// validates it against the schemas of the schema check and takes the digest
// of its reading. The text is what the records hold, without "02", their
// line ends and the blanks that fill up the last one.
#include "platform/xml/Huella.h"
#include "platform/xml/SchemaCache.h"

#include <future>
#include <string>
#include <string_view>

class LecturaDeVuelta {
public:
    explicit LecturaDeVuelta(const xml::SchemaCache& esquemas);
    // Ends the text if the packing did not, and waits for the parser.
    ~LecturaDeVuelta();
    LecturaDeVuelta(const LecturaDeVuelta&) = delete;
    LecturaDeVuelta& operator=(const LecturaDeVuelta&) = delete;

    // The next piece of the packed text.
    void Escribir(std::string_view texto);
    // Ends the text and waits, repainting the windows meanwhile: whether the
    // text passed the schemas and its reading has the digest original.
    bool Igual(const xml::Huella::Digesto& original);
    // After Igual: whether the text passed the schemas.
    bool Valido() const { return valido_; }

    // The text for the user when the packed text in the record file
    // registros does not read as the document original: it names the line of
    // the original where the first difference lies. valido: whether the
    // packed text passed the schemas.
    static std::string Diferencia(const std::string& original, const std::string& registros,
                                  bool valido);

private:
    struct Resultado {
        bool valido = false;
        xml::Huella::Digesto digesto{};
    };

    static Resultado Leer(int fd, const xml::SchemaCache& esquemas);
    void CerrarEscritura();

    int lectura_ = -1;
    int escritura_ = -1;
    std::future<Resultado> resultado_;
    bool valido_ = false;
};
