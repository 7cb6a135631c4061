#pragma once
// What both processing windows do each time they open: check the database
// file and the stored CUIT, and read the forms the window can process.
#include "platform/database/Database.h"

#include <memory>
#include <string>
#include <vector>

class AperturaVentanaProceso {
public:
    enum class Clase { Planos, Xml };

    explicit AperturaVentanaProceso(Clase clase) : clase_(clase) {}

    // Checks and reads the list into Entradas(), using the window's record
    // set. False, after its message, when the window is to close. Run-time
    // errors are left to the caller, which closes silently.
    bool Abrir(std::unique_ptr<db::RecordSet>& reg);

    const std::vector<std::string>& Entradas() const { return entradas_; }
    std::string Consulta() const;
    std::string Filtro() const;

private:
    bool BaseDatosPresente() const;
    bool CuitCargado(std::unique_ptr<db::RecordSet>& reg) const;
    void LeerFormularios(std::unique_ptr<db::RecordSet>& reg);
    static db::Connection& Conexion();

    Clase clase_;
    std::vector<std::string> entradas_;
};
