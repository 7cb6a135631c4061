#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/RuntimeError.h"
#include "shell/Globales.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// VIS3 has two record types of two and three fields: five in all.
struct Conteo {
    const char* linea;
    std::optional<bool> resultado;
    const char* error;
};

class VistaMatrizConteo : public ::testing::TestWithParam<Conteo> {};

TEST_P(VistaMatrizConteo, LaLineaLlevaUnSeparadorPorCampoDeLaVersion) {
    EntornoVista entorno;
    auto vista = entorno.Vista(entorno.Archivo(std::string(GetParam().linea) + "\r\n"), "VIS3");
    vista->PasoAMatriz();

    EXPECT_EQ(vista->Validar(), GetParam().resultado);
    EXPECT_EQ(vista->Error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Lineas, VistaMatrizConteo,
    ::testing::Values(Conteo{"a|b|c|d|e|", true, ""},
                      Conteo{"a|b|c|d|", false, "linea: 1 > Cantidad de Campos Incorrectos"},
                      Conteo{"a|b|c|d|e|f|", false, "linea: 1 > Cantidad de Campos Incorrectos"}));

struct Falla {
    const char* nombre;
    const char* formulario;
    const char* sql; // run before the load; may be empty
    int numero;
};

const Falla kFallas[] = {
    {"SinFormulario", "NADA", "", rt::err::NoCurrentRecord},
    {"SinEstructuras", "VIS4", "", rt::err::NoCurrentRecord},
    {"DescripcionNula", "VIS4",
     "INSERT INTO Estructuras VALUES ('VIS4','00001','01',1,'A','A','C','1','0','N',NULL,NULL,"
     "'N',NULL); INSERT INTO Estructuras VALUES ('VIS4','00001','01',2,'B',NULL,'C','1','0','N',"
     "NULL,NULL,'N',NULL);",
     rt::err::InvalidUseOfNull},
    {"CotaNulaDeNumero", "VIS4",
     "INSERT INTO Estructuras VALUES ('VIS4','00001','01',1,'A','A','n','1','0','N','1',NULL,"
     "'N',NULL);",
     rt::err::InvalidUseOfNull},
};

class VistaMatrizFalla : public ::testing::TestWithParam<Falla> {};

TEST_P(VistaMatrizFalla, ErrorDeEjecucion) {
    const Falla& falla = GetParam();
    EntornoVista entorno;
    std::string sql = falla.sql;
    for (std::size_t fin; (fin = sql.find(';')) != std::string::npos; sql.erase(0, fin + 1))
        BaseDatos->execute(sql.substr(0, fin + 1));
    auto vista = entorno.Vista(entorno.Archivo("x|\r\n"), falla.formulario);
    try {
        vista->PasoAMatriz();
        FAIL() << "se esperaba un error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), falla.numero);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, VistaMatrizFalla, ::testing::ValuesIn(kFallas),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(VistaMatriz, CotasNulasDeUnTextoNoFallan) {
    EntornoVista entorno;
    BaseDatos->execute("INSERT INTO Estructuras VALUES ('VIS4','00001','01',1,'A','A','C','3',"
                       "'0','N',NULL,NULL,'N',NULL);");
    auto vista = entorno.Vista(entorno.Archivo("abc|\r\n"), "VIS4");
    vista->PasoAMatriz();

    EXPECT_EQ(vista->Validar(), true);
}

} // namespace
