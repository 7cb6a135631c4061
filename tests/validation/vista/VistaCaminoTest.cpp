#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "validation/CValidarArchivo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Fixture(const std::string& nombre) {
    return testenv::readFile(testenv::dataDir() + "/vista/camino/" + nombre);
}

struct Salida {
    bool resultado;
    std::string error;
    double lineas;
    std::string xml;
    std::string bloques;
};

// One run of the flat validator over a copy of the file, as the processing
// window makes it; the work files are read and removed afterwards.
Salida Correr(EntornoVista& entorno, const std::string& contenido, const std::string& tipo,
              std::string* ruta = nullptr) {
    entorno.ventana.titulo = "datos.txt";
    std::string archivo = entorno.Archivo(contenido, "entrada.txt");
    CValidarArchivo validador;
    validador.formulario(&entorno.ventana);
    Salida salida;
    salida.resultado = validador.Validar(archivo, "VIS5", "00001", tipo);
    salida.error = validador.Error();
    salida.lineas = validador.Lineas();
    const std::string xml = entorno.carpeta.file("FVIS5_00001.xml");
    const std::string bloques = entorno.carpeta.file("datos.txt");
    if (rt::fileExists(xml))
        salida.xml = testenv::readFile(xml);
    if (rt::fileExists(bloques))
        salida.bloques = testenv::readFile(bloques);
    rt::deleteFileQuiet(xml);
    rt::deleteFileQuiet(bloques);
    if (ruta)
        *ruta = archivo;
    return salida;
}

TEST(VistaCamino, DaLosMismosArchivosQueElPlanoEquivalente) {
    EntornoVista entorno;
    std::string ruta;
    const Salida vista = Correr(entorno, Fixture("declaracion.vista.txt"), "v", &ruta);
    ASSERT_TRUE(vista.resultado) << vista.error;
    EXPECT_EQ(ruta, entorno.Temporal("VIS5"));
    EXPECT_EQ(testenv::readFile(ruta), Fixture("declaracion.plano.txt"));
    rt::deleteFileQuiet(ruta);

    const Salida plano = Correr(entorno, Fixture("declaracion.plano.txt"), "P");
    ASSERT_TRUE(plano.resultado) << plano.error;

    EXPECT_FALSE(vista.xml.empty());
    EXPECT_NE(vista.xml.find("<Item ><Item><![CDATA[Pan \xc3\x91]]></Item>"), std::string::npos);
    EXPECT_EQ(vista.xml, plano.xml);
    EXPECT_EQ(vista.bloques, plano.bloques);
    EXPECT_EQ(vista.lineas, plano.lineas);
    for (int archivo = 1; archivo <= 4; ++archivo)
        EXPECT_FALSE(rt::IsOpen(archivo)) << archivo;
}

struct Falla {
    const char* nombre;
    std::string contenido;
    std::string error;
};

const Falla kFallas[] = {
    // The vista pass leaves the CUIT to the flat pass over the converted records.
    {"CuitDistintoEnLaPasadaPlana", "20999999999|202401|Pan|1.00|\r\n",
     "linea: 1 > El Cuit es distinto al cargado en el Sistema"},
    {"ErrorDeLaVistaSinOtroPrefijo", "20123456786|202401|Pan|1.00|\r\n20123456786|1|\r\n",
     "linea: 2 > Cantidad de Campos Incorrectos"},
    {"VistaVacia", "", "linea: 0 > "},
};

class VistaCaminoFalla : public ::testing::TestWithParam<Falla> {};

TEST_P(VistaCaminoFalla, ErrorDelValidador) {
    EntornoVista entorno;
    const Salida salida = Correr(entorno, GetParam().contenido, "V");
    EXPECT_FALSE(salida.resultado);
    EXPECT_EQ(salida.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Casos, VistaCaminoFalla, ::testing::ValuesIn(kFallas),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
