#include "shell/Rutas.h"

#include "platform/runtime/FileSystem.h"
#include "shell/Globales.h"

namespace rutas {

std::string carpetaDatos() {
    return rt::drive() + "/DatosNuro";
}
std::string baseDatos() {
    return carpetaDatos() + "/BDNuro.mdb";
}
std::string baseDatosApertura() {
    return carpetaDatos() + "/BdNuro.mdb";
}
std::string procesados() {
    return carpetaDatos() + "/Procesados/";
}
std::string tempBat() {
    return carpetaDatos() + "/Temp.bat";
}

std::string esquema(const std::string& formulario, const std::string& version) {
    return carpetaDatos() + "/Esquemas/F" + formulario + "_" + version + ".xsd";
}

std::string espacioNombres(const std::string& formulario, const std::string& version) {
    return nuro::kNamespaceBase + "F" + formulario + "_" + version + ".xsd";
}

} // namespace rutas
