// The driver itself: a script it cannot follow stops it with a reason and
// exit code 2 instead of hanging or going on, and its watchdog fires only
// when it is not stopped in time.
#include "tests/e2e/Conduccion.h"
#include "tests/e2e/driver/Vigia.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ostream>
#include <sstream>
#include <thread>

namespace {

struct GuionRoto {
    const char* nombre;
    std::string guion;
    int codigo;
    std::string ultima; // the line before the folder listing; empty: no output at all
};

void PrintTo(const GuionRoto& g, std::ostream* os) {
    *os << g.nombre;
}

const std::string kCuit = "sql update cuit set Cuit='20123456786';\n";

const GuionRoto kGuiones[] = {
    {"UnknownCommand", "menu Cargar Cuit\npulsar Grabar\n", 2, ""},
    {"NoWindow", "form 0801/00100\n", 2, "FAILED: line 1: no window is open"},
    {"NoMenuCommand", "menu Imprimir\n", 2, "FAILED: line 1: no menu command Imprimir"},
    {"MenuWhileAWindowIsOpen", kCuit + "menu Procesar Documento Plano\nmenu Cargar Cuit\n", 2,
     "FAILED: line 3: a window is open: FrmProcesarPlanos"},
    // Without a CUIT the window closes as it opens.
    {"WindowClosedAtOpening", "menu Procesar Documento Plano\nform 0801/00100\n", 2,
     "FAILED: line 2: no window is open"},
    {"NoSuchEntry", kCuit + "menu Procesar Documento Plano\nform 0999/00100\n", 2,
     "FAILED: line 3: no form-list entry 0999/00100 among 5"},
    {"ApplicationClosedEarly", "menu Salida\nmenu Cargar Cuit\n", 2,
     "end: the application closed; 1 steps not run"},
    {"WindowLeftOpen", kCuit + "menu Procesar Documento Plano\n", 0, "end"},
};

// The line just before "Procesados: ...".
std::string ultimaLinea(const std::string& salida) {
    std::istringstream in(salida);
    std::string anterior;
    for (std::string l; std::getline(in, l); anterior = l)
        if (l.rfind("Procesados: ", 0) == 0)
            return anterior;
    return {};
}

class ConductorTest : public ::testing::TestWithParam<GuionRoto> {};

TEST_P(ConductorTest, StopsWithItsReason) {
    const GuionRoto& g = GetParam();
    const e2e::Conduccion r = e2e::conducir(g.guion);
    EXPECT_EQ(r.codigo, g.codigo) << r.salida;
    EXPECT_EQ(ultimaLinea(r.salida), g.ultima) << r.salida;
    if (g.ultima.empty()) {
        EXPECT_EQ(r.salida, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Guiones, ConductorTest, ::testing::ValuesIn(kGuiones),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(VigiaTest, FiresOnlyWhenNotStoppedInTime) {
    using namespace std::chrono_literals;
    std::atomic<int> vencido{0};
    {
        Vigia vigia(20ms, [&] { ++vencido; });
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_EQ(vencido, 1);
    {
        Vigia vigia(10s, [&] { ++vencido; });
        vigia.detener();
    }
    EXPECT_EQ(vencido, 1);
}

} // namespace
