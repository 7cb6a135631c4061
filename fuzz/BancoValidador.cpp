#include "fuzz/BancoValidador.h"

#include "fuzz/Invariantes.h"
#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "shell/Globales.h"
#include "tests/support/TestDrive.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <map>
#include <set>

namespace fuzz {

namespace {

constexpr char kTitulo[] = "datos.txt";
const std::string kFin = "</root>" + std::string(498, ' ');

// No person answers: boxes vanish, yields do nothing.
class SinDialogos : public ui::Dialogs {
    void messageBox(const std::string&, ui::Icon) override {}
    ui::OpenFileAnswer showOpen(const ui::OpenFileRequest&) override { return {}; }
    void yield() override {}
    void repaint() override {}
};

// The tests' forms without the statements that generate tens of thousands
// of rows: every query scans the tables, and the fuzzed runs would spend
// their time decrypting those pages.
std::string SinFormasEnormes(const std::string& sql) {
    std::string resto;
    for (std::size_t inicio = 0, fin; inicio < sql.size(); inicio = fin + 1) {
        fin = std::min(sql.find(';', inicio), sql.size());
        const std::string_view sentencia = std::string_view(sql).substr(inicio, fin - inicio + 1);
        if (sentencia.find("WITH RECURSIVE") == std::string_view::npos)
            resto += sentencia;
    }
    return resto;
}

testenv::TestDrive& Unidad() {
    static SinDialogos dialogos;
    static testenv::TestDrive drive(
        testenv::sampleDataSql() + "\n" +
        SinFormasEnormes(testenv::readFile(testenv::dataDir() + "/flat/estructuras.sql")) + "\n" +
        testenv::readFile(testenv::dataDir() + "/vista/estructuras.sql"));
    static const bool abierta = [] {
        drive.openBaseDatos();
        ui::setDialogs(&dialogos);
        return true;
    }();
    (void)abierta;
    return drive;
}

struct Tipo {
    int atributos = 0;
    int elementos = 0;
};

// What the structure lets the document hold.
struct Estructura {
    std::map<std::string, Tipo> tipos;
    std::set<std::string> elementos;
    std::set<std::string> atributos;
    // Record types that the nesting rows name, with a tag: a type without one
    // (reference data the schema check then refuses) gets no element name.
    std::set<std::string> conNombre;
};

const Estructura& Cargar(const Forma& forma) {
    static std::map<std::string, Estructura> cargadas;
    const std::string clave = std::string(forma.codigo) + forma.version;
    auto [it, nueva] = cargadas.try_emplace(clave);
    if (!nueva)
        return it->second;
    const std::string donde = " where CodFormulario='" + std::string(forma.codigo) +
                              "' and Version='" + forma.version + "'";
    for (auto reg = BaseDatos->openRecordSet("select * from Estructuras" + donde); !reg->eof();
         reg->moveNext()) {
        Tipo& tipo = it->second.tipos[reg->field("TipoRegistro").textOr("")];
        const std::string nombre = reg->field("NombreCampo").textOr("");
        if (rt::upper(reg->field("IndicativoAtributo").textOr("")) == "S") {
            ++tipo.atributos;
            it->second.atributos.insert(nombre);
        } else {
            ++tipo.elementos;
            it->second.elementos.emplace(rt::trim(nombre));
        }
    }
    for (auto reg = BaseDatos->openRecordSet("select * from Estructura_Padre_hijo" + donde);
         !reg->eof(); reg->moveNext()) {
        const std::string tag(rt::trim(reg->field("NombreTag").textOr("")));
        it->second.elementos.emplace(tag);
        const db::Value hijo = reg->field("TipoRegistroHijo");
        if (!tag.empty())
            it->second.conNombre.insert(
                (hijo.isNull() ? reg->field("TipoRegistroPadre") : hijo).textOr(""));
    }
    return it->second;
}

// A UTF-8 byte-order mark in front of the first line is not part of it.
std::string_view SinMarca(std::string_view texto) {
    return texto.starts_with("\xEF\xBB\xBF") ? texto.substr(3) : texto;
}

// The vista conversion's lines: each one a record the flat reader accepts.
void LineasPlanas(const std::string& plano, const Estructura& estructura) {
    Exigir(plano.empty() || plano.ends_with("\r\n"), "el plano convertido no termina en CR LF");
    for (const std::string& linea : rt::splitLines(plano)) {
        const auto tipo = estructura.tipos.find(linea.substr(0, 2));
        Exigir(tipo != estructura.tipos.end(), "tipo de registro convertido inválido: " + linea);
        const long separadores = std::count(linea.begin(), linea.end(), '|');
        Exigir(separadores == tipo->second.atributos + tipo->second.elementos + 1,
               "cantidad de campos convertida incorrecta: " + linea);
    }
}

// Whether every record of the accepted file has an element name in the
// nesting rows; the check of the document holds only then.
bool TodosConNombre(const std::string& plano, const Estructura& estructura) {
    for (const std::string& linea : rt::splitLines(SinMarca(plano)))
        if (!EnBlanco(linea) && !estructura.conNombre.contains(linea.substr(0, 2)))
            return false;
    return true;
}

struct Cuenta {
    long elementos = 0;
    long atributos = 0;
};

void Contar(xmlNode* nodo, const Estructura& estructura, Cuenta& cuenta) {
    for (xmlNode* hijo = nodo->children; hijo; hijo = hijo->next) {
        if (hijo->type != XML_ELEMENT_NODE)
            continue;
        const std::string nombre = reinterpret_cast<const char*>(hijo->name);
        Exigir(estructura.elementos.contains(nombre), "elemento ajeno a la estructura: " + nombre);
        ++cuenta.elementos;
        for (xmlAttr* atributo = hijo->properties; atributo; atributo = atributo->next) {
            const std::string a = reinterpret_cast<const char*>(atributo->name);
            Exigir(estructura.atributos.contains(a), "atributo ajeno a la estructura: " + a);
            ++cuenta.atributos;
        }
        Contar(hijo, estructura, cuenta);
    }
}

// An accepted document is well-formed XML and carries every value as text:
// one element per record and per non-attribute field, one attribute per
// attribute field, and no name the structure did not give.
void DocumentoFiel(const std::string& texto, const std::string& plano,
                   const Estructura& estructura) {
    xmlDoc* doc = xmlReadMemory(texto.data(), static_cast<int>(texto.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    Exigir(doc != nullptr, "documento aceptado que no es XML bien formado");
    xmlNode* raiz = xmlDocGetRootElement(doc);
    Exigir(raiz && std::string_view(reinterpret_cast<const char*>(raiz->name)) == "root" &&
               !raiz->properties,
           "la raíz no es root con solo su espacio de nombres");
    Cuenta esperada;
    for (const std::string& linea : rt::splitLines(SinMarca(plano))) {
        const auto tipo = estructura.tipos.find(linea.substr(0, 2));
        Exigir(tipo != estructura.tipos.end(), "línea aceptada de tipo desconocido: " + linea);
        esperada.elementos += 1 + tipo->second.elementos;
        esperada.atributos += tipo->second.atributos;
    }
    Cuenta hallada;
    Contar(raiz, estructura, hallada);
    xmlFreeDoc(doc);
    Exigir(hallada.elementos == esperada.elementos && hallada.atributos == esperada.atributos,
           "el documento tiene " + std::to_string(hallada.elementos) + " elementos y " +
               std::to_string(hallada.atributos) + " atributos; la estructura da " +
               std::to_string(esperada.elementos) + " y " + std::to_string(esperada.atributos));
}

} // namespace

int ValidarEntrada(const std::uint8_t* datos, std::size_t largo, std::span<const Forma> formas) {
    if (largo == 0)
        return 0;
    Validar(std::string(reinterpret_cast<const char*>(datos) + 1, largo - 1),
            formas[datos[0] % formas.size()]);
    return 0;
}

void Validar(const std::string& bytes, const Forma& forma) {
    testenv::TestDrive& drive = Unidad();
    const std::string nombre = std::string("F") + forma.codigo + "_" + forma.version;
    const std::string xml = drive.tmpFile(nombre + ".xml");
    const std::string bloques = drive.tmpFile(kTitulo);
    const std::string datos = drive.writeData(kTitulo, bytes);
    std::string ruta = datos;
    VentanaProgresoMinima ventana(kTitulo);
    CValidarArchivo validador;
    validador.formulario(&ventana);
    const bool aceptado = validador.Validar(ruta, forma.codigo, forma.version, forma.tipo);

    for (int numero = 1; numero <= 255; ++numero)
        Exigir(!rt::IsOpen(numero),
               "el archivo número " + std::to_string(numero) + " quedó abierto");
    // A refusal names its reason; only a file without lines may fail without one.
    Exigir(aceptado != (!validador.Error().empty() || rt::splitLines(SinMarca(bytes)).empty()),
           "resultado y texto de error no concuerdan: " + validador.Error());
    const std::string registros = TextoDeRegistros(Leer(bloques));
    std::string texto = Leer(xml);
    std::erase(texto, '\r');
    std::erase(texto, '\n');
    Exigir(texto.starts_with(registros), "los registros no son el texto del archivo XML");
    if (aceptado) {
        Exigir(validador.Lineas() == static_cast<double>(registros.size() / 498),
               "Lineas no cuenta los registros");
        Exigir(texto.ends_with(kFin) && EnBlanco(std::string_view(texto).substr(registros.size())),
               "el archivo XML no termina en </root> y blancos tras los registros");
        const std::size_t fin = registros.find_last_not_of(' ');
        Exigir(fin != std::string::npos &&
                   std::string_view(registros).substr(0, fin + 1).ends_with("</root>"),
               "los registros no terminan con el documento");
    }
    std::string plano = bytes;
    if (ruta != datos) {
        plano = Leer(ruta);
        LineasPlanas(plano, Cargar(forma));
    }
    // U+FFFE and U+FFFF are valid UTF-8 but no XML character: no escaping
    // can carry them, and the schema check refuses such a document.
    const bool sinNoCaracteres = plano.find("\xEF\xBF\xBE") == std::string::npos &&
                                 plano.find("\xEF\xBF\xBF") == std::string::npos;
    if (aceptado && sinNoCaracteres && TodosConNombre(plano, Cargar(forma)))
        DocumentoFiel(texto, plano, Cargar(forma));
    for (const std::string& archivo : {xml, bloques, datos, ruta})
        rt::deleteFileQuiet(archivo);
}

} // namespace fuzz
