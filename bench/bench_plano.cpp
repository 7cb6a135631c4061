// The flat road at full size: a flat file of 1,000,000 records, about 100 MB
// (NURO_BENCH_REGISTROS to change the count), for a form with three nested
// record types, attributes, every field type and a regular expression, run
// through CValidarArchivo::Validar on the real file system with a progress
// window that does nothing. Reports the input read per second and the
// process's peak resident memory.
#include "bench/BancoValidacion.h"
#include "platform/runtime/FileSystem.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <benchmark/benchmark.h>

#include <fstream>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kFormulario = {
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

const BancoValidacion& ElBanco() {
    static const BancoValidacion banco("nuro-bench-plano", kFormulario,
                                       BancoValidacion::Cantidad("NURO_BENCH_REGISTROS", 1000000),
                                       Registro);
    return banco;
}

void CaminoPlano(benchmark::State& state) {
    VentanaProgresoMinima ventana("datos.txt");
    // The data file is made before the clock runs.
    ElBanco();
    for (auto _ : state) {
        CValidarArchivo validador;
        validador.formulario(&ventana);
        std::string ruta = ElBanco().Datos();
        if (!validador.Validar(ruta, "BPLA", "00001", "P"))
            throw std::runtime_error(validador.Error());
        state.PauseTiming();
        state.counters["registros_02"] = validador.Lineas();
        rt::deleteFileQuiet(rt::tempPath("datos.txt"));
        rt::deleteFileQuiet(rt::tempPath("FBPLA_00001.xml"));
        state.ResumeTiming();
    }
    ElBanco().Informar(state);
}
BENCHMARK(CaminoPlano)->Unit(benchmark::kSecond)->Iterations(1);

// The same records ended by LF alone, about 200 MB (NURO_BENCH_MB to change
// it): no CR, so the whole file is one line, refused with error 6. Run it on
// its own (--benchmark_filter=UnaSolaLinea) to read its peak memory.
void UnaSolaLinea(benchmark::State& state) {
    ElBanco(); // the form and the temporary folder
    const std::string ruta = rt::tempPath("lf.txt");
    const long bytes = BancoValidacion::Cantidad("NURO_BENCH_MB", 200) * 1000000L;
    {
        std::ofstream out(ruta, std::ios::binary);
        long escritos = 0;
        for (long i = 0; escritos < bytes; ++i) {
            const std::string linea = Registro(i) + "\n";
            out << linea;
            escritos += static_cast<long>(linea.size());
        }
    }
    VentanaProgresoMinima ventana("datos.txt");
    for (auto _ : state) {
        CValidarArchivo validador;
        validador.formulario(&ventana);
        std::string copia = ruta;
        if (validador.Validar(copia, "BPLA", "00001", "P") ||
            validador.Error().rfind("Error Número : 6 ", 0) != 0)
            throw std::runtime_error("se esperaba el error 6: " + validador.Error());
    }
    state.SetBytesProcessed(bytes * static_cast<std::int64_t>(state.iterations()));
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    state.counters["pico_MB"] = static_cast<double>(uso.ru_maxrss) / 1024.0;
    rt::deleteFileQuiet(ruta);
}
BENCHMARK(UnaSolaLinea)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
