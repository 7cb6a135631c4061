#include "DatabaseTestSupport.h"

#include "tests/support/TestDrive.h"

#include <vector>

namespace {

using dbtest::errorOf;

class RecordSetTest : public ::testing::Test {
protected:
    RecordSetTest()
        : drive_("create table Valores (orden integer, Entero integer, Real real, Texto text, "
                 "Otro);"
                 "insert into Valores values (1, 42, 0.1, '', NULL);"
                 "insert into Valores values (2, -7, 2.5, 'ñandú', 3.0);"
                 "insert into Valores values (3, 12345678901, 1e21, 'x', 'y');"),
          conexion_(drive_.open()) {}

    testenv::TestDrive drive_;
    std::shared_ptr<db::Connection> conexion_;
};

TEST_F(RecordSetTest, ValuesComeAsTextAndNullIsNotEmpty) {
    auto reg = conexion_->openRecordSet("select * from Valores order by orden");
    EXPECT_EQ(reg->field("Entero").text(), "42");
    EXPECT_EQ(reg->field("Real").text(), "0.1");
    EXPECT_FALSE(reg->field("Texto").isNull());
    EXPECT_EQ(reg->field("Texto").text(), "");
    EXPECT_TRUE(reg->field("Otro").isNull());
    EXPECT_EQ(reg->field("Otro").textOr("vacío"), "vacío");
    EXPECT_EQ(errorOf([&] { reg->field("Otro").text(); }), rt::err::InvalidUseOfNull);
    reg->moveNext();
    EXPECT_EQ(reg->field("Entero").text(), "-7");
    EXPECT_EQ(reg->field("Real").text(), "2.5");
    EXPECT_EQ(reg->field("Texto").text(), "ñandú");
    EXPECT_EQ(reg->field("Otro").text(), "3");
    reg->moveNext();
    EXPECT_EQ(reg->field("Entero").text(), "12345678901");
    EXPECT_EQ(reg->field("Real").text(), "1e+21");
}

TEST_F(RecordSetTest, NavigatesFromTheFirstRowToTheEnd) {
    auto reg = conexion_->openRecordSet("select orden from Valores order by orden");
    std::vector<std::string> vistos;
    while (!reg->eof()) {
        vistos.push_back(reg->field("orden").text());
        reg->moveNext();
    }
    EXPECT_EQ(vistos, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(errorOf([&] { reg->moveNext(); }), rt::err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { reg->field("orden"); }), rt::err::NoCurrentRecord);
}

TEST_F(RecordSetTest, EmptyResultIsAtTheEnd) {
    auto reg = conexion_->openRecordSet("select * from Valores where orden = 99");
    EXPECT_TRUE(reg->eof());
    EXPECT_EQ(errorOf([&] { reg->field("Entero"); }), rt::err::NoCurrentRecord);
}

TEST_F(RecordSetTest, ColumnNamesMatchWithoutRegardToCase) {
    auto reg = conexion_->openRecordSet("SELECT ENTERO FROM valores WHERE ORDEN = 1");
    EXPECT_EQ(reg->field("entero").text(), "42");
    EXPECT_EQ(reg->field("EnTeRo").text(), "42");
    EXPECT_EQ(errorOf([&] { reg->field("Enteros"); }), rt::err::ItemNotFound);
}

TEST_F(RecordSetTest, ClosedRecordSetRefusesWork) {
    auto reg = conexion_->openRecordSet("select * from Valores");
    reg->close();
    EXPECT_EQ(errorOf([&] { reg->eof(); }), 3420);
    EXPECT_EQ(errorOf([&] { reg->field("Entero"); }), 3420);
}

TEST_F(RecordSetTest, UcaseUpperCasesAsciiAndLatin1) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (Case c : {Case{"abc xyz", "ABC XYZ"}, Case{"ñandú", "ÑANDÚ"},
                   Case{"àáâãäåæçèéêëìíîïðòóôõöøùúûüýþ", "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÒÓÔÕÖØÙÚÛÜÝÞ"},
                   Case{"÷ ß ÿ", "÷ ß Ÿ"}, Case{"m", "M"}, Case{"", ""}, Case{"€ 1-2", "€ 1-2"}}) {
        auto reg = conexion_->openRecordSet(std::string("select Ucase('") + c.in + "') as u");
        EXPECT_EQ(reg->field("u").text(), c.out) << c.in;
    }
    EXPECT_TRUE(conexion_->openRecordSet("select ucase(NULL) as u")->field("u").isNull());
    EXPECT_EQ(conexion_->openRecordSet("select UCASE(12) as u")->field("u").text(), "12");
}

TEST_F(RecordSetTest, FaultyQueriesGiveEngineErrors) {
    struct Case {
        const char* sql;
        int expected;
    };
    for (Case c :
         {Case{"select * from NoExiste", rt::err::TableNotFound},
          Case{"select * fro Valores", rt::err::SqlSyntax}, Case{"select Nada from Valores", 3061},
          Case{"update Valores set Entero = 0", 3219}, Case{"", 3219}}) {
        EXPECT_EQ(errorOf([&] { conexion_->openRecordSet(c.sql); }), c.expected) << c.sql;
    }
    // The refused update changed nothing.
    EXPECT_EQ(conexion_->openRecordSet("select Entero from Valores where orden = 1")
                  ->field("Entero")
                  .text(),
              "42");
}

TEST_F(RecordSetTest, TransactionsCommitAndRollBack) {
    conexion_->beginTrans();
    conexion_->execute("update Valores set Texto = 'hecho' where orden = 1");
    conexion_->commitTrans();
    conexion_->beginTrans();
    conexion_->execute("update Valores set Texto = 'deshecho' where orden = 1");
    conexion_->rollback();
    auto otra = drive_.open();
    EXPECT_EQ(
        otra->openRecordSet("select Texto from Valores where orden = 1")->field("Texto").text(),
        "hecho");
    EXPECT_EQ(errorOf([&] { conexion_->commitTrans(); }), 3034);
    EXPECT_EQ(errorOf([&] { conexion_->rollback(); }), 3034);
}

// The CUIT window keeps its record set open while it saves.
TEST_F(RecordSetTest, UpdateWhileARecordSetIsOpen) {
    auto reg = conexion_->openRecordSet("select * from cuit");
    conexion_->beginTrans();
    conexion_->execute("update cuit set Cuit=20123456786");
    conexion_->commitTrans();
    EXPECT_TRUE(reg->field("Cuit").isNull()); // read when it was opened
    EXPECT_EQ(drive_.open()->openRecordSet("select * from cuit")->field("Cuit").text(),
              "20123456786");
}

TEST_F(RecordSetTest, ExecuteFailuresLeaveNoTransactionOpen) {
    EXPECT_EQ(errorOf([&] { conexion_->execute("update NoExiste set x = 1"); }),
              rt::err::TableNotFound);
    EXPECT_EQ(errorOf([&] { conexion_->commitTrans(); }), 3034);
}

} // namespace
