// From the menu to Procesados for every kind of sample form, with the CUIT
// stored through its window in the same session: the submission file is
// opened with the office's test key and read as the office reads it.
#include "platform/runtime/FileSystem.h"
#include "sample/Marcador.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "tests/e2e/ArchivoEntrega.h"
#include "tests/e2e/Conduccion.h"
#include "tests/support/AbrirEntrega.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

const std::string kCuit = "20123456786";
const std::string kFechaGuion = "2023-11-28 09:05:03";
const rt::DateTime kFecha{2023, 11, 28, 9, 5, 3};
const std::string kPlano = "Procesar Documento Plano";
const std::string kXml = "Procesar Documento XML";

struct Camino {
    const char* nombre;
    std::string menu;
    std::string formulario; // form code "/" version, as the list entry begins
    std::string muestra;    // sample data file
    std::string impuestoConcepto;
    bool textoPropio; // XML road: the records carry the file's own text
};

const Camino kCaminos[] = {
    {"FlatP", kPlano, "0801/00100", "F0801_00100.txt", "0217019", false},
    {"VistaV", kPlano, "0803/00100", "F0803_00100.txt", "0415040", false},
    {"FlatM", kPlano, "0802/00100", "F0802_00100.txt", "0300001", false},
    {"XmlM", kXml, "0802/00100", "F0802_00100.xml", "0300001", true},
    {"XmlX", kXml, "0804/00100", "F0804_00100.xml", "0218020", true},
    // Stored as lower-case "p"; its tax and concept codes are Null.
    {"FlatLowerP", kPlano, "0805/00100", "F0805_00100.txt", "", false},
};

// Test names and failure messages show the case's name.
void PrintTo(const Camino& c, std::ostream* os) {
    *os << c.nombre;
}

std::vector<std::string> archivos(const std::string& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta))
        nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

std::string guion(const Camino& c) {
    std::string g;
    g += "data " + c.muestra + " " + kFechaGuion + "\n";
    g += "menu Cargar Cuit\n";
    g += "type TxTCuit " + kCuit + "\n";
    g += "press Grabar\n";
    g += "menu " + c.menu + "\n";
    g += "form " + c.formulario + "\n";
    g += "choose " + c.muestra + "\n";
    g += "press Procesar\n";
    g += "press Salir\n";
    return g;
}

// Flat and vista roads: the document the validator generates, kept as a
// golden file; XML road: the chosen file's text as the window packs it.
std::string documentoEsperado(const Camino& c) {
    if (c.textoPropio)
        return e2e::textoEmpaquetado(testenv::sampleText("datos/" + c.muestra));
    const std::string nombre = "F" + c.formulario.substr(0, 4) + "_" + c.formulario.substr(5, 5);
    return e2e::sinBlancosFinales(muestra::reemplazarMarcador(
        testenv::readFile(testenv::dataDir() + "/e2e/documentos/" + nombre + ".xml")));
}

std::string cuenta(std::size_t registros) {
    char texto[16];
    std::snprintf(texto, sizeof texto, "%06zu", registros + 1);
    return texto;
}

class EntregaTest : public ::testing::TestWithParam<Camino> {
protected:
    EntregaTest() { drive.copySampleSchemas(); }

    // As delivered: no CUIT stored.
    testenv::TestDrive drive{testenv::sampleDataSql()};
    testenv::TempDir datos;
};

TEST_P(EntregaTest, FromTheMenuToProcesados) {
    const Camino& c = GetParam();
    const e2e::Conduccion r = e2e::conducir(guion(c), {drive.root(), drive.tmp(), datos.path()});
    ASSERT_EQ(r.codigo, 0) << r.salida;
    const std::vector<std::string> salidas = archivos(drive.processed());
    ASSERT_EQ(salidas.size(), 1u) << r.salida;
    const std::string nombre = salidas[0];
    EXPECT_EQ(r.cajas(),
              std::vector<std::string>{
                  "box none: Se genero el Archivo :<drive>/DatosNuro/Procesados/" + nombre});
    EXPECT_TRUE(r.tieneLinea("tmp: -")) << r.salida;

    const std::string formulario = c.formulario.substr(0, 4);
    const std::string version = c.formulario.substr(5, 5);
    const std::string nro = FuncGral().GenerarNroMagico(kCuit, kFecha);
    EXPECT_EQ(nombre, nro + "F" + formulario + ".dat.b64");

    const e2e::ArchivoEntrega entrega(
        prueba::abrirEntrega(testenv::readFile(drive.processed() + "/" + nombre)));
    EXPECT_TRUE(entrega.lineasConCrLf());
    const std::vector<std::string> registros = entrega.registros02();
    ASSERT_FALSE(registros.empty());
    EXPECT_EQ(entrega.head(), "HEAD10 01 01 " + cuenta(registros.size()));
    EXPECT_EQ(entrega.registro01(), "01" + c.impuestoConcepto + kCuit + nro + formulario + version +
                                        "20231128090503" + "1.0       ");
    for (const std::string& registro : registros) {
        EXPECT_EQ(registro.size(), 500u);
        EXPECT_EQ(registro.substr(0, 2), "02");
    }
    EXPECT_EQ(entrega.documento(), documentoEsperado(c));
}

INSTANTIATE_TEST_SUITE_P(Caminos, EntregaTest, ::testing::ValuesIn(kCaminos),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
