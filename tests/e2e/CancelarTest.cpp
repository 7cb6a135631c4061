// The exit button pressed at each yield of a run in turn, until the run
// gets through: every press during the run shows exactly one box, "Proceso
// Cancelado.", and leaves no work file and no output; and a new run in a
// new window after a cancel goes through.
#include "tests/e2e/Conduccion.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

struct Corrida {
    const char* nombre;
    std::string menu;
    std::string formulario;
    std::string muestra;
    // The exit button's caption during the run.
    std::string salida;
    // Yields the run has at least: one per data line for the validator.
    int yieldsMinimos;
};

const Corrida kCorridas[] = {
    {"Flat", "Procesar Documento Plano", "0801/00100", "F0801_00100.txt", "Cancelar", 9},
    // Vista validation, vista conversion and the flat validation: three lines each.
    {"Vista", "Procesar Documento Plano", "0803/00100", "F0803_00100.txt", "Cancelar", 9},
    // Only the join yields on the XML road.
    {"Xml", "Procesar Documento XML", "0802/00100", "F0802_00100.xml", "Salir", 1},
};

// Test names and failure messages show the case's name.
void PrintTo(const Corrida& c, std::ostream* os) {
    *os << c.nombre;
}

const std::string kCancelado = "box none: Proceso Cancelado.";
const std::string kGenerado = "box none: Se genero el Archivo :<drive>/DatosNuro/Procesados/";

std::string corrida(const Corrida& c, int yield) {
    std::string g;
    g += "menu " + c.menu + "\n";
    g += "form " + c.formulario + "\n";
    g += "choose " + c.muestra + "\n";
    if (yield > 0)
        g += "cancel-at-yield " + std::to_string(yield) + "\n";
    g += "press Procesar\n";
    return g;
}

std::string preparacion(const Corrida& c) {
    return "sql update cuit set Cuit='20123456786';\ndata " + c.muestra + "\n";
}

bool generado(const std::string& caja) {
    return caja.rfind(kGenerado, 0) == 0;
}

class CancelarTest : public ::testing::TestWithParam<Corrida> {};

TEST_P(CancelarTest, AtEveryYieldOneBoxAndNoFileLeft) {
    const Corrida& c = GetParam();
    int yield = 1;
    for (; yield < 500; ++yield) {
        SCOPED_TRACE("cancel at yield " + std::to_string(yield));
        const e2e::Conduccion r = e2e::conducir(preparacion(c) + corrida(c, yield));
        ASSERT_EQ(r.codigo, 0) << r.salida;
        const std::vector<std::string> cajas = r.cajas();
        if (cajas.size() == 1 && generado(cajas[0]))
            break; // the run had fewer yields: it got through
        EXPECT_EQ(cajas, std::vector<std::string>{kCancelado}) << r.salida;
        EXPECT_TRUE(r.tieneLinea("  (yield " + std::to_string(yield) + ": CmdSalir \"" + c.salida +
                                 "\" pressed)"))
            << r.salida;
        EXPECT_TRUE(r.tieneLinea("tmp: -")) << r.salida;
        EXPECT_TRUE(r.tieneLinea("Procesados: -")) << r.salida;
    }
    EXPECT_GT(yield, c.yieldsMinimos);
}

// Files the cancelled run had open are free again for the next one.
TEST_P(CancelarTest, TheNextRunAfterACancelGoesThrough) {
    const Corrida& c = GetParam();
    const e2e::Conduccion r =
        e2e::conducir(preparacion(c) + corrida(c, c.yieldsMinimos) + corrida(c, 0));
    ASSERT_EQ(r.codigo, 0) << r.salida;
    const std::vector<std::string> cajas = r.cajas();
    ASSERT_EQ(cajas.size(), 2u) << r.salida;
    EXPECT_EQ(cajas[0], kCancelado);
    EXPECT_TRUE(generado(cajas[1])) << cajas[1];
    EXPECT_TRUE(r.tieneLinea("tmp: -")) << r.salida;
}

INSTANTIATE_TEST_SUITE_P(Corridas, CancelarTest, ::testing::ValuesIn(kCorridas),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
