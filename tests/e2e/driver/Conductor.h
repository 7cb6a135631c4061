#pragma once
// Runs a script's steps in the real application, one at a time, from the
// event loop. Each tick schedules the next one before it acts, so while a
// step blocks (a menu command showing its window modally, a button whose
// click runs a whole processing run) ticks keep coming from the nested loop.
// A step runs only when the code is not inside a yield and no other step is
// under way, except a menu step whose window is still open: the steps after
// it act inside that window's loop. Steps that act on a window wait until it
// has been on screen for a few ticks, so its own queued opening has run.
#include "tests/e2e/driver/Cierre.h"
#include "tests/e2e/driver/DialogosGuion.h"
#include "tests/e2e/driver/Informe.h"
#include "tests/e2e/driver/Paso.h"
#include "tests/e2e/driver/Unidad.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

class frmNuro;

class Conductor : public QObject {
public:
    struct Entorno {
        frmNuro& principal;
        DialogosGuion& dialogos;
        Unidad& unidad;
        Informe& informe;
        Cierre& cierre;
    };

    Conductor(Entorno entorno, std::vector<Paso> pasos);

    // The data, write and sql steps before the first menu step: they run
    // before the application starts.
    void prepararse();
    // Starts the ticks; call before the start-up window is shown.
    void empezar();
    // Set once the script has ended: the exit code.
    const std::optional<int>& codigo() const { return codigo_; }
    // Steps never started.
    int pendientes() const { return static_cast<int>(pasos_.size() - siguiente_); }
    // The line of the step last started (0 before the first).
    int lineaActual() const { return linea_.load(); }
    [[noreturn]] void fallar(const Paso& paso, const std::string& motivo);

private:
    struct EnCurso {
        const Paso* paso;
        std::string menu; // a menu step's command: its window hosts the next steps
    };

    void programar();
    void tic();
    bool libre();
    bool ventanaAsentada(const Paso& paso);
    void ejecutar(const Paso& paso);
    void terminar();

    void menu(const Paso& paso);
    void pulsar(const Paso& paso);
    void enVentana(const Paso& paso);
    void datos(const Paso& paso);
    void escribir(const Paso& paso);
    void plantar(const Paso& paso);

    Entorno e_;
    std::vector<Paso> pasos_;
    std::size_t siguiente_ = 0;
    std::vector<EnCurso> enCurso_;
    std::atomic<int> linea_{0};
    bool activado_ = false;
    std::optional<int> codigo_;
    QPointer<QWidget> vista_;
    int ticsVista_ = 0;
    int ticsSinVentana_ = 0;
};
