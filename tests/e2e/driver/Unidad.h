#pragma once
// The drive a script runs on, with its work folder (tmp) and the folder of
// the data files the script chooses from. Either a throwaway drive made from
// the sample forms and schemas (no CUIT stored, as delivered), or a drive
// folder given by the caller. NURO_DRIVE and tmp name them for the run;
// whatever the driver created is removed at the end.
#include "tests/support/TestDrive.h"

#include <memory>
#include <optional>
#include <string>

class Unidad {
public:
    // The modification time data files get unless the script gives one.
    static constexpr const char* kFechaDatos = "2024-03-05 14:07:09";

    // Empty tmp or datos: a fresh folder.
    Unidad(const std::string& raiz, const std::string& tmp, const std::string& datos);
    ~Unidad();
    Unidad(const Unidad&) = delete;
    Unidad& operator=(const Unidad&) = delete;

    const std::string& raiz() const { return raiz_; }
    const std::string& tmp() const { return tmp_; }
    const std::string& datos() const { return datos_; }
    std::string procesados() const { return raiz_ + "/DatosNuro/Procesados"; }

    // <drive>, <tmp> and <datos> at the start are those folders; an absolute
    // path stays; any other name is a file of the data folder.
    std::string ruta(const std::string& nombre) const;
    // sample/datos/<muestra> into the data folder, namespace placeholder replaced.
    void copiarMuestra(const std::string& muestra, const std::string& destino,
                       const std::string& fecha) const;
    void escribir(const std::string& destino, const std::string& bytes,
                  const std::string& fecha) const;
    void ejecutarSql(const std::string& sql) const;
    // What another user of a shared folder can plant at a name: a link
    // (dangling or not), a FIFO. And a file made read-only (no write bits).
    void enlazar(const std::string& destino, const std::string& nombre) const;
    void crearFifo(const std::string& nombre) const;
    void soloLectura(const std::string& nombre) const;
    // What stands at the name: "missing", "link to TARGET", "fifo", "folder"
    // or the file's bytes between double quotes.
    std::string describir(const std::string& nombre) const;
    // The permission bits of what stands at the path, in octal ("0600"), or
    // "missing".
    static std::string modo(const std::string& ruta);

    // Removes what the driver created, at once: the last thing before the
    // process ends without unwinding.
    void limpiar() noexcept;

    // "YYYY-MM-DD HH:MM:SS", local time.
    static void fijarFecha(const std::string& ruta, const std::string& fecha);

private:
    std::unique_ptr<testenv::TestDrive> desechable_;
    std::optional<testenv::TempDir> propias_;
    std::optional<testenv::ScopedEnv> envDrive_;
    std::optional<testenv::ScopedEnv> envTmp_;
    std::string raiz_;
    std::string tmp_;
    std::string datos_;
};
