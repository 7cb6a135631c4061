#include "tests/e2e/driver/Conductor.h"

#include "shell/frmNuro.h"
#include "tests/e2e/driver/VentanaActiva.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

#include <filesystem>
#include <sstream>
#include <utility>

namespace {

// Ticks a window must have been on screen before a step acts on it.
constexpr int kTicsAsentada = 3;
// Ticks without any window before a step that needs one gives up.
constexpr int kTicsSinVentana = 50;

bool esPreparacion(const Paso& p) {
    return p.verbo == "data" || p.verbo == "write" || p.verbo == "sql" || p.verbo == "link" ||
           p.verbo == "fifo" || p.verbo == "folder" || p.verbo == "readonly";
}

std::vector<std::string> palabras(const std::string& s) {
    std::vector<std::string> v;
    std::istringstream in(s);
    for (std::string w; in >> w;)
        v.push_back(w);
    return v;
}

// The first word, and the rest of the text after the blanks that follow it.
std::pair<std::string, std::string> primeraPalabra(const std::string& s) {
    const auto corte = s.find(' ');
    if (corte == std::string::npos)
        return {s, ""};
    const auto resto = s.find_first_not_of(' ', corte);
    return {s.substr(0, corte), resto == std::string::npos ? "" : s.substr(resto)};
}

char escapado(char c) {
    switch (c) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    default:
        return c;
    }
}

// \r \n \t \\ and \xHH as the bytes they name.
std::string desescapar(const std::string& s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            r += s[i];
        } else if (s[i + 1] == 'x' && i + 3 < s.size()) {
            r += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            r += escapado(s[++i]);
        }
    }
    return r;
}

// Keeps a step on the stack of steps under way while its action runs.
template <class Pila> class Apilado {
public:
    Apilado(Pila& pila, typename Pila::value_type entrada) : pila_(pila) {
        pila_.push_back(std::move(entrada));
    }
    ~Apilado() { pila_.pop_back(); }
    Apilado(const Apilado&) = delete;
    Apilado& operator=(const Apilado&) = delete;

private:
    Pila& pila_;
};

QAction* comando(const frmNuro& principal, const std::string& nombre) {
    for (QAction* a : principal.findChildren<QAction*>())
        if (a->objectName().toStdString() == nombre || a->text().toStdString() == nombre)
            return a;
    return nullptr;
}

} // namespace

Conductor::Conductor(Entorno entorno, std::vector<Paso> pasos)
    : e_(entorno), pasos_(std::move(pasos)) {
    connect(&e_.principal, &frmNuro::activado, this, [this] { activado_ = true; });
    e_.dialogos.onBox = [this](const ui::ScriptedDialogs::Box& caja) { e_.informe.caja(caja); };
    e_.dialogos.alCancelar = [this](int n, const std::string& titulo) {
        e_.informe.linea("  (yield " + std::to_string(n) + ": CmdSalir \"" + titulo +
                         "\" pressed)");
    };
    e_.dialogos.alListar = [this](int n) {
        e_.informe.linea("  (yield " + std::to_string(n) + ": the work folder)");
        e_.informe.listado("  <tmp>", e_.unidad.tmp(), Informe::ConModo);
    };
}

void Conductor::prepararse() {
    while (siguiente_ < pasos_.size() && esPreparacion(pasos_[siguiente_]))
        ejecutar(pasos_[siguiente_++]);
}

void Conductor::empezar() {
    programar();
}

// A new single-shot timer each time: a timer whose slot is still running
// (blocked in a modal loop or a run) would not fire again.
void Conductor::programar() {
    QTimer::singleShot(1, this, [this] { tic(); });
}

void Conductor::tic() {
    if (codigo_)
        return;
    programar();
    if (!libre())
        return;
    if (siguiente_ == pasos_.size()) {
        terminar();
        return;
    }
    const Paso& paso = pasos_[siguiente_];
    if (paso.actuaEnVentana() && !ventanaAsentada(paso))
        return;
    if (paso.verbo == "menu" && VentanaActiva::enFrente())
        fallar(paso, "a window is open: " + VentanaActiva::enFrente()->objectName().toStdString());
    ++siguiente_;
    ejecutar(paso);
}

// Nothing of the application is between its steps: started and not yet
// closed (a tick may still come between the close and the loop's return),
// not inside a yield, and no step under way but a menu step whose window is
// open.
bool Conductor::libre() {
    if (!activado_ || !e_.principal.isVisible() || e_.dialogos.profundidad() > 0)
        return false;
    QWidget* frente = VentanaActiva::enFrente();
    if (!frente || !frente->isVisible() || frente != vista_) {
        vista_ = frente && frente->isVisible() ? frente : nullptr;
        ticsVista_ = 0;
    }
    if (enCurso_.empty())
        return true;
    const EnCurso& c = enCurso_.back();
    if (c.paso->verbo != "menu")
        return false;
    const QDialog* ventana = e_.principal.ventana(c.menu);
    return ventana && ventana->isVisible();
}

bool Conductor::ventanaAsentada(const Paso& paso) {
    if (!vista_) {
        if (++ticsSinVentana_ > kTicsSinVentana)
            fallar(paso, "no window is open");
        return false;
    }
    ticsSinVentana_ = 0;
    return ++ticsVista_ >= kTicsAsentada;
}

void Conductor::ejecutar(const Paso& paso) {
    linea_ = paso.linea;
    e_.informe.linea("> " + paso.texto);
    try {
        if (paso.verbo == "menu")
            menu(paso);
        else if (paso.verbo == "press")
            pulsar(paso);
        else if (paso.actuaEnVentana())
            enVentana(paso);
        else if (paso.verbo == "choose")
            e_.dialogos.queueOpen(e_.unidad.ruta(paso.argumento));
        else if (paso.verbo == "choose-cancel")
            e_.dialogos.queueCancel();
        else if (paso.verbo == "cancel-at-yield")
            e_.dialogos.cancelarEnYield(std::stoi(paso.argumento));
        else if (paso.verbo == "list-at-yield")
            e_.dialogos.listarEnYield(std::stoi(paso.argumento));
        else if (paso.verbo == "data")
            datos(paso);
        else if (paso.verbo == "write")
            escribir(paso);
        else if (paso.verbo == "sql")
            e_.unidad.ejecutarSql(paso.argumento);
        else
            plantar(paso);
    } catch (const std::exception& ex) {
        fallar(paso, ex.what());
    }
}

// Blocks while the window it shows is open; the next steps run inside.
void Conductor::menu(const Paso& paso) {
    QAction* accion = comando(e_.principal, paso.argumento);
    if (!accion)
        throw VentanaActiva::Fallo("no menu command " + paso.argumento);
    Apilado apilado(enCurso_, EnCurso{&paso, accion->objectName().toStdString()});
    accion->trigger();
}

// Blocks until the click handler returns: a whole run, with its yields.
void Conductor::pulsar(const Paso& paso) {
    VentanaActiva ventana(*vista_);
    Apilado apilado(enCurso_, EnCurso{&paso, {}});
    if (!ventana.pulsar(paso.argumento))
        e_.informe.linea("  (" + paso.argumento + " is disabled)");
}

void Conductor::enVentana(const Paso& paso) {
    VentanaActiva ventana(*vista_);
    if (paso.verbo == "form") {
        ventana.elegirFormulario(paso.argumento);
    } else if (paso.verbo == "type") {
        const auto [control, texto] = primeraPalabra(paso.argumento);
        ventana.escribir(control, texto);
    } else if (paso.verbo == "close") {
        ventana.cerrar();
    } else if (paso.verbo == "inspect") {
        for (const std::string& linea : ventana.describir())
            e_.informe.linea(linea);
    }
}

// link TARGET NAME, fifo NAME, folder NAME, readonly NAME, show NAME, mode NAME
void Conductor::plantar(const Paso& paso) {
    if (paso.verbo == "link") {
        const std::vector<std::string> p = palabras(paso.argumento);
        if (p.size() != 2)
            throw VentanaActiva::Fallo("link TARGET NAME");
        e_.unidad.enlazar(p[0], p[1]);
    } else if (paso.verbo == "fifo") {
        e_.unidad.crearFifo(paso.argumento);
    } else if (paso.verbo == "folder") {
        std::filesystem::create_directories(e_.unidad.ruta(paso.argumento));
    } else if (paso.verbo == "readonly") {
        e_.unidad.soloLectura(paso.argumento);
    } else if (paso.verbo == "show") {
        e_.informe.linea("  " + paso.argumento + ": " + e_.unidad.describir(paso.argumento));
    } else if (paso.verbo == "mode") {
        e_.informe.linea("  " + paso.argumento + ": " +
                         Unidad::modo(e_.unidad.ruta(paso.argumento)));
    }
}

// data SAMPLE [as NAME] [YYYY-MM-DD HH:MM:SS]
void Conductor::datos(const Paso& paso) {
    std::vector<std::string> p = palabras(paso.argumento);
    std::string destino = p[0];
    std::size_t i = 1;
    if (p.size() >= 3 && p[1] == "as") {
        destino = p[2];
        i = 3;
    }
    std::string fecha = Unidad::kFechaDatos;
    if (i + 2 == p.size())
        fecha = p[i] + " " + p[i + 1];
    else if (i != p.size())
        throw VentanaActiva::Fallo("data SAMPLE [as NAME] [YYYY-MM-DD HH:MM:SS]");
    e_.unidad.copiarMuestra(p[0], destino, fecha);
}

// write NAME TEXT, with \r \n \t \\ \xHH escapes in the text
void Conductor::escribir(const Paso& paso) {
    const auto [nombre, texto] = primeraPalabra(paso.argumento);
    e_.unidad.escribir(nombre, desescapar(texto), Unidad::kFechaDatos);
}

void Conductor::terminar() {
    codigo_ = e_.cierre.cerrar("end", Cierre::Bien);
    QCoreApplication::exit(*codigo_);
}

void Conductor::fallar(const Paso& paso, const std::string& motivo) {
    e_.cierre.abortar("FAILED: line " + std::to_string(paso.linea) + ": " + motivo, Cierre::Fallo);
}
