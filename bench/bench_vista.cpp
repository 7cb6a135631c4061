// The vista road at full size: a vista file of 500,000 lines (NURO_BENCH_LINEAS
// to change it) for a form of three nested record types, through the vista
// passes alone and through the whole flat validator. Reports the vista input
// read per second and the process's peak resident memory.
#include "bench/BancoValidacion.h"
#include "platform/runtime/FileSystem.h"
#include "validation/CProcesarArchivoTipoVista.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kFormulario = {
    "INSERT INTO Formularios VALUES ('BVIS','00001','Banco de vista','V',NULL,'1','2',"
    "'http://nuro.example/esquemas/FBVIS_00001.xsd')",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','01',1,'CUIT','Cuit','C','11','0','S',NULL,"
    "NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','01',2,'Periodo','Periodo','N','6','0','S',"
    "'1','999999','S',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','02',1,'Codigo','Codigo','C','10','0','S',NULL,"
    "NULL,'N','^[A-Z]{2}-[0-9]{4}$')",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','02',2,'Descripcion','Descripcion','C','40',"
    "'0','N',NULL,NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','02',3,'Monto','Monto','N','12','2','S','0',"
    "'unbounded','N',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','02',4,'Fecha','Fecha','D','8','0','S',NULL,"
    "NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','03',1,'Documento','Documento','X','11','0',"
    "'N',NULL,NULL,'N',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','03',2,'Cantidad','Cantidad','N','5','0','S',"
    "'1','99999','N',NULL)",
    "INSERT INTO Estructuras VALUES ('BVIS','00001','03',3,'Nota','Nota','C','20','0','N',NULL,"
    "NULL,'N',NULL)",
    "INSERT INTO Estructura_Padre_hijo VALUES ('BVIS','00001','01',NULL,NULL,NULL,'Declaracion')",
    "INSERT INTO Estructura_Padre_hijo VALUES ('BVIS','00001','01','02','1','unbounded','Item')",
    "INSERT INTO Estructura_Padre_hijo VALUES ('BVIS','00001','02','03','0','unbounded','Detalle')",
};

// One declaration per 1000 lines, one item per 5 lines, one detail per line.
std::string LineaVista(long i) {
    const long declaracion = i / 1000;
    const long item = i / 5;
    return "20123456786|" + std::to_string(200001 + declaracion % 99) + "|AB-" +
           std::to_string(1000 + item % 9000) + "|Articulo de prueba numero " +
           std::to_string(item) + "|" + std::to_string(item % 100000) + ".25|20240115|DNI" +
           std::to_string(10000000 + i % 89999999) + "|" + std::to_string(1 + i % 999) + "|nota " +
           std::to_string(i % 7) + "|";
}

const BancoValidacion& ElBanco() {
    static const BancoValidacion banco("nuro-bench-vista", kFormulario,
                                       BancoValidacion::Cantidad("NURO_BENCH_LINEAS", 500000),
                                       LineaVista);
    return banco;
}

void PasadasVista(benchmark::State& state) {
    VentanaProgresoMinima ventana;
    // The data file is made before the clock runs.
    ElBanco();
    for (auto _ : state) {
        CProcesarArchivoTipoVista vista;
        vista.formulario(&ventana);
        vista.nombreArchivo(ElBanco().Datos());
        vista.formularioNombre("BVIS");
        vista.version("00001");
        vista.PasoAMatriz();
        if (vista.Validar() != true)
            throw std::runtime_error(vista.Error());
        vista.ConformarArchivo();
    }
    ElBanco().Informar(state);
}
BENCHMARK(PasadasVista)->Unit(benchmark::kSecond)->Iterations(1);

// Validation, conversion and the flat pass, as a processing run makes them.
void CaminoVista(benchmark::State& state) {
    VentanaProgresoMinima ventana("datos.txt");
    ElBanco();
    for (auto _ : state) {
        CValidarArchivo validador;
        validador.formulario(&ventana);
        std::string ruta = ElBanco().Datos();
        if (!validador.Validar(ruta, "BVIS", "00001", "V"))
            throw std::runtime_error(validador.Error());
        state.PauseTiming();
        rt::deleteFileQuiet(rt::tempPath("datos.txt"));
        rt::deleteFileQuiet(rt::tempPath("FBVIS_00001.xml"));
        state.ResumeTiming();
    }
    ElBanco().Informar(state);
}
BENCHMARK(CaminoVista)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
