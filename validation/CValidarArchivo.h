#pragma once
// Validates a flat (or, through the vista classes, a vista) data file against
// the form version's record structure and nesting rules and, in the same
// pass, writes the XML document and the fixed-length record file into the
// temporary folder.
#include "platform/database/Database.h"
#include "platform/runtime/Numbers.h"
#include "platform/runtime/TextLines.h"
#include "validation/Anidamiento.h"
#include "validation/ArchivoAnexo.h"
#include "validation/CampoRegla.h"
#include "validation/LectorCampos.h"
#include "validation/TablaTexto.h"
#include "validation/VentanaProgreso.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
    // The open elements by their record type's number in the nesting matrix.
    using Pila = std::vector<int>;

    // A record type as the lines use it: its first row in the record-type
    // index (0 when it has none), field count and first field row from that
    // row, the last row of the type's run of rows from there, every field row
    // of the type in the matrix, and the place among them of its last
    // attribute (0 when it has none).
    struct TipoPlano {
        std::string tipo;
        int indice = 0;
        rt::Int16 campos;
        rt::Int16 primera;
        int ultima = 0;
        std::vector<int> filas;
        std::size_t ultimoAtributo = 0;
    };

    // The run itself; run-time errors leave it for the handler in Validar.
    bool Ejecutar(std::string& pNombreArchivo, const std::string& pFormulario,
                  const std::string& pVersion, const std::string& pTipoArchivo,
                  TablaTexto& vEstructura, TablaTexto& vTipos, TablaTexto& vPadreHijo, Pila& pila);
    static db::Connection& Conexion();
    void LeerCuit();
    bool PasarVista(std::string& pNombreArchivo, const std::string& pFormulario,
                    const std::string& pVersion);
    bool RecorrerLineas(const std::string& pFormulario, const std::string& pVersion, Pila& pila);
    // One line; false ends the loop with `resultado_` and `vError` set.
    bool ProcesarLinea(const rt::DataLine& linea, const std::string& pFormulario,
                       const std::string& pVersion, Pila& pila);
    bool ErrorDeEstructura();
    void Terminar(const std::string& pFormulario, const std::string& pVersion, Pila& pila);
    void CerrarElementos(int tipo, Pila& pila);
    void CerrarElemento(Pila& pila);
    void ArmarTextoError();
    void MostrarProgreso();
    void Liberar() noexcept;

    void CargarEstructura(const std::string& pFormulario, const std::string& pVersion,
                          TablaTexto& vEstructura, TablaTexto& vTipos, TablaTexto& vPadreHijo);
    void CargarAnidamiento(const std::string& pFormulario, const std::string& pVersion,
                           TablaTexto& vPadreHijo);

    // A line's record type: its structure (none when unknown) and its number
    // in the nesting matrix.
    struct TipoLeido {
        const TipoPlano* plano;
        int numero;
    };

    void CompilarEstructura(const TablaTexto& vEstructura, const TablaTexto& vTipos);
    TipoLeido TipoDeLinea(std::string_view texto);
    void CompilarTipo(TipoPlano& tipo) const;
    TipoPlano& TipoDeTexto(const std::string& tipo);
    const TipoPlano* BuscarTipo(const std::string& tipo) const;
    bool ValidarRegistro(const std::string& pFormulario, const std::string& pVersion,
                         const TipoPlano* tipo);
    std::string ReglasDelCampo(const CampoRegla& campo, std::string_view valor) const;
    void PasoElemento(std::string_view valor, const CampoRegla& campo,
                      const std::string& pFormulario, const std::string& pVersion);
    std::string ArmarAtributos(const rt::DataLine& linea, const TipoPlano* tipo);
    const CampoRegla* CampoDelAtributo(int k, const TipoPlano* tipo) const;

    static void Desapilar(Pila& pila);
    static void Apilar(int tipo, Pila& pila);

    // The document text, appended for both work files.
    void Agregar(std::string_view texto);
    void AgregarFinDocumento();
    void AgregarElemento(std::string_view valor, const CampoRegla& campo);
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
    bool resultado_ = false;
    std::string tituloArchivo_;
    std::string cuitRecortado_;
    std::string caption_;

    std::optional<Anidamiento> anidamiento_;
    std::vector<CampoRegla> campos_; // one per field-matrix row, row 0 included
    std::vector<TipoPlano> tipos_;
    std::unordered_map<std::string, std::size_t> indiceTipos_;
    // The types of two ASCII characters met so far, by those two bytes.
    std::vector<std::pair<std::uint16_t, TipoLeido>> leidos_;
    rt::DataLine lineaDatos_;
    // The current line as read, and the reader of its values.
    std::string_view linea_;
    LectorCampos lector_;

    std::string vXmlBloques;
    // Where in vXmlBloques the text not yet in the XML work file begins.
    std::size_t copiaDesde_ = 0;
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
