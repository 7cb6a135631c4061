// The XML road's packing on any document: every record is "02" + 498 bytes +
// CR LF, and the records' text is the document without its blank lines and
// line ends, bytes below 32 as blanks, filled up with blanks. A document it
// refuses (a run-time error) must be one that the refusal rule names; with
// NURO_FUZZ_RECHAZO_XML every document the rule names must be refused.
#include "fuzz/Invariantes.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "processing/EmpaquetadorXml.h"
#include "processing/VentanaArchivoFinal.h"
#include "tests/support/TestEnv.h"

#include <cstdint>

namespace {

using fuzz::Exigir;

class Ventana : public VentanaArchivoFinal {
    void EtiquetaCaption(const std::string&) override {}
    void EtiquetaRefresh() override {}
    bool Abierta() const override { return true; }
};

// What the packing makes of the document.
std::string Esperado(std::string_view documento) {
    std::string texto;
    for (const std::string& linea : rt::splitLines(documento))
        if (!fuzz::EnBlanco(linea))
            texto += linea;
    for (char& c : texto)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    texto.append((498 - texto.size() % 498) % 498, ' ');
    return texto;
}

bool DeclaraCodificacionAncha(std::string_view t) {
    if (t.starts_with("\xEF\xBB\xBF"))
        t.remove_prefix(3);
    if (!t.starts_with("<?xml"))
        return false;
    const std::string declaracion = rt::upper(t.substr(0, t.find("?>")));
    const std::size_t pos = declaracion.find("ENCODING");
    if (pos == std::string::npos)
        return false;
    const std::size_t abre = declaracion.find_first_of("\"'", pos);
    if (abre == std::string::npos)
        return false;
    const std::string nombre =
        declaracion.substr(abre + 1, declaracion.find(declaracion[abre], abre + 1) - abre - 1);
    for (const char* ancha : {"UTF-16", "UTF-32", "UCS-2", "UCS-4"})
        if (nombre.find(ancha) != std::string::npos)
            return true;
    return false;
}

// The refusal rule: a UTF-16/32 byte-order mark, a NUL byte, an encoding
// declaration naming a wide encoding, or two kept lines that the joining
// would glue into other text.
bool RechazoNombrado(std::string_view t) {
    using namespace std::string_view_literals;
    constexpr std::string_view kFinLibre = "> \t", kInicioLibre = "< \t";
    if (t.starts_with("\xFF\xFE"sv) || t.starts_with("\xFE\xFF"sv) ||
        t.starts_with("\0\0\xFE\xFF"sv) || t.find('\0') != std::string_view::npos ||
        DeclaraCodificacionAncha(t))
        return true;
    std::string anterior;
    for (const std::string& linea : rt::splitLines(t)) {
        if (fuzz::EnBlanco(linea))
            continue;
        if (!anterior.empty() && kFinLibre.find(anterior.back()) == std::string_view::npos &&
            kInicioLibre.find(linea.front()) == std::string_view::npos)
            return true;
        anterior = linea;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    static testenv::TempDir carpeta;
    static testenv::ScopedEnv tmp("tmp", carpeta.path().c_str());
    static const std::string ruta = carpeta.file("documento.xml");
    const std::string documento(reinterpret_cast<const char*>(datos), largo);
    testenv::writeFile(ruta, documento);
    const std::string registros = rt::tempPath("F.xml");

    Ventana ventana;
    EmpaquetadorXml empaquetador(ventana);
    bool rechazado = false;
    try {
        empaquetador.Empaquetar(ruta, "F.xml");
    } catch (const rt::RuntimeError& e) {
        rechazado = true;
        Exigir(RechazoNombrado(documento),
               "rechazo (error " + std::to_string(e.number()) + ") que la regla no nombra");
    }
    for (int numero = 1; numero <= 255 && !rechazado; ++numero)
        Exigir(!rt::IsOpen(numero),
               "el archivo número " + std::to_string(numero) + " quedó abierto");
    rt::CloseAll(); // after an error the packing leaves its files to the window
    Exigir(!NURO_FUZZ_RECHAZO_XML || rechazado || !RechazoNombrado(documento),
           "documento que la regla nombra y no se rechaza");
    if (!rechazado) {
        const std::string texto = fuzz::TextoDeRegistros(fuzz::Leer(registros));
        Exigir(texto == Esperado(documento), "los registros no son el texto del documento");
        Exigir(empaquetador.v_TotalLineasXml() == static_cast<long long>(texto.size() / 498),
               "v_TotalLineasXml no cuenta los registros");
    }
    rt::deleteFileQuiet(registros);
    return 0;
}
