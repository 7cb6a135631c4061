#pragma once
// What the validator benchmarks share: a throwaway folder with a reference
// database holding one form and a generated data file, made once for the
// whole run, and the figures each run reports (input read per second, the
// input's size and the process's peak resident memory).
#include "platform/database/Database.h"
#include "shell/Globales.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

class BancoValidacion {
public:
    // carpeta: a folder under the system's temporary folder, made anew, whose
    // "tmp" becomes the work-file folder. formulario: the SQL rows of the form.
    // lineas lines of the data file, the i-th being linea(i).
    BancoValidacion(const std::string& carpeta, const std::vector<std::string>& formulario,
                    long lineas, const std::function<std::string(long)>& linea)
        : carpeta_((std::filesystem::temp_directory_path() / carpeta).string()) {
        std::filesystem::remove_all(carpeta_);
        std::filesystem::create_directories(carpeta_ + "/tmp");
        setenv("tmp", (carpeta_ + "/tmp").c_str(), 1);
        CrearBase(formulario);
        datos_ = carpeta_ + "/datos.txt";
        std::ofstream out(datos_, std::ios::binary);
        for (long i = 0; i < lineas; ++i)
            out << linea(i) << "\r\n";
        out.close();
        bytes_ = static_cast<std::int64_t>(std::filesystem::file_size(datos_));
    }
    ~BancoValidacion() {
        BaseDatos.reset();
        std::filesystem::remove_all(carpeta_);
    }
    BancoValidacion(const BancoValidacion&) = delete;
    BancoValidacion& operator=(const BancoValidacion&) = delete;

    const std::string& Datos() const { return datos_; }

    // The count named by an environment variable, else the default.
    static long Cantidad(const char* variable, long porDefecto) {
        const char* v = std::getenv(variable);
        return v && *v ? std::atol(v) : porDefecto;
    }

    void Informar(benchmark::State& state) const {
        state.SetBytesProcessed(bytes_ * static_cast<std::int64_t>(state.iterations()));
        rusage uso{};
        getrusage(RUSAGE_SELF, &uso);
        state.counters["pico_MB"] = static_cast<double>(uso.ru_maxrss) / 1024.0;
        state.counters["MB_entrada"] = static_cast<double>(bytes_) / 1e6;
    }

private:
    void CrearBase(const std::vector<std::string>& formulario) {
        static const char* const kTablas[] = {
            "CREATE TABLE Formularios (CodFormulario TEXT, Version TEXT, Descripcion TEXT, "
            "TipoArchivoEntrada TEXT, IndSinPuntoDecimal TEXT, CodigoImpuesto TEXT, "
            "CODIGOCONCEPTO TEXT, NameSpace TEXT)",
            "CREATE TABLE Estructuras (CodFormulario TEXT, Version TEXT, TipoRegistro TEXT, "
            "orden INTEGER, NombreCampo TEXT, Descripcion TEXT, Tipo TEXT, Longitud TEXT, "
            "Decimales TEXT, IndObligatorio TEXT, ValorMinimo TEXT, ValorMaximo TEXT, "
            "IndicativoAtributo TEXT, ExpresionRegular TEXT)",
            "CREATE TABLE Estructura_Padre_hijo (CodFormulario TEXT, Version TEXT, "
            "TipoRegistroPadre TEXT, TipoRegistroHijo TEXT, OcurrenciaMinima TEXT, "
            "OcurrenciaMaxima TEXT, NombreTag TEXT)",
            "CREATE TABLE cuit (Cuit TEXT)",
            "INSERT INTO cuit VALUES ('20123456786')",
        };
        BaseDatos = db::createDatabase(carpeta_ + "/BDNuro.mdb", nuro::kConnect);
        for (const char* sql : kTablas)
            BaseDatos->execute(sql);
        for (const std::string& sql : formulario)
            BaseDatos->execute(sql);
    }

    std::string carpeta_;
    std::string datos_;
    std::int64_t bytes_ = 0;
};
