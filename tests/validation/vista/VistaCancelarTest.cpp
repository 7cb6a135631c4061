#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const std::string kArchivo = "A|B|x|\r\nA|B|y|\r\nC|B|y|\r\nC|B|z|\r\n";

// The cancel of the processing window: files 1 to 3 closed and the window
// gone, during the given yield.
void CancelarEnYield(EntornoVista& entorno, int yield) {
    entorno.dialogos.onYield = [&entorno, yield](int n) {
        if (n != yield)
            return;
        for (int archivo = 1; archivo <= 3; ++archivo)
            rt::Close(archivo);
        entorno.ventana.Cerrar();
    };
}

struct Pasada {
    const char* nombre;
    int yieldCancelado;
    std::function<void(CProcesarArchivoTipoVista&)> correr;
};

const Pasada kPasadas[] = {
    {"Validacion", 2, [](CProcesarArchivoTipoVista& v) { v.Validar(); }},
    {"Conversion", 6,
     [](CProcesarArchivoTipoVista& v) {
         ASSERT_EQ(v.Validar(), true);
         v.ConformarArchivo();
     }},
};

class VistaCancelar : public ::testing::TestWithParam<Pasada> {};

TEST_P(VistaCancelar, FallaSinArchivosAbiertosNiCaptions) {
    const Pasada& pasada = GetParam();
    EntornoVista entorno;
    auto vista = entorno.Vista(entorno.Archivo(kArchivo), "VIS2");
    vista->PasoAMatriz();
    CancelarEnYield(entorno, pasada.yieldCancelado);

    try {
        pasada.correr(*vista);
        FAIL() << "se esperaba el error del archivo cerrado";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::BadFileNumber);
    }

    // Nothing touches the window once it has been closed.
    EXPECT_EQ(entorno.ventana.Captions(), pasada.yieldCancelado - 1);
    EXPECT_EQ(entorno.ventana.Refrescos(), pasada.yieldCancelado - 1);
    EXPECT_EQ(entorno.dialogos.yields(), pasada.yieldCancelado);
    for (int archivo = 1; archivo <= 4; ++archivo)
        EXPECT_FALSE(rt::IsOpen(archivo)) << archivo;
}

INSTANTIATE_TEST_SUITE_P(Pasadas, VistaCancelar, ::testing::ValuesIn(kPasadas),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
