#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Fixture(const std::string& nombre) {
    return testenv::readFile(testenv::dataDir() + "/vista/conversion/" + nombre);
}

// VIS2: type 01 with two fields, type 02 with one.
class VistaConformarGolden : public ::testing::TestWithParam<const char*> {};

TEST_P(VistaConformarGolden, ArchivoPlanoEsperado) {
    const std::string caso = GetParam();
    EntornoVista entorno;
    auto vista = entorno.Vista(entorno.Archivo(Fixture(caso + ".txt")), "VIS2");
    vista->PasoAMatriz();

    vista->ConformarArchivo();

    EXPECT_EQ(testenv::readFile(entorno.Temporal("VIS2")), Fixture(caso + ".esperado"));
    EXPECT_FALSE(rt::IsOpen(1));
    EXPECT_FALSE(rt::IsOpen(4));
}

INSTANTIATE_TEST_SUITE_P(Casos, VistaConformarGolden,
                         ::testing::Values("padre_hijos", "linea_repetida", "vuelve_valor",
                                           "primer_valor_vacio", "valores_vacios", "cola_sin_fin",
                                           "ansi_y_control"));

TEST(VistaConformar, ReemplazaElArchivoDeUnaCorridaAnterior) {
    EntornoVista entorno;
    testenv::writeFile(entorno.Temporal("VIS2"), "01|viejo|viejo|\r\n02|viejo|\r\n");
    auto vista = entorno.Vista(entorno.Archivo(Fixture("padre_hijos.txt")), "VIS2");
    vista->PasoAMatriz();

    vista->ConformarArchivo();

    EXPECT_EQ(testenv::readFile(entorno.Temporal("VIS2")), Fixture("padre_hijos.esperado"));
}

TEST(VistaConformar, CortaCadaLineaPorLaCantidadDeCamposDeCadaTipo) {
    EntornoVista entorno;
    auto vista = entorno.Vista(entorno.Archivo("a|b|c|d|e|\r\na|b|c|d|f|\r\n"), "VIS3");
    vista->PasoAMatriz();

    ASSERT_EQ(vista->Validar(), true);
    vista->ConformarArchivo();

    EXPECT_EQ(testenv::readFile(entorno.Temporal("VIS3")), "01|a|b|\r\n02|c|d|e|\r\n02|c|d|f|\r\n");
}

// The text after the last "|" is never copied, however long.
TEST(VistaConformar, ColaLargaFueraDelRegistro) {
    EntornoVista entorno;
    const std::string cola(100000, 'z');
    auto vista =
        entorno.Vista(entorno.Archivo("A|B|x|" + cola + "\r\nA|B|y|" + cola + "|"), "VIS2");
    vista->PasoAMatriz();

    vista->ConformarArchivo();

    EXPECT_EQ(testenv::readFile(entorno.Temporal("VIS2")), "01|A|B|\r\n02|x|\r\n02|y|\r\n");
}

TEST(VistaConformar, CuentaLasLineasOtraVezDesdeUno) {
    EntornoVista entorno;
    auto vista = entorno.Vista(entorno.Archivo(Fixture("padre_hijos.txt")), "VIS2");
    vista->PasoAMatriz();

    ASSERT_EQ(vista->Validar(), true);
    vista->ConformarArchivo();

    EXPECT_EQ(entorno.ventana.Captions(), 6);
    EXPECT_EQ(entorno.ventana.Caption(), "Procesando Registro :  3");
    EXPECT_EQ(entorno.dialogos.yields(), 6);
}

TEST(VistaConformar, UnErrorEnMedioDejaCerradoElArchivoDeTrabajo) {
    EntornoVista entorno;
    // A value that carries the read position past 32767 characters.
    const std::string largo(33000, 'v');
    auto vista = entorno.Vista(entorno.Archivo("A|B|x|\r\n" + largo + "|B|x|\r\n"), "VIS2");
    vista->PasoAMatriz();

    try {
        vista->ConformarArchivo();
        FAIL() << "se esperaba el desborde";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::Overflow);
    }
    EXPECT_FALSE(rt::IsOpen(4));
    EXPECT_FALSE(rt::IsOpen(1));
    // What was converted before the failure reached the file.
    EXPECT_EQ(testenv::readFile(entorno.Temporal("VIS2")), "01|A|B|\r\n02|x|\r\n");
}

} // namespace
