#pragma once
// Validates a flat (or, through the vista classes, a vista) data file against
// the form version's record structure and nesting rules and, in the same
// pass, writes the XML document and the fixed-length record file into the
// temporary folder.
#include "platform/database/Database.h"
#include "platform/runtime/Numbers.h"
#include "validation/ArchivoAnexo.h"
#include "validation/TablaTexto.h"
#include "validation/VentanaProgreso.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CValidarArchivo {
public:
    std::unique_ptr<db::RecordSet> reg;
    std::unique_ptr<db::RecordSet> reg1;

    // pNombreArchivo becomes the flat work file's path on the vista road.
    bool Validar(std::string& pNombreArchivo, const std::string& pFormulario,
                 const std::string& pVersion, const std::string& pTipoArchivo);

    void formulario(VentanaProgreso* ventana) { ventana_ = ventana; }
    const std::string& Error() const { return vError; }
    double Lineas() const { return vLineas; }
    const std::string& Cuit() const { return vCuit; }

private:
    using Pila = std::vector<std::string>;

    // The run itself; run-time errors leave it for the handler in Validar.
    bool Ejecutar(std::string& pNombreArchivo, const std::string& pFormulario,
                  const std::string& pVersion, const std::string& pTipoArchivo,
                  TablaTexto& vEstructura, TablaTexto& vTipos, TablaTexto& vPadreHijo, Pila& pila);
    static db::Connection& Conexion();
    void LeerCuit();
    bool PasarVista(std::string& pNombreArchivo, const std::string& pFormulario,
                    const std::string& pVersion);
    bool RecorrerLineas(const std::string& pFormulario, const std::string& pVersion,
                        const TablaTexto& vEstructura, const TablaTexto& vTipos,
                        TablaTexto& vPadreHijo, Pila& pila);
    // One line; false ends the loop with `resultado_` and `vError` set.
    bool ProcesarLinea(const std::string& linea, const std::string& pFormulario,
                       const std::string& pVersion, const TablaTexto& vEstructura,
                       const TablaTexto& vTipos, TablaTexto& vPadreHijo, Pila& pila);
    bool ErrorDeEstructura();
    void Terminar(const std::string& pFormulario, const std::string& pVersion,
                  TablaTexto& vPadreHijo, Pila& pila);
    void CerrarElementos(const std::string& tipo, const TablaTexto& vPadreHijo, Pila& pila);
    void ArmarTextoError();
    void MostrarProgreso();
    void Liberar() noexcept;

    void CargarEstructura(const std::string& pFormulario, const std::string& pVersion,
                          TablaTexto& vEstructura, TablaTexto& vTipos, TablaTexto& vPadreHijo);
    void CargarAnidamiento(const std::string& pFormulario, const std::string& pVersion,
                           TablaTexto& vPadreHijo);

    bool ValidarRegistro(const std::string& linea, const std::string& pFormulario,
                         const std::string& pVersion, const TablaTexto& vEstructura,
                         const TablaTexto& vTipos);
    std::string ReglasDelCampo(const std::string& linea, const TablaTexto& vEstructura, int fila,
                               const std::string& valor) const;
    void PasoElemento(const std::string& valor, const TablaTexto& vEstructura, int fila,
                      const std::string& pFormulario, const std::string& pVersion);
    std::string ObtenerCampo(const std::string& linea);
    void PosicionarEnPrimerValor(const std::string& linea);
    std::string ArmarAtributos(const std::string& linea, const TablaTexto& vEstructura);
    void BuscarFilasDelTipo(const std::string& tipo, const TablaTexto& vEstructura);
    int FilaDelAtributo(int k, const TablaTexto& vEstructura) const;

    static bool EsHijo(const std::string& hijo, const std::string& padre,
                       const TablaTexto& vPadreHijo);
    static void Desapilar(Pila& pila);
    static void Apilar(const std::string& tipo, Pila& pila);
    static bool EsRaiz(const std::string& tipo, const TablaTexto& vPadreHijo);
    static void ContarOcurrencia(const std::string& padre, const std::string& hijo,
                                 TablaTexto& vPadreHijo);
    static bool ValidarOcurrencias(TablaTexto& vPadreHijo);
    static std::string NombreTag(const std::string& tipo, const TablaTexto& vPadreHijo);

    // The document text, appended to both buffers.
    void Agregar(std::string_view texto);
    void AgregarFinDocumento();
    void AgregarElemento(std::string_view valor, std::string_view nombre, std::string_view tipo);
    void GrabarBloques(const std::string& pFormulario, const std::string& pVersion);
    void GrabarRegistro();
    void AbrirSalidas(const std::string& pFormulario, const std::string& pVersion);
    void CerrarSalidas();

    VentanaProgreso* ventana_ = nullptr;
    std::string vError;
    std::string vCuit;
    std::string vIndSinPuntoDecimal;
    std::string vAtributos;
    double vLineas = 0;
    double lineaInicio = 0;
    rt::Int16 vErrorEstructura;
    rt::Int16 vPosicion;
    // Byte offset in the line that goes with vPosicion, so a line is cut in one
    // pass instead of counting characters from its start for every value.
    std::size_t bytePosicion_ = 0;
    bool resultado_ = false;
    std::vector<int> filasDelTipo_;
    std::string tituloArchivo_;

    std::string vXmlBloques;
    std::string vXmlCopia;
    double lineasXml = 0;
    // Bytes at the front of vXmlBloques already written as records.
    std::size_t escritosBloques_ = 0;
    // Document offsets: of vXmlBloques' first pending byte, and just past the
    // "</root>" of the document end once it is appended. The block holding the
    // document's own end is found by offset, so values holding that text do
    // not end the record file.
    std::uint64_t inicioPendiente_ = 0;
    std::optional<std::uint64_t> finDocumento_;
    std::unique_ptr<ArchivoAnexo> archivoBloques_;
    std::unique_ptr<ArchivoAnexo> archivoXml_;
};
