#include "platform/closedlibs/Magic32Library.h"
#include "shell/CFuncGral.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the library last received, and what it answers.
std::vector<std::string> recibidos;
short respuesta = 0;

short fakeEntry(const char* a, const char* b, const char* c, const char* d) {
    recibidos = {a, b, c, d};
    return respuesta;
}

class GenerarNroMagico : public ::testing::Test {
protected:
    void SetUp() override { closedlibs::Magic32Library::instance().setEntry(&fakeEntry); }
    void TearDown() override { closedlibs::Magic32Library::instance().setEntry(nullptr); }

    std::string generar(short r, const rt::DateTime& fecha = {2024, 6, 14, 15, 30, 45}) {
        respuesta = r;
        return CFuncGral().GenerarNroMagico("20123456786", fecha);
    }
};

TEST_F(GenerarNroMagico, ReadsResultUnsignedInSixDigits) {
    const std::vector<std::pair<short, std::string>> casos = {{0, "000000"},      {1234, "001234"},
                                                              {-1, "065535"},     {32767, "032767"},
                                                              {-32768, "032768"}, {7, "000007"}};
    for (const auto& [r, esperado] : casos)
        EXPECT_EQ(generar(r), esperado) << "result " << r;
}

TEST_F(GenerarNroMagico, PassesTheFourTextsInOrder) {
    generar(0);
    const std::vector<std::string> esperados = {"000020123456786", "000000000000000",
                                                "000000000000000", "020240614153045"};
    EXPECT_EQ(recibidos, esperados);
    for (const std::string& texto : recibidos)
        EXPECT_EQ(texto.size(), 15u);
}

} // namespace
