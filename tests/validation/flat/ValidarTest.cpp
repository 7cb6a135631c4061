// A whole run of the validator: progress, failures that end in the handler,
// the cancel during the yield, a window closed under the run, the vista road.
#include "tests/validation/flat/EntornoPlano.h"

#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "validation/CProcesarArchivoTipoVista.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string ErrorNumero(int numero) {
    return "Error Número : " + std::to_string(numero) + " ->" + rt::errorDescription(numero);
}

// Descriptors of this process that point into the folder.
int AbiertosEn(const std::string& carpeta) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const auto destino = std::filesystem::read_symlink(e.path(), ec);
        n += !ec && destino.string().rfind(carpeta, 0) == 0;
    }
    return n;
}

void NadaAbierto(const EntornoPlano& entorno) {
    for (int archivo = 1; archivo <= 4; ++archivo)
        EXPECT_FALSE(rt::IsOpen(archivo)) << archivo;
    EXPECT_EQ(AbiertosEn(entorno.carpeta.path()), 0);
}

// A GOLD file of one declaration and many items, long enough to write
// records from its first lines on.
std::string Declaracion(int items) {
    std::string texto = "01|20123456786|202401|Empresa|\r\n";
    for (int i = 1; i <= items; ++i)
        texto += "02|" + std::to_string(i) + "|" + std::string(300, 'd') +
                 "|10.50|20240115|20123456786|\r\n";
    return texto;
}

TEST(Validar, ProgresoPorLinea) {
    EntornoPlano entorno;
    ASSERT_TRUE(entorno.Validar(Declaracion(6), "GOLD")) << entorno.validador.Error();
    EXPECT_EQ(entorno.ventana.Caption(), "Procesando Registro :  7");
    EXPECT_EQ(entorno.ventana.Captions(), 7);
    EXPECT_EQ(entorno.ventana.Refrescos(), 7);
    EXPECT_EQ(entorno.dialogos.yields(), 7);
    NadaAbierto(entorno);
}

struct Fallo {
    const char* nombre;
    const char* formulario;
    std::string contenido;
    std::string error;
};

const std::string kLinea32766 = "01|" + std::string(32762, 'a') + "|";
const std::string kLinea32767 = "01|" + std::string(32763, 'a') + "|";

const Fallo kFallos[] = {
    {"ArchivoSinLineas", "REGL", "", ""},
    {"LineaDe32767Caracteres", "LARG", kLinea32767 + "\r\n", ErrorNumero(rt::err::Overflow)},
    {"SinFilasDeAnidamiento", "SINA", "01|a|\r\n", ErrorNumero(rt::err::SubscriptOutOfRange)},
    {"NuloEnEstructuras", "NULO", "01|a|\r\n", ErrorNumero(rt::err::InvalidUseOfNull)},
    {"AnidamientoSinPadre", "PNUL", "01|a|\r\n", ErrorNumero(rt::err::InvalidUseOfNull)},
    // The failing row ends the check early; the counts are reset over every
    // row all the same, and the 32,768th is beyond a 16-bit row number.
    {"AnidamientoDeMasDe32767Filas", "ANCH", "10|r|\r\n", ErrorNumero(rt::err::Overflow)},
    // The attribute search walks the whole field matrix for a value that is none.
    {"MasDe32767Campos", "CAMP", "01|a|\r\n", ErrorNumero(rt::err::Overflow)},
    {"FormularioInexistente", "XXXX", "01|a|\r\n", ErrorNumero(rt::err::NoCurrentRecord)},
    // Lines longer than what is held of them: blank over the whole length,
    // or past 32,767 characters while their values are read, the last
    // character decoding the whole line as Windows-1252.
    // A pattern that does not compile fails the value it tests, not the load.
    {"PatronQueNoCompila", "MALR", "01|a|\r\n02|b|\r\n", ErrorNumero(rt::err::RegexSyntax)},
    {"LineaLargaEnBlanco", "REGL", std::string(100000, ' ') + "\r\n",
     "linea: 1 > No puede existir registros en blanco"},
    {"LineaLargaCasiEnBlanco", "REGL", std::string(100000, ' ') + "x\r\n",
     ErrorNumero(rt::err::Overflow)},
    {"LineasSoloConLf", "LARG", "01|a|\n01|b|\n" + std::string(40000, 'c') + "\n",
     ErrorNumero(rt::err::Overflow)},
    {"LineaLargaDeTipoInvalido", "REGL", "09|" + std::string(70000, 'a') + "\xf1|\r\n",
     ErrorNumero(rt::err::Overflow)},
    // Up to 32,767 rows the 16-bit row numbers hold: the check ends at the
    // failing row and the reset walks every row.
    {"AnidamientoDe32767Filas", "ANC7", "10|r|\r\n", "linea:1 > Error de Estructura"},
};

class ValidarFallo : public ::testing::TestWithParam<Fallo> {};

TEST_P(ValidarFallo, ErrorYNadaAbierto) {
    const Fallo& f = GetParam();
    EntornoPlano entorno;
    EXPECT_FALSE(entorno.Validar(f.contenido, f.formulario));
    EXPECT_EQ(entorno.validador.Error(), f.error);
    EXPECT_EQ(entorno.Bloques(), "");
    NadaAbierto(entorno);
}

INSTANTIATE_TEST_SUITE_P(Casos, ValidarFallo, ::testing::ValuesIn(kFallos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Walks that end at row 32,766 or 32,767 of the nesting matrix (a second
// root closes the first after a search through every row) or of the field
// matrix (the attribute search for a value that is none).
TEST(Validar, TablasDeHasta32767FilasPasan) {
    for (const char* formulario : {"ANC6", "CAM6", "CAM7"}) {
        EntornoPlano entorno;
        const std::string primero = formulario[1] == 'N' ? "10" : "01";
        EXPECT_TRUE(entorno.Validar(primero + "|r|\r\n" + primero + "|s|\r\n", formulario))
            << formulario << ": " << entorno.validador.Error();
    }
}

TEST(Validar, PatronQueNoCompilaSinValoresQueLoUsen) {
    EntornoPlano entorno;
    EXPECT_TRUE(entorno.Validar("01|a|\r\n01|b|\r\n", "MALR")) << entorno.validador.Error();
}

TEST(Validar, LineaDe32766CaracteresPasa) {
    EntornoPlano entorno;
    ASSERT_TRUE(entorno.Validar(kLinea32766 + "\r\n", "LARG")) << entorno.validador.Error();
    EXPECT_NE(entorno.Xml("LARG").find("<A><![CDATA[" + std::string(32762, 'a') + "]]></A>"),
              std::string::npos);
}

// A file saved as UTF-8 with a byte-order mark gives the same document.
TEST(Validar, MarcaDeOrdenFueraDeLaPrimeraLinea) {
    const std::string texto = "01|20123456786|202401|Ñandú|\r\n02|1|d|10.50|20240115|20123456786|";
    EntornoPlano sinMarca;
    ASSERT_TRUE(sinMarca.Validar(texto, "GOLD")) << sinMarca.validador.Error();
    EntornoPlano conMarca;
    ASSERT_TRUE(conMarca.Validar("\xEF\xBB\xBF" + texto, "GOLD")) << conMarca.validador.Error();
    EXPECT_EQ(conMarca.Xml("GOLD"), sinMarca.Xml("GOLD"));
    EXPECT_EQ(conMarca.Bloques(), sinMarca.Bloques());
    // Only that one mark: a second one is text of the first line.
    EntornoPlano dosMarcas;
    EXPECT_FALSE(dosMarcas.Validar("\xEF\xBB\xBF\xEF\xBB\xBF" + texto, "GOLD"));
    EXPECT_EQ(dosMarcas.validador.Error(), "linea: 1 > El tipo de registro es invalido");
    EntornoPlano soloMarca;
    EXPECT_FALSE(soloMarca.Validar("\xEF\xBB\xBF", "GOLD"));
    EXPECT_EQ(soloMarca.validador.Error(), "linea:1 > Error de Estructura");
}

TEST(Validar, ArchivoInexistente) {
    EntornoPlano entorno;
    EXPECT_FALSE(entorno.ValidarRuta(entorno.carpeta.file("datos/no.txt"), "REGL"));
    EXPECT_EQ(entorno.validador.Error(), ErrorNumero(rt::err::FileNotFound));
}

TEST(Validar, CarpetaTemporalInexistente) {
    EntornoPlano entorno;
    const std::string ruta = entorno.Archivo(Declaracion(1));
    testenv::ScopedEnv tmp("tmp", entorno.carpeta.file("no-existe").c_str());
    EXPECT_FALSE(entorno.ValidarRuta(ruta, "GOLD"));
    EXPECT_EQ(entorno.validador.Error(), ErrorNumero(rt::err::PathNotFound));
    NadaAbierto(entorno);
}

// Another user of the work folder plants links at the names of the record
// file and the XML work file: each is removed and the run writes its own.
TEST(Validar, EnlacesEnLosArchivosDeTrabajoNoSeSiguen) {
    namespace fs = std::filesystem;
    EntornoPlano entorno;
    const std::string fuera = entorno.carpeta.file("fuera.txt");
    testenv::writeFile(fuera, "del usuario");
    fs::create_symlink(fuera, entorno.carpeta.file("tmp/entrada.txt"));
    fs::create_symlink(entorno.carpeta.file("colgante.xml"),
                       entorno.carpeta.file("tmp/FGOLD_00001.xml"));
    ASSERT_TRUE(entorno.Validar(Declaracion(2), "GOLD")) << entorno.validador.Error();
    EXPECT_EQ(testenv::readFile(fuera), "del usuario");
    EXPECT_FALSE(fs::exists(entorno.carpeta.file("colgante.xml")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(entorno.carpeta.file("tmp/entrada.txt"))));
    EXPECT_NE(entorno.Bloques().find("Empresa"), std::string::npos);
    EXPECT_NE(entorno.Xml("GOLD").find("Empresa"), std::string::npos);
}

TEST(Validar, ErrorDeLineaCierraLaEntrada) {
    EntornoPlano entorno;
    EXPECT_FALSE(entorno.Validar(Declaracion(3) + "09|x|\r\n", "GOLD"));
    EXPECT_EQ(entorno.validador.Error(), "linea: 5 > El tipo de registro es invalido");
    EXPECT_EQ(entorno.validador.Lineas(), 5);
    NadaAbierto(entorno);
}

// The exit button of the processing window: files 1 to 3 closed and the
// window closed, during a yield.
TEST(Validar, CancelarDuranteElYield) {
    EntornoPlano entorno;
    entorno.dialogos.onYield = [&entorno](int n) {
        if (n != 10)
            return;
        for (int archivo = 1; archivo <= 3; ++archivo)
            rt::Close(archivo);
        entorno.ventana.Cerrar();
    };
    EXPECT_FALSE(entorno.Validar(Declaracion(30), "GOLD"));
    EXPECT_EQ(entorno.validador.Error(), ErrorNumero(rt::err::BadFileNumber));
    EXPECT_EQ(entorno.ventana.Captions(), 9);
    EXPECT_EQ(entorno.ventana.Refrescos(), 9);
    EXPECT_EQ(entorno.dialogos.yields(), 10);
    // Records were written before the cancel; what was written stays whole.
    const std::string bloques = entorno.Bloques();
    EXPECT_GT(bloques.size(), 0u);
    EXPECT_EQ(bloques.size() % 502, 0u);
    NadaAbierto(entorno);
}

// A window closed by other means: the run goes on without touching it.
TEST(Validar, VentanaCerradaSinCancelar) {
    EntornoPlano entorno;
    entorno.dialogos.onYield = [&entorno](int n) {
        if (n == 3)
            entorno.ventana.Cerrar();
    };
    ASSERT_TRUE(entorno.Validar(Declaracion(6), "GOLD")) << entorno.validador.Error();
    EXPECT_EQ(entorno.ventana.Captions(), 2);
    EXPECT_EQ(entorno.ventana.Caption(), "Procesando Registro :  2");
    EXPECT_EQ(entorno.validador.Lineas(), static_cast<double>(entorno.Bloques().size() / 502));
    NadaAbierto(entorno);
}

TEST(Validar, SinVentanaFallaEnLaPrimeraLinea) {
    EntornoPlano entorno;
    CValidarArchivo validador;
    std::string ruta = entorno.Archivo(Declaracion(1));
    EXPECT_FALSE(validador.Validar(ruta, "GOLD", "00001", "P"));
    EXPECT_EQ(validador.Error(), ErrorNumero(rt::err::ObjectNotSet));
    NadaAbierto(entorno);
}

TEST(ValidarVista, ConvierteYValidaElArchivoPlano) {
    EntornoPlano entorno;
    std::string ruta = entorno.Archivo("a|b|\r\na|c|\r\n");
    ASSERT_TRUE(entorno.validador.Validar(ruta, "VIST", "00001", "v")) << entorno.validador.Error();
    EXPECT_EQ(ruta, entorno.carpeta.file("tmp/FVIST_00001_TEMP.txt"));
    EXPECT_NE(entorno.Xml("VIST").find("<P ><P1><![CDATA[a]]></P1><H ><H1><![CDATA[b]]></H1></H>"
                                       "<H ><H1><![CDATA[c]]></H1></H></P></root>"),
              std::string::npos)
        << entorno.Xml("VIST");
    // The record file bears the chosen file's name, not the work file's.
    EXPECT_EQ(entorno.validador.Lineas(), static_cast<double>(entorno.Bloques().size() / 502));
    EXPECT_GT(entorno.validador.Lineas(), 0);
    NadaAbierto(entorno);
}

TEST(ValidarVista, ErrorDeLaVistaSinOtroPrefijo) {
    EntornoPlano entorno;
    const std::string ruta = entorno.Archivo("a|b|\r\na||\r\n");
    CProcesarArchivoTipoVista vista;
    vista.formulario(&entorno.ventana);
    vista.nombreArchivo(ruta);
    vista.formularioNombre("VIST");
    vista.version("00001");
    vista.PasoAMatriz();
    ASSERT_EQ(vista.Validar(), false);
    ASSERT_FALSE(vista.Error().empty());

    EXPECT_FALSE(entorno.ValidarRuta(ruta, "VIST", "V"));
    EXPECT_EQ(entorno.validador.Error(), vista.Error());
    EXPECT_EQ(entorno.validador.Lineas(), 0);
    EXPECT_EQ(entorno.Xml("VIST"), "");
}

} // namespace
