// The start-up window's menu opens the two processing windows modally.
#include "processing/FrmProcesarPlanos.h"
#include "processing/FrmProcesarXML.h"
#include "shell/frmNuro.h"
#include "tests/processing/windows/EntornoVentanas.h"

#include <QAction>
#include <QCoreApplication>

namespace {

class MenuTest : public ventanas::VentanaProcesoTest {};

// Without a CUIT each window shows its message and closes, so the modal
// showing returns to the menu.
TEST_F(MenuTest, MenuCommandsShowTheirProcessingWindows) {
    drive->execute("update cuit set Cuit=NULL;");
    frmNuro principal;
    principal.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(principal.activaciones(), 1);
    for (const char* menu : {"ProcesarDocumento", "ProcesarDocumentoXML"}) {
        SCOPED_TRACE(menu);
        dialogos.clear();
        principal.findChild<QAction*>(menu)->trigger();
        EXPECT_EQ(textos(),
                  std::vector<std::string>{"Debe Cargar el Cuit para poder procesar Documentos."});
    }
    EXPECT_NE(dynamic_cast<FrmProcesarPlanos*>(principal.ventana("ProcesarDocumento")), nullptr);
    EXPECT_NE(dynamic_cast<FrmProcesarXML*>(principal.ventana("ProcesarDocumentoXML")), nullptr);
    EXPECT_EQ(principal.activaciones(), 3);
    EXPECT_EQ(finalizaciones, 0);
}

} // namespace
