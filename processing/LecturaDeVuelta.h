#pragma once
// Reads the packed text of the XML road back while the schema check reads
// the document: one thread packs the document without writing records and
// hands the text through a pipe to a parser on another, which validates it
// against the schemas of the schema check and takes the digest of its
// reading. The text is what the records will hold, without "02", their line
// ends and the blanks that fill up the last one; the packing that writes the
// records must then give the same text (its digest is compared).
#include "platform/xml/Huella.h"
#include "platform/xml/SchemaCache.h"

#include <future>
#include <memory>
#include <string>
#include <string_view>

class LecturaDeVuelta {
public:
    // Starts reading back the packing of the file original.
    LecturaDeVuelta(const xml::SchemaCache& esquemas, const std::string& original);
    // Waits for both threads.
    ~LecturaDeVuelta();
    LecturaDeVuelta(const LecturaDeVuelta&) = delete;
    LecturaDeVuelta& operator=(const LecturaDeVuelta&) = delete;

    // Waits, repainting the windows meanwhile: whether the text read back
    // passed the schemas, its reading has the digest original, and the text
    // itself has the digest escrito (that of the records written).
    bool Igual(const xml::Huella::Digesto& original, const xml::Huella::Digesto& escrito);
    // After Igual: whether the text passed the schemas.
    bool Valido() const { return valido_; }

    // The text for the user when the packed text in the record file
    // registros does not read as the document original: it names the line of
    // the original where the first difference lies. valido: whether the
    // packed text passed the schemas; mixtos: the elements of mixed content.
    static std::string Diferencia(const std::string& original, const std::string& registros,
                                  bool valido, const xml::TiposMixtos* mixtos);

private:
    struct Resultado {
        bool valido = false;
        xml::Huella::Digesto digesto{};
    };

    static Resultado Leer(int fd, const xml::SchemaCache& esquemas);
    // Packs original into fd, which it closes; the digest of the text.
    static xml::Huella::Digesto Empaquetar(const std::string& original, int fd);
    void Esperar();

    int lectura_ = -1;
    std::future<xml::Huella::Digesto> texto_;
    std::future<Resultado> resultado_;
    bool valido_ = false;
};
