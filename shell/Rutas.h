#pragma once
// Paths of the data folder, all formed from the program's drive.
#include <string>

namespace rutas {

std::string carpetaDatos();      // drive + "/DatosNuro"
std::string baseDatos();         // drive + "/DatosNuro/BDNuro.mdb"
std::string baseDatosApertura(); // drive + "/DatosNuro/BdNuro.mdb"
std::string procesados();        // drive + "/DatosNuro/Procesados/"
std::string tempBat();           // drive + "/DatosNuro/Temp.bat"
std::string esquema(const std::string& formulario, const std::string& version);
// kNamespaceBase + "F" + form + "_" + version + ".xsd"
std::string espacioNombres(const std::string& formulario, const std::string& version);

} // namespace rutas
