#include "shell/ManejadorErrores.h"
#include "tests/shell/windows/ApoyoVentanas.h"

namespace {

using Manejador = apoyo::VentanaTest;

TEST_F(Manejador, UncaughtErrorShowsNumberAndDescriptionThenEnds) {
    for (int numero :
         {rt::err::Overflow, rt::err::FileNotFound, rt::err::DatabaseLockedOrReadOnly}) {
        dialogos.clear();
        finales = 0;
        ManejadorErrores::ejecutar([numero] { rt::raise(numero); });
        ASSERT_EQ(dialogos.boxes().size(), 1u);
        const auto& caja = dialogos.boxes()[0];
        EXPECT_EQ(caja.icon, ui::Icon::Critical);
        EXPECT_NE(caja.text.find("'" + std::to_string(numero) + "'"), std::string::npos);
        EXPECT_NE(caja.text.find(rt::errorDescription(numero)), std::string::npos);
        EXPECT_EQ(finales, 1);
    }
}

TEST_F(Manejador, OwnDescriptionIsShownAsRaised) {
    ManejadorErrores::ejecutar([] { rt::raise(3049, "No se reconoce el formato."); });
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(dialogos.boxes()[0].text,
              "Se ha producido el error '3049' en tiempo de ejecución:\n\nNo se reconoce el "
              "formato.");
}

TEST_F(Manejador, HandlerThatEndsWellShowsNothing) {
    bool corrio = false;
    ManejadorErrores::ejecutar([&] { corrio = true; });
    EXPECT_TRUE(corrio);
    EXPECT_TRUE(dialogos.boxes().empty());
    EXPECT_EQ(finales, 0);
}

} // namespace
