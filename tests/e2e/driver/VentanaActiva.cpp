#include "tests/e2e/driver/VentanaActiva.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

std::string texto(const QString& s) {
    return s.toStdString();
}

std::string estado(const QWidget& w) {
    return w.isEnabled() ? "on" : "off";
}

int indiceDeEntrada(const QComboBox& lista, const std::string& criterio) {
    if (criterio.size() > 1 && criterio.front() == '#') {
        const int i = std::stoi(criterio.substr(1));
        return i < lista.count() ? i : -1;
    }
    for (int i = 0; i < lista.count(); ++i)
        if (texto(lista.itemText(i)).rfind(criterio, 0) == 0)
            return i;
    return -1;
}

std::string describirControl(const QWidget& w) {
    const std::string nombre = texto(w.objectName());
    if (auto* c = qobject_cast<const QComboBox*>(&w))
        return nombre + "[" + std::to_string(c->currentIndex()) + "/" + std::to_string(c->count()) +
               "] \"" + texto(c->currentText()) + "\" " + estado(w);
    if (auto* e = qobject_cast<const QLineEdit*>(&w))
        return nombre + " \"" + texto(e->text()) + "\" " + estado(w);
    if (auto* b = qobject_cast<const QPushButton*>(&w))
        return nombre + " \"" + texto(b->text()) + "\" " + estado(w);
    if (auto* l = qobject_cast<const QLabel*>(&w); l && l->pixmap().isNull())
        return nombre + " \"" + texto(l->text()) + "\"";
    return {};
}

} // namespace

QWidget* VentanaActiva::enFrente() {
    return QApplication::activeModalWidget();
}

template <class T> T* VentanaActiva::control(const std::string& nombre) const {
    T* c = ventana_ ? ventana_->findChild<T*>(QString::fromStdString(nombre)) : nullptr;
    if (!c)
        throw Fallo("no control " + nombre + " in the window");
    return c;
}

void VentanaActiva::elegirFormulario(const std::string& criterio) {
    auto* lista = control<QComboBox>("CboFormularios");
    const int i = indiceDeEntrada(*lista, criterio);
    if (i < 0)
        throw Fallo("no form-list entry " + criterio + " among " + std::to_string(lista->count()));
    lista->setCurrentIndex(i);
}

void VentanaActiva::escribir(const std::string& nombre, const std::string& valor) {
    control<QLineEdit>(nombre)->setText(QString::fromStdString(valor));
}

QPushButton* VentanaActiva::boton(const std::string& nombre) const {
    if (ventana_)
        for (QPushButton* b : ventana_->findChildren<QPushButton*>())
            if (texto(b->text()) == nombre || texto(b->objectName()) == nombre)
                return b;
    throw Fallo("no button " + nombre + " in the window");
}

bool VentanaActiva::pulsar(const std::string& nombre) {
    QPushButton* b = boton(nombre);
    if (!b->isEnabled())
        return false;
    b->click();
    return true;
}

void VentanaActiva::cerrar() {
    if (ventana_)
        ventana_->close();
}

std::vector<std::string> VentanaActiva::describir() const {
    std::vector<std::string> lineas;
    if (!ventana_)
        return lineas;
    lineas.push_back("window " + texto(ventana_->objectName()));
    for (const QWidget* w : ventana_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->objectName().isEmpty())
            continue;
        if (std::string d = describirControl(*w); !d.empty())
            lineas.push_back("  " + d);
    }
    return lineas;
}
