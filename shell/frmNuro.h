#pragma once
// The start-up window: checks the data folder and opens the reference
// database at every activation, and opens the working windows from its menu.
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QDialog;
class QFrame;

class frmNuro : public QMainWindow {
    Q_OBJECT

public:
    using Fabrica = std::function<std::unique_ptr<QDialog>()>;

    explicit frmNuro(QWidget* parent = nullptr);
    ~frmNuro() override;

    // Ties a menu command (the action's object name) to the window it shows.
    // The window is made at its first showing and kept until the end.
    void registrarVentana(const std::string& menu, Fabrica fabrica);
    template <class Ventana> void registrarVentana(const std::string& menu) {
        registrarVentana(menu, [] { return std::make_unique<Ventana>(); });
    }

    // The working window of a menu command; nullptr before its first showing.
    QDialog* ventana(const std::string& menu) const;
    // Times the activation sequence has started.
    int activaciones() const { return activaciones_; }

signals:
    // The activation sequence has run to its end.
    void activado();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void crearMenu();
    void agregarComando(const char* nombre, const char* texto);
    void crearMarco();
    void activar();
    void secuenciaActivacion();
    bool abrirBase();
    void centrarMarco();
    bool carpetasPresentes();
    void terminar(const std::string& mensaje);
    void mostrarVentana(const std::string& menu);

    QFrame* Frame1 = nullptr;
    std::map<std::string, Fabrica> fabricas_;
    std::map<std::string, std::unique_ptr<QDialog>> ventanas_;
    int activaciones_ = 0;
    bool mostrado_ = false;
};
