#include "DatabaseTestSupport.h"

#include "shell/Globales.h"
#include "tests/support/TestDrive.h"

#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Reads the named columns of every row; Null as "<null>".
Rows leer(db::Connection& conexion, const std::string& sql, const std::vector<std::string>& cols) {
    Rows filas;
    auto reg = conexion.openRecordSet(sql);
    for (; !reg->eof(); reg->moveNext()) {
        std::vector<std::string> fila;
        for (const auto& c : cols)
            fila.push_back(reg->field(c).textOr("<null>"));
        filas.push_back(fila);
    }
    return filas;
}

class SampleQueries : public ::testing::Test {
protected:
    SampleQueries() : drive_(testenv::sampleDataSql()), conexion_(drive_.open()) {}
    testenv::TestDrive drive_;
    std::shared_ptr<db::Connection> conexion_;
};

// The application's query texts, exactly as it sends them.
TEST_F(SampleQueries, EveryQueryTextRunsAsWritten) {
    struct Case {
        std::string sql;
        std::vector<std::string> cols;
        Rows expected;
    };
    const std::string f = "0801", v = "00100";
    const std::vector<Case> cases = {
        {"select * from cuit", {"Cuit"}, {{"<null>"}}},
        {"Select * from Cuit", {"cuit"}, {{"<null>"}}},
        {"select * from Formularios "
         "where Ucase(TipoArchivoEntrada)='P' "
         "or Ucase(TipoArchivoEntrada)='M'"
         "or Ucase(TipoArchivoEntrada)='V'",
         {"CodFormulario", "Version", "TipoArchivoEntrada"},
         {{"0801", "00100", "P"},
          {"0801", "00200", "P"},
          {"0802", "00100", "M"},
          {"0803", "00100", "V"},
          {"0805", "00100", "p"}}},
        {"select * from Formularios where Ucase(TipoArchivoEntrada)='X' or "
         "Ucase(TipoArchivoEntrada)='M'",
         {"CodFormulario", "Version"},
         {{"0802", "00100"}, {"0804", "00100"}}},
        {"select *  from Formularios where CodFormulario='" + f + "' and Version= '" + v + "'",
         {"Descripcion", "CodigoImpuesto", "CODIGOCONCEPTO"},
         {{"Declaración Jurada de Importación", "0217", "019"}}},
        {"select *  from Formularios where CodFormulario='0805' and Version='00100'",
         {"codformulario", "version", "CodigoImpuesto", "CODIGOCONCEPTO"},
         {{"0805", "00100", "<null>", "<null>"}}},
        {"select NameSpace from Formularios where CodFormulario='" + f + "' and Version='" + v +
             "'",
         {"NameSpace"},
         {{nuro::kNamespaceBase + "F0801_00100.xsd"}}},
        {"select IndSinPuntoDecimal from Formularios where CodFormulario='0803' and Version = "
         "'00100'",
         {"IndSinPuntoDecimal"},
         {{"<null>"}}},
        {"select * from Estructuras where CodFormulario='0803' and Version = '00100' order by "
         "TipoRegistro,orden",
         {"TipoRegistro", "NombreCampo", "Tipo", "ValorMaximo", "IndicativoAtributo"},
         {{"01", "CUIT", "C", "<null>", "N"},
          {"01", "Periodo", "N", "209912", "N"},
          {"01", "FechaEmision", "D", "<null>", "N"},
          {"02", "Codigo", "C", "<null>", "S"},
          {"02", "Detalle", "C", "<null>", "N"},
          {"02", "Importe", "N", "Unbounded", "N"},
          {"02", "Beneficiario", "X", "<null>", "N"}}},
        {"Select TipoRegistroPadre,TipoRegistroHijo,OcurrenciaMinima,OcurrenciaMaxima,NombreTag "
         "from Estructura_Padre_hijo "
         "where CodFormulario='" +
             f + "' and Version ='" + v + "'",
         {"TipoRegistroPadre", "TipoRegistroHijo", "OcurrenciaMinima", "OcurrenciaMaxima",
          "NombreTag"},
         {{"01", "<null>", "<null>", "<null>", "Declaracion"},
          {"01", "02", "1", "unbounded", "Item"},
          {"02", "03", "0", "10", "Documento"},
          {"01", "04", "1", "1", "Totales"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leer(*conexion_, c.sql, c.cols), c.expected) << c.sql;
}

TEST_F(SampleQueries, CuitUpdateKeepsElevenDigits) {
    for (std::string cuit : {"20123456786", "01234567890", "00000000019"}) {
        conexion_->beginTrans();
        conexion_->execute("update cuit set Cuit=" + cuit);
        conexion_->commitTrans();
        EXPECT_EQ(leer(*drive_.open(), "select * from cuit", {"Cuit"}), Rows{{cuit}});
    }
}

TEST_F(SampleQueries, NestingRowsComeBackInStoredOrder) {
    drive_.execute("insert into Estructura_Padre_hijo values "
                   "('9999','00001','50',NULL,NULL,NULL,'Raiz'),"
                   "('9999','00001','50','40','0','9','Hijo'),"
                   "('9999','00001','10','20','1','1','Nieto'),"
                   "('0000','00000','01',NULL,NULL,NULL,'Otra'),"
                   "('9999','00001','30','10','0','unbounded','Bisnieto')");
    Rows filas = leer(*conexion_,
                      "Select TipoRegistroPadre,TipoRegistroHijo,OcurrenciaMinima,"
                      "OcurrenciaMaxima,NombreTag from Estructura_Padre_hijo "
                      "where CodFormulario='9999' and Version ='00001'",
                      {"TipoRegistroPadre", "NombreTag"});
    EXPECT_EQ(filas, (Rows{{"50", "Raiz"}, {"50", "Hijo"}, {"10", "Nieto"}, {"30", "Bisnieto"}}));
}

TEST_F(SampleQueries, StructureSortsByRecordTypeThenPosition) {
    drive_.execute("insert into Estructuras (CodFormulario, Version, TipoRegistro, orden, "
                   "NombreCampo) values ('9999','00001','02',10,'B10'),('9999','00001','02',9,"
                   "'B9'),('9999','00001','01',2,'A2'),('9999','00001','01',1,'A1')");
    Rows filas = leer(*conexion_,
                      "select * from Estructuras where CodFormulario='9999' and Version = "
                      "'00001' order by TipoRegistro,orden",
                      {"NombreCampo"});
    EXPECT_EQ(filas, (Rows{{"A1"}, {"A2"}, {"B9"}, {"B10"}}));
}

} // namespace
