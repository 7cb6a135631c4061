#pragma once
// The window in front (the modal one the menu opened) and what a script does
// with it: pick a form-list entry, type into a text box, press a button,
// close it, describe its controls.
#include <QPointer>
#include <QWidget>

#include <stdexcept>
#include <string>
#include <vector>

class QPushButton;

class VentanaActiva {
public:
    // A step that cannot be done; the driver stops with the reason.
    struct Fallo : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    static QWidget* enFrente();
    explicit VentanaActiva(QWidget& ventana) : ventana_(&ventana) {}

    // "#n" selects entry n (from 0); any other text the first entry that begins with it.
    void elegirFormulario(const std::string& criterio);
    void escribir(const std::string& control, const std::string& texto);
    // By caption or object name; runs the click handler to its end. False
    // when the button is disabled (nothing happens then).
    bool pulsar(const std::string& boton);
    // As the window's own close button does.
    void cerrar();
    // One line per named control: lists, text boxes, buttons, text labels.
    std::vector<std::string> describir() const;

private:
    template <class T> T* control(const std::string& nombre) const;
    QPushButton* boton(const std::string& nombre) const;

    QPointer<QWidget> ventana_;
};
