#include "validation/ReglasCampo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Campo {
    std::string tipo, longitud, decimales, obligatorio, minimo, maximo, expresion;
};

struct Caso {
    const char* nombre;
    Campo campo;
    std::string valor;
    std::string mensaje;
};

TablaTexto Matriz(const Campo& c) {
    TablaTexto m(11);
    m.AgregarFila();
    const std::string columnas[] = {"01",       "CAMPO",     "Dato",        c.tipo,
                                    c.longitud, c.decimales, c.obligatorio, c.minimo,
                                    c.maximo,   "N",         c.expresion};
    for (int col = 0; col < 11; ++col)
        m(col, 1) = columnas[col];
    return m;
}

const Campo kRango{"N", "5", "0", "S", "10", "20", ""};
const Campo kDesdeDiez{"N", "5", "0", "S", "10", "Unbounded", ""};
const Campo kDocumento{"X", "11", "0", "N", "", "", ""};

const Caso kCasos[] = {
    {"RangoInferiorIncluido", kRango, "10", ""},
    {"RangoSuperiorIncluido", kRango, "20", ""},
    {"RangoBajo", kRango, "9", "Dato el valor debe estar comprendido entre : 10 y 20"},
    {"RangoAlto", kRango, "21", "Dato el valor debe estar comprendido entre : 10 y 20"},
    {"SinTopeAlto", kDesdeDiez, "1000", ""},
    {"SinTopeBajo", kDesdeDiez, "9", "Dato el valor debe ser mayor o igual a 10"},
    {"OpcionalFueraDeRango", {"N", "5", "0", "N", "10", "20", ""}, "99", ""},
    {"ObligatorioEnMinusculaNoObliga", {"N", "5", "0", "s", "10", "20", ""}, "99", ""},
    {"NumeroEnBlancoFallaObligatorio",
     {"N", "5", "0", "S", "0", "9", "^ *$"},
     "   ",
     "Dato campo obligatorio"},
    {"FechaSinReglaDeFormato", {"D", "8", "0", "S", "", "", ""}, "cualquier", ""},
    {"TextoLargo", {"C", "3", "0", "N", "", "", ""}, "abcd", "Formato Dato inválido"},
    {"TipoConBlancosSinReglas", {"C ", "1", "0", "S", "", "", ""}, "", ""},
    {"OnceDigitos", kDocumento, "20123456789", ""},
    {"DiezDigitos", kDocumento, "2012345678", "Dato mal formado"},
    {"OnceConPunto", kDocumento, "2012345678.", "Dato mal formado"},
    {"Dni", kDocumento, "DNI12345678", ""},
    {"Pasaporte", kDocumento, "PAS123", ""},
    {"LibretaCivica", kDocumento, "LC1234567", ""},
    {"LibretaDeEnrolamiento", kDocumento, "LE12", ""},
    {"DniEnMinuscula", kDocumento, "dni12345678", "Dato mal formado"},
    {"DniSolo", kDocumento, "DNI", "Dato mal formado"},
    {"Letras", kDocumento, "AB", "Dato mal formado"},
    {"Vacio", kDocumento, "", "Dato mal formado"},
    {"MasLargoQueLongitud", kDocumento, "DNI123456789", "Dato mayor a 11 caracteres"},
};

class ReglasCampoVerificar : public ::testing::TestWithParam<Caso> {};

TEST_P(ReglasCampoVerificar, Mensaje) {
    const Caso& caso = GetParam();
    EXPECT_EQ(ReglasCampo::Verificar(CampoRegla(Matriz(caso.campo), 1), caso.valor), caso.mensaje);
}

INSTANTIATE_TEST_SUITE_P(Casos, ReglasCampoVerificar, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
