#pragma once
// What the window tests share: a throwaway drive, the scripted dialogs, an
// end of the application that the test survives, and ways to act on a modal
// window while its event loop runs.
#include "platform/ui/ScriptedDialogs.h"
#include "shell/Globales.h"
#include "shell/ManejadorErrores.h"
#include "tests/support/TestDrive.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace apoyo {

// Lets queued calls and the events they post run.
inline void procesar() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// Runs f on the modal window of type W once it is on screen and its own
// queued opening has run; a window that never shows up fails the test
// instead of hanging it.
template <class W> void alAparecer(std::function<void(W*)> f) {
    auto* reloj = new QTimer;
    auto intentos = std::make_shared<int>(0);
    QObject::connect(reloj, &QTimer::timeout, [reloj, f, intentos] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (w && w->isVisible()) {
            reloj->stop();
            reloj->deleteLater();
            procesar();
            f(w);
        } else if (++*intentos > 1000) {
            reloj->stop();
            reloj->deleteLater();
            ADD_FAILURE() << "the window never appeared";
        }
    });
    reloj->start(5);
}

// Shows w and runs the application's event loop; true when the application
// ended on its own, false when the watchdog had to stop it.
inline bool correHastaTerminar(QWidget& w) {
    QTimer vigia;
    bool vencido = false;
    vigia.setSingleShot(true);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        vencido = true;
        QCoreApplication::quit();
    });
    vigia.start(10000);
    w.show();
    QApplication::exec();
    return !vencido;
}

class VentanaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::setDialogs(&dialogos);
        ManejadorErrores::setFinalizar([this] { ++finales; });
    }
    void TearDown() override {
        BaseDatos.reset();
        ManejadorErrores::setFinalizar(nullptr);
        ui::setDialogs(nullptr);
    }
    std::vector<std::string> textos() const {
        std::vector<std::string> t;
        for (const auto& b : dialogos.boxes())
            t.push_back(b.text);
        return t;
    }
    // The stored CUIT as text, "<Null>" for Null.
    static std::string cuitGuardado(const testenv::TestDrive& drive) {
        return drive.open()->openRecordSet("select * from cuit")->field("Cuit").textOr("<Null>");
    }

    ui::ScriptedDialogs dialogos;
    int finales = 0;
};

} // namespace apoyo
