// The flat road at full size: a flat file of 1,000,000 records, about 100 MB
// (NURO_BENCH_REGISTROS to change the count), for a form with three nested
// record types, attributes, every field type and a regular expression, run
// through CValidarArchivo::Validar on the real file system with a progress
// window that does nothing. Reports the input read per second and the
// process's peak resident memory.
#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "shell/Globales.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

const char* const kEsquema[] = {
    "CREATE TABLE Formularios (CodFormulario TEXT, Version TEXT, Descripcion TEXT, "
    "TipoArchivoEntrada TEXT, IndSinPuntoDecimal TEXT, CodigoImpuesto TEXT, CODIGOCONCEPTO TEXT, "
    "NameSpace TEXT)",
    "CREATE TABLE Estructuras (CodFormulario TEXT, Version TEXT, TipoRegistro TEXT, orden INTEGER, "
    "NombreCampo TEXT, Descripcion TEXT, Tipo TEXT, Longitud TEXT, Decimales TEXT, "
    "IndObligatorio TEXT, ValorMinimo TEXT, ValorMaximo TEXT, IndicativoAtributo TEXT, "
    "ExpresionRegular TEXT)",
    "CREATE TABLE Estructura_Padre_hijo (CodFormulario TEXT, Version TEXT, TipoRegistroPadre TEXT, "
    "TipoRegistroHijo TEXT, OcurrenciaMinima TEXT, OcurrenciaMaxima TEXT, NombreTag TEXT)",
    "CREATE TABLE cuit (Cuit TEXT)",
    "INSERT INTO cuit VALUES ('20123456786')",
    "INSERT INTO Formularios VALUES ('BPLA','00001','Banco plano','P',NULL,'1','2',"
    "'http://nuro.example/esquemas/FBPLA_00001.xsd')",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','01',1,'CUIT','Cuit','C','11','0','S',NULL,"
    "NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','01',2,'Periodo','Periodo','N','6','0','S',"
    "'1','999999','S',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','01',3,'Nombre','Nombre','C','40','0','N',"
    "NULL,NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','02',1,'Codigo','Codigo','C','10','0','S',NULL,"
    "NULL,'S','^[A-Z]{2}-[0-9]{4}$')",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','02',2,'Descripcion','Descripcion','C','80',"
    "'0','N',NULL,NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','02',3,'Monto','Monto','N','12','2','S','0',"
    "'unbounded','N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','02',4,'Fecha','Fecha','D','8','0','S',NULL,"
    "NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','03',1,'Documento','Documento','X','11','0',"
    "'N',NULL,NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','03',2,'Cantidad','Cantidad','N','5','0','S',"
    "'1','99999','N',NULL)",
    "INSERT INTO Estructuras VALUES ('BPLA','00001','03',3,'Nota','Nota','C','80','0','N',NULL,"
    "NULL,'N',NULL)",
    "INSERT INTO Estructura_Padre_hijo VALUES ('BPLA','00001','01',NULL,NULL,NULL,'Declaracion')",
    "INSERT INTO Estructura_Padre_hijo VALUES ('BPLA','00001','01','02','1','unbounded','Item')",
    "INSERT INTO Estructura_Padre_hijo VALUES ('BPLA','00001','02','03','0','unbounded','Detalle')",
};

long Registros() {
    const char* v = std::getenv("NURO_BENCH_REGISTROS");
    return v && *v ? std::atol(v) : 1000000;
}

// One declaration per 1000 records, one item per 5 records, details between.
std::string Registro(long i) {
    if (i % 1000 == 0)
        return "01|20123456786|" + std::to_string(200001 + (i / 1000) % 99) +
               "|Contribuyente de prueba " + std::to_string(i / 1000) + "|";
    if (i % 5 == 1)
        return "02|AB-" + std::to_string(1000 + (i / 5) % 9000) + "|Articulo de prueba numero " +
               std::to_string(i / 5) + " con una descripcion algo mas larga|" +
               std::to_string((i / 5) % 100000) + ".25|20240115|";
    return "03|DNI" + std::to_string(10000000 + i % 89999999) + "|" + std::to_string(1 + i % 999) +
           "|nota de detalle del articulo con un texto de unas cincuenta letras " +
           std::to_string(i % 7) + "|";
}

// A drive made once for the whole run: work folder, database, flat file.
class Banco {
public:
    Banco() {
        carpeta_ = (std::filesystem::temp_directory_path() / "nuro-bench-plano").string();
        std::filesystem::remove_all(carpeta_);
        std::filesystem::create_directories(carpeta_ + "/tmp");
        setenv("tmp", (carpeta_ + "/tmp").c_str(), 1);
        BaseDatos = db::createDatabase(carpeta_ + "/BDNuro.mdb", nuro::kConnect);
        for (const char* sql : kEsquema)
            BaseDatos->execute(sql);
        plano_ = carpeta_ + "/plano.txt";
        std::ofstream out(plano_, std::ios::binary);
        for (long i = 0; i < Registros(); ++i)
            out << Registro(i) << "\r\n";
        out.close();
        bytes_ = static_cast<std::int64_t>(std::filesystem::file_size(plano_));
    }
    ~Banco() {
        BaseDatos.reset();
        std::filesystem::remove_all(carpeta_);
    }
    const std::string& Plano() const { return plano_; }
    std::int64_t Bytes() const { return bytes_; }

private:
    std::string carpeta_;
    std::string plano_;
    std::int64_t bytes_ = 0;
};

Banco& ElBanco() {
    static Banco banco;
    return banco;
}

void CaminoPlano(benchmark::State& state) {
    VentanaProgresoMinima ventana("datos.txt");
    const std::int64_t bytes = ElBanco().Bytes();
    for (auto _ : state) {
        CValidarArchivo validador;
        validador.formulario(&ventana);
        std::string ruta = ElBanco().Plano();
        if (!validador.Validar(ruta, "BPLA", "00001", "P"))
            throw std::runtime_error(validador.Error());
        state.PauseTiming();
        state.counters["registros_02"] = validador.Lineas();
        rt::deleteFileQuiet(rt::tempPath("datos.txt"));
        rt::deleteFileQuiet(rt::tempPath("FBPLA_00001.xml"));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(bytes * static_cast<std::int64_t>(state.iterations()));
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    state.counters["pico_MB"] = static_cast<double>(uso.ru_maxrss) / 1024.0;
    state.counters["MB_entrada"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(CaminoPlano)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
