#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Fields of VIS1: Nombre (C 5, mandatory), Código (C 10, ^[A-Z ]*$),
// Importe (N 5, mandatory, 1 to 500) | Documento (X 11), Fecha (D 8,
// mandatory), Nota (type "c", no rules).
const std::string kValida = "Ana|AB CD|100|20123456789|20240101|xyz|";
const std::string kFin = "\r\n";

struct Caso {
    const char* nombre;
    std::string contenido;
    std::optional<bool> resultado;
    std::string error;
};

std::string Linea(const std::string& texto) {
    return texto + kFin;
}

std::string ConCampo(int indice, const std::string& valor) {
    std::string campos[] = {"Ana", "AB CD", "100", "20123456789", "20240101", "xyz"};
    campos[indice] = valor;
    std::string linea;
    for (const auto& c : campos)
        linea += c + "|";
    return linea;
}

const Caso kCasos[] = {
    {"TresLineasValidas", Linea(kValida) + Linea(kValida) + Linea(kValida), true, ""},
    {"ArchivoVacio", "", std::nullopt, "linea: 0 > "},
    {"TerceraEnBlanco", Linea(kValida) + Linea(kValida) + Linea("   ") + Linea("x|"), false,
     "linea: 3 > No puede existir registros en blanco"},
    {"LineaVaciaAlFinal", Linea(kValida) + kFin, false,
     "linea: 2 > No puede existir registros en blanco"},
    {"UltimaSinFinDeLinea", Linea(kValida) + kValida, true, ""},
    {"SeparadorDeMas", Linea(kValida + "|"), false, "linea: 1 > Cantidad de Campos Incorrectos"},
    {"SeparadorDeMenos", Linea(kValida.substr(0, kValida.size() - 1)), false,
     "linea: 1 > Cantidad de Campos Incorrectos"},
    {"SeparadoresAntesQueValores", Linea("Ana Maria Luisa|AB|100|1|2|3||"), false,
     "linea: 1 > Cantidad de Campos Incorrectos"},
    // A file saved as UTF-8 with a byte-order mark.
    {"MarcaDeOrden",
     "\xEF\xBB\xBF" + Linea(ConCampo(0, "\xc3\x91"
                                        "and\xc3\xba")),
     true, ""},
    {"SoloLaMarca", "\xEF\xBB\xBF", std::nullopt, "linea: 0 > "},
    {"TextoTrasElUltimo", Linea(kValida + "cola sin separador"), true, ""},
    // Only the characters up to the last "|" are read, however long the tail.
    {"ColaLargaSinSeparador", Linea(kValida + std::string(100000, 'x')) + Linea(kValida), true, ""},
    {"LineaLargaEnBlanco", Linea(kValida) + Linea(std::string(70000, ' ')), false,
     "linea: 2 > No puede existir registros en blanco"},
    {"TabuladorSeLeeComoBlanco", Linea(ConCampo(1, "AB\tCD")), true, ""},
    {"ExpresionRegular", Linea(ConCampo(1, "AB-CD")), false, "linea: 1 > Formato Código inválido"},
    {"SoloElPrimerError", Linea("Ana Maria|AB!|x|1|2|3|"), false,
     "linea: 1 > Formato Nombre inválido"},
    {"ErrorEnSegundaLinea", Linea(kValida) + Linea(ConCampo(2, "501")) + Linea("x|"), false,
     "linea: 2 > Importe el valor debe estar comprendido entre : 1 y 500"},
    {"NumeroConDecimales", Linea(ConCampo(2, "12.5")), false,
     "linea: 1 > Formato Importe inválido"},
    {"FechaObligatoriaEnBlanco", Linea(ConCampo(4, "   ")), false,
     "linea: 1 > Fecha campo obligatorio"},
    {"DocumentoCorto", Linea(ConCampo(3, "2012345678")), false, "linea: 1 > Documento mal formado"},
    {"TipoEnMinusculaSinReglas", Linea(ConCampo(5, "")), true, ""},
    // Ñandú in Windows-1252 is five characters, and so is its UTF-8 form.
    {"AnsiCuentaCaracteres",
     Linea(ConCampo(0, "\xd1"
                       "and\xfa")),
     true, ""},
    {"Utf8CuentaCaracteres",
     Linea(ConCampo(0, "\xc3\x91"
                       "and\xc3\xba")),
     true, ""},
    {"Utf8DeSeisCaracteres",
     Linea(ConCampo(0, "\xc3\x91"
                       "and\xc3\xba"
                       "s")),
     false, "linea: 1 > Formato Nombre inválido"},
};

class VistaValidar : public ::testing::TestWithParam<Caso> {};

TEST_P(VistaValidar, ResultadoYError) {
    const Caso& caso = GetParam();
    EntornoVista entorno;
    auto vista = entorno.Vista(entorno.Archivo(caso.contenido), "VIS1");
    vista->PasoAMatriz();

    const std::optional<bool> resultado = vista->Validar();

    EXPECT_EQ(resultado, caso.resultado);
    EXPECT_EQ(vista->Error(), caso.error);
    EXPECT_FALSE(rt::IsOpen(1));
}

INSTANTIATE_TEST_SUITE_P(Casos, VistaValidar, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(VistaValidarProgreso, UnCaptionPorLineaLeidaYNingunaMas) {
    EntornoVista entorno;
    auto vista = entorno.Vista(
        entorno.Archivo(Linea(kValida) + Linea(kValida) + Linea("") + Linea(kValida)), "VIS1");
    vista->PasoAMatriz();

    EXPECT_EQ(vista->Validar(), false);

    EXPECT_EQ(entorno.ventana.Caption(), "Procesando Registro :  3");
    EXPECT_EQ(entorno.ventana.Captions(), 3);
    EXPECT_EQ(entorno.ventana.Refrescos(), 3);
    EXPECT_EQ(entorno.dialogos.yields(), 3);
}

struct ErrorDeEjecucion {
    const char* nombre;
    bool existe;
    std::string contenido;
    int numero;
};

const ErrorDeEjecucion kErrores[] = {
    {"ArchivoInexistente", false, "", rt::err::FileNotFound},
    // A separator at position 32767 or later is beyond the 16-bit positions.
    {"LineaDemasiadoLarga", true, Linea(ConCampo(5, std::string(33000, 'n'))), rt::err::Overflow},
    {"SeparadorEnLaColaLarga", true, Linea(kValida + std::string(100000, 'x') + "|"),
     rt::err::Overflow},
};

class VistaValidarErrores : public ::testing::TestWithParam<ErrorDeEjecucion> {};

TEST_P(VistaValidarErrores, AlLlamadorYArchivoCerrado) {
    const ErrorDeEjecucion& caso = GetParam();
    EntornoVista entorno;
    const std::string ruta =
        caso.existe ? entorno.Archivo(caso.contenido) : entorno.drive.tmpFile("no-existe.txt");
    auto vista = entorno.Vista(ruta, "VIS1");
    vista->PasoAMatriz();
    try {
        vista->Validar();
        FAIL() << "se esperaba un error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), caso.numero);
    }
    EXPECT_FALSE(rt::IsOpen(1));
}

INSTANTIATE_TEST_SUITE_P(Casos, VistaValidarErrores, ::testing::ValuesIn(kErrores),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(VistaValidarArchivoUno, UnoAbiertoDeAntesSeCierraPrimero) {
    EntornoVista entorno;
    const std::string ruta = entorno.Archivo(Linea(kValida));
    rt::Open(entorno.Archivo("otro\r\n", "otro.txt"), rt::OpenMode::Input, 1);
    auto vista = entorno.Vista(ruta, "VIS1");
    vista->PasoAMatriz();

    EXPECT_EQ(vista->Validar(), true);
}

} // namespace
