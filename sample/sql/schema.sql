-- Reference database of NURO: the four tables, and the one row of cuit.
-- Texts are kept as stored; orden is an integer, so fields sort by position.

CREATE TABLE Formularios (
    CodFormulario      TEXT,
    Version            TEXT,
    Descripcion        TEXT,
    TipoArchivoEntrada TEXT,
    IndSinPuntoDecimal TEXT,
    CodigoImpuesto     TEXT,
    CODIGOCONCEPTO     TEXT,
    NameSpace          TEXT,
    PRIMARY KEY (CodFormulario, Version)
);

CREATE TABLE Estructuras (
    CodFormulario      TEXT,
    Version            TEXT,
    TipoRegistro       TEXT,
    orden              INTEGER,
    NombreCampo        TEXT,
    Descripcion        TEXT,
    Tipo               TEXT,
    Longitud           TEXT,
    Decimales          TEXT,
    IndObligatorio     TEXT,
    ValorMinimo        TEXT,
    ValorMaximo        TEXT,
    IndicativoAtributo TEXT,
    ExpresionRegular   TEXT
);

-- Read without an order: rows come back in the order they were stored (rowid
-- order), so the root row, stored first for each form version, comes first.
-- No index and no primary key here: either could reorder them.
CREATE TABLE Estructura_Padre_hijo (
    CodFormulario     TEXT,
    Version           TEXT,
    TipoRegistroPadre TEXT,
    TipoRegistroHijo  TEXT,
    OcurrenciaMinima  TEXT,
    OcurrenciaMaxima  TEXT,
    NombreTag         TEXT
);

-- The CUIT arrives as an unquoted number ("update cuit set Cuit=01234567890"):
-- the text column keeps its digits, and these triggers give back the leading
-- zeros the number lost.
CREATE TABLE cuit (
    Cuit TEXT
);

CREATE TRIGGER cuit_once_digitos_alta AFTER INSERT ON cuit
WHEN NEW.Cuit <> '' AND length(NEW.Cuit) < 11 AND NEW.Cuit NOT GLOB '*[^0-9]*'
BEGIN
    UPDATE cuit SET Cuit = substr('00000000000' || NEW.Cuit, -11, 11) WHERE rowid = NEW.rowid;
END;

CREATE TRIGGER cuit_once_digitos_cambio AFTER UPDATE OF Cuit ON cuit
WHEN NEW.Cuit <> '' AND length(NEW.Cuit) < 11 AND NEW.Cuit NOT GLOB '*[^0-9]*'
BEGIN
    UPDATE cuit SET Cuit = substr('00000000000' || NEW.Cuit, -11, 11) WHERE rowid = NEW.rowid;
END;

-- Exactly one row, delivered empty: the user stores the CUIT.
INSERT INTO cuit (Cuit) VALUES (NULL);
