#pragma once
// What the driver prints: the echo of every step, every message box on one
// line, notes, and at the end the files left in Procesados and in the
// temporary folder. Paths of the run's folders are written as <drive>,
// <tmp> and <datos>, so the output does not depend on where the run took
// place. Everything printed is also kept, to compare it with a golden file.
// Lines may come from the watchdog's thread too.
#include "platform/ui/ScriptedDialogs.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

class Informe {
public:
    // Folder path -> placeholder; longer paths are replaced first.
    void fijarCarpetas(std::vector<std::pair<std::string, std::string>> carpetas);

    void linea(const std::string& texto);
    void caja(const ui::ScriptedDialogs::Box& caja);
    enum Modo { SinModo, ConModo };
    // "<etiqueta>: <name>" per file of the folder, sorted, with its permission
    // bits after it when asked; "<etiqueta>: -" when empty.
    void listado(const std::string& etiqueta, const std::string& carpeta, Modo modo = SinModo);
    // Nothing more is printed or kept.
    void silenciar();

    std::string texto() const;
    // Line breaks and backslashes as \r, \n, \\, so a text stays on one line.
    static std::string escapar(const std::string& texto);
    static const char* nombreIcono(ui::Icon icono);

private:
    std::string normalizar(std::string texto) const;

    mutable std::mutex mutex_;
    std::vector<std::pair<std::string, std::string>> carpetas_;
    std::string texto_;
    bool silenciado_ = false;
};
