#pragma once
// Reads the packed text of the XML road back while the schema check reads
// the document: one thread packs the document without writing records and
// hands the text through a pipe to a parser on another, which validates it
// against the schemas of the schema check and takes the digest of its
// reading. The text is what the records will hold, without "02", their line
// ends and the blanks that fill up the last one; the packing that writes the
// records must then give the same text (its digest is compared). Both
// threads and both ends of the pipe belong to the object: every way out,
// a failure to start included, stops the packing and joins and closes them.
#include "platform/xml/FileDescriptor.h"
#include "platform/xml/Huella.h"
#include "platform/xml/SchemaCache.h"

#include <future>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>

class LecturaDeVuelta {
public:
    // The system gave no pipe or no thread (RecursosLectura).
    struct SinRecursos : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    // Starts reading back the packing of the file original; SinRecursos
    // when it cannot start, with nothing left open or running.
    LecturaDeVuelta(const xml::SchemaCache& esquemas, const std::string& original);
    // Stops the packing at its next block and waits for both threads.
    ~LecturaDeVuelta() = default;
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
    // Packs original into fd, which it closes at its end, however it ends;
    // the digest of the text.
    static xml::Huella::Digesto Empaquetar(const std::string& original, xml::FileDescriptor& fd,
                                           std::stop_token detener);
    void Esperar();

    // Ended in the reverse order: the packing asked to stop and joined; the
    // write end closed, if the packing never took it, so the reader meets the
    // end of the text; the reader joined; the read end closed last, so no
    // write ever meets a closed pipe.
    xml::FileDescriptor lectura_;
    std::future<Resultado> resultado_;
    std::jthread lector_;
    xml::FileDescriptor escritura_;
    std::future<xml::Huella::Digesto> texto_;
    std::jthread empaquetador_;
    bool valido_ = false;
};
