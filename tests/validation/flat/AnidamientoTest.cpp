// Nesting of record elements: which type may hold which, occurrence bounds
// per top-level group, and the line that the error text names.
#include "tests/validation/flat/EntornoPlano.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// ANID: R (10) holds D (20) at least once. ANI2: R may also hold R.
// ANI3: D at most twice, no minimum; 30 stands in no nesting row.
// ANI4: the root row itself has a minimum of 1.
const std::string R = "10|r|";
const std::string D = "20|d|";
const std::string E = "30|e|";
const std::string F = "40|f|";

struct Caso {
    const char* nombre;
    const char* formulario;
    std::vector<std::string> lineas;
    std::string error;     // "" for a valid file
    std::string documento; // for a valid file: the text between the header and "</root>"
};

const std::string kEstructura = "Error de Estructura";
const std::string kR = "<R ><ID><![CDATA[r]]></ID>";
const std::string kD = "<D ><VAL><![CDATA[d]]></VAL></D>";
// NIV3: the elements of D, E and F without their end tags.
const std::string kD3 = "<D ><VAL><![CDATA[d]]></VAL>";
const std::string kE = "<E ><E><![CDATA[e]]></E>";
const std::string kF = "<FD ><F><![CDATA[f]]></F>";

const Caso kCasos[] = {
    {"RDD", "ANID", {R, D, D}, "", kR + kD + kD + "</R>"},
    {"RDRD", "ANID", {R, D, R, D}, "", kR + kD + "</R>" + kR + kD + "</R>"},
    {"RRSinHijo", "ANID", {R, R}, "linea:1 > " + kEstructura, ""},
    {"RDRSinHijoAlFinal", "ANID", {R, D, R}, "linea:3 > " + kEstructura, ""},
    {"GrupoQueEmpiezaEnLaQuinta", "ANID", {R, D, R, D, R, R}, "linea:5 > " + kEstructura, ""},
    {"ArchivoVacioConMinimo", "ANID", {}, "linea:1 > " + kEstructura, ""},
    {"ArchivoVacioSinMinimos", "ANI3", {}, "", ""},
    {"RaizDentroDeRaiz", "ANI2", {R, R}, "linea:1 > " + kEstructura, ""},
    {"RaizBajoHijoCerrado", "ANI2", {R, D, R}, "linea:1 > " + kEstructura, ""},
    {"MaximoAlcanzado", "ANI3", {R, D, D}, "", kR + kD + kD + "</R>"},
    {"MaximoSuperado", "ANI3", {R, D, D, D}, "linea:1 > " + kEstructura, ""},
    {"TipoSinFilaDeAnidamiento", "ANI3", {R, "30|x|"}, "", kR + "</R>< OTRO=\"x\"></>"},
    {"RaizConMinimoFallaSiempre", "ANI4", {R}, "linea:1 > " + kEstructura, ""},
    {"LineaEnBlanco", "ANID", {R, D, "   "}, "linea: 3 > No puede existir registros en blanco", ""},
    {"LineaVacia", "ANID", {R, ""}, "linea: 2 > No puede existir registros en blanco", ""},
    {"TabuladorNoEsBlanco", "ANI3", {R, "\t"}, "linea: 2 > El tipo de registro es invalido", ""},
    {"ErrorDeLineaTrasGrupos",
     "ANID",
     {R, D, R, "20|largos|"},
     "linea: 4 > Formato Valor inválido",
     ""},
    {"RaizEsLaPrimeraFilaGuardada",
     "ORDN",
     {"30|a|", "10|b|"},
     "",
     "<Tres ><T><![CDATA[a]]></T><Hijo ><D><![CDATA[b]]></D></Hijo></Tres>"},
    {"TresTipos",
     "TRES",
     {"01|a|b|1|", "02|c|d|", "03|e|f|g|h|"},
     "",
     "<Uno ><A1><![CDATA[a]]></A1><A2><![CDATA[b]]></A2><A3>1</A3><Dos ><B1><![CDATA[c]]></B1>"
     "<B2><![CDATA[d]]></B2><Tres ><C1><![CDATA[e]]></C1><C2><![CDATA[f]]></C2>"
     "<C3><![CDATA[g]]></C3><C4><![CDATA[h]]></C4></Tres></Dos></Uno>"},
    // Occurrences of E are summed over every D of the group: one D without E
    // passes beside another with one, three E over two D exceed the maximum.
    {"SumaSobreVariosPadres",
     "NIV3",
     {R, D, D, E},
     "",
     kR + kD3 + "</D>" + kD3 + kE + "</E></D></R>"},
    {"SumaExcedeElMaximo", "NIV3", {R, D, E, D, E, E}, "linea:1 > " + kEstructura, ""},
    {"SumaPorGrupo",
     "NIV3",
     {R, D, E, E, R, D, E, E},
     "",
     kR + kD3 + kE + "</E>" + kE + "</E></D></R>" + kR + kD3 + kE + "</E>" + kE + "</E></D></R>"},
    {"SinHijoEnNingunPadre", "NIV3", {R, D, D, R, D, E}, "linea:1 > " + kEstructura, ""},
    // A new group closes E, D and R at once; F closes E only, D holds it.
    {"VariosNivelesCerrados",
     "NIV3",
     {R, D, E, F, R, D, E},
     "",
     kR + kD3 + kE + "</E>" + kF + "</FD></D></R>" + kR + kD3 + kE + "</E></D></R>"},
    // F under R is counted in R's row but named after its first row, under D.
    {"HijoDeVariosPadres", "NIV3", {R, F, D, E}, "", kR + kF + "</FD>" + kD3 + kE + "</E></D></R>"},
    {"HijoDeVariosPadresCuentaPorPadre", "NIV3", {R, F, F, D, E}, "linea:1 > " + kEstructura, ""},
    {"TresTiposCuentaCampos",
     "TRES",
     {"01|a|b|1|", "02|c|d|e|"},
     "linea: 2 > Cantidad de Campos Incorrectos",
     ""},
};

std::string Unir(const std::vector<std::string>& lineas) {
    std::string texto;
    for (const auto& l : lineas)
        texto += l + "\r\n";
    return texto;
}

std::string Encabezado(const std::string& formulario) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><root "
           "xmlns=\"http://nuro.example/esquemas/F" +
           formulario + "_00001.xsd\">";
}

// The work file without its line ends, and with the document end's blanks.
std::string SinFinDeLineas(std::string texto) {
    std::erase(texto, '\r');
    std::erase(texto, '\n');
    return texto;
}

class Anidamiento : public ::testing::TestWithParam<Caso> {};

TEST_P(Anidamiento, ErrorODocumento) {
    const Caso& caso = GetParam();
    EntornoPlano entorno;
    const bool ok = entorno.Validar(Unir(caso.lineas), caso.formulario);
    EXPECT_EQ(entorno.validador.Error(), caso.error);
    if (!caso.error.empty() || caso.lineas.empty()) {
        EXPECT_FALSE(ok);
        return;
    }
    ASSERT_TRUE(ok);
    const std::string esperado =
        Encabezado(caso.formulario) + caso.documento + "</root>" + std::string(498, ' ');
    EXPECT_EQ(SinFinDeLineas(entorno.Xml(caso.formulario)), esperado);
    EXPECT_EQ(entorno.validador.Lineas(), static_cast<double>(entorno.Bloques().size() / 502));
}

INSTANTIATE_TEST_SUITE_P(Casos, Anidamiento, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
