-- Forms of the flat validator's tests, on top of the standard schema.
-- REGL/00001: one record type per rule family; no nesting bounds.
-- ANID/00001: R (10) holds D (20) at least once; 30 has fields but no nesting row.
-- ANI2/00001: as ANID, and R may also hold R.
-- ANI3/00001: R (10) and D (20) without minimums; 30 has fields but no nesting row.
-- ATRI/00001: attribute fields.
-- GOLD/00001: the documents of the golden files.
-- LARG/00001: one long text field.
-- SINA/00001: fields but no nesting rows.
-- NULO/00001: a Null label.
-- PNUL/00001: a nesting row without parent.
-- ANCH/00001: 32,768 nesting rows; the second one fails every file.
-- CAMP/00001: 32,768 field rows: 01 has one field, 02 the other 32,767.
-- ANC6/00001, ANC7/00001: 32,766 and 32,767 nesting rows; in ANC7 the second one fails.
-- MALR/00001: 02 has a pattern that does not compile.
-- CAM6/00001, CAM7/00001: 32,766 and 32,767 field rows, as CAMP.
-- VIST/00001: a vista form.

UPDATE cuit SET Cuit = '20123456786';

INSERT INTO Formularios VALUES ('REGL', '00001', 'Reglas', 'P', 's', '101', '2', NULL);
INSERT INTO Formularios VALUES ('ANID', '00001', 'Anidamiento', 'P', 'S', '101', '2', NULL);
INSERT INTO Formularios VALUES ('ANI2', '00001', 'Anidamiento doble', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('ANI3', '00001', 'Anidamiento libre', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('ATRI', '00001', 'Atributos', 'M', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('GOLD', '00001', 'Documentos', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('LARG', '00001', 'Linea larga', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('SINA', '00001', 'Sin anidamiento', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('NULO', '00001', 'Etiqueta nula', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('VIST', '00001', 'Vista', 'V', NULL, '101', '2', NULL);

-- REGL 01: one field per rule; a valid line is 01|abc|15|100|20240101|20123456786|ABC|5|
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 1, 'TXT', 'Texto', 'C', '5', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 2, 'NUM', 'Numero', 'N', '5', '0', 'S',
  '10', '20', 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 3, 'ILI', 'Ilimitado', 'N', '5', '0', 'S',
  '10', 'Unbounded', 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 4, 'FEC', 'Fecha', 'D', '8', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 5, 'DOC', 'Documento', 'X', '11', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 6, 'EXP', 'Codigo', 'C', '2', '0', 'N',
  NULL, NULL, 'N', '^[A-Z]+$');
INSERT INTO Estructuras VALUES ('REGL', '00001', '01', 7, 'OPC', 'Opcional', 'N', '3', '0', 's',
  '1', '2', 'N', NULL);
-- REGL 02: the CUIT first; 03: a field named cuit in second place; 04: two free text fields.
INSERT INTO Estructuras VALUES ('REGL', '00001', '02', 1, 'CUIT', 'Cuit', 'C', '11', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '02', 2, 'NOM', 'Nombre', 'C', '10', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '03', 1, 'NOM', 'Nombre', 'C', '20', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '03', 2, 'cuit', 'Cuit', 'C', '11', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '04', 1, 'A1', 'Campo A1', 'C', '20', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '04', 2, 'A2', 'Campo A2', 'C', '20', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '0A', 1, 'U', 'Unico', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('REGL', '00001', '05', 1, 'T', 'Tipo c', 'c', '1', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('REGL', '00001', '01', NULL, NULL, NULL, 'Reg');
INSERT INTO Estructura_Padre_hijo VALUES ('REGL', '00001', '01', '02', '0', 'unbounded', 'Cuit');
INSERT INTO Estructura_Padre_hijo VALUES ('REGL', '00001', '01', '03', '0', 'unbounded', 'Otro');
INSERT INTO Estructura_Padre_hijo VALUES ('REGL', '00001', '01', '04', '0', 'unbounded', 'Libre');
INSERT INTO Estructura_Padre_hijo VALUES ('REGL', '00001', '01', '05', '0', 'unbounded', 'Letra');

INSERT INTO Estructuras VALUES ('ANID', '00001', '10', 1, 'ID', 'Id', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ANID', '00001', '20', 1, 'VAL', 'Valor', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ANID', '00001', '30', 1, 'OTRO', 'Otro', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ANID', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('ANID', '00001', '10', '20', '1', 'unbounded', 'D');

INSERT INTO Estructuras VALUES ('ANI2', '00001', '10', 1, 'ID', 'Id', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ANI2', '00001', '20', 1, 'VAL', 'Valor', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ANI2', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('ANI2', '00001', '10', '20', '1', 'unbounded', 'D');
INSERT INTO Estructura_Padre_hijo VALUES ('ANI2', '00001', '10', '10', '0', '5', 'R');

INSERT INTO Estructuras VALUES ('ANI3', '00001', '10', 1, 'ID', 'Id', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ANI3', '00001', '20', 1, 'VAL', 'Valor', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ANI3', '00001', '30', 1, 'OTRO', 'Otro', 'C', '5', '0', 'N',
  NULL, NULL, 'S', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ANI3', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('ANI3', '00001', '10', '20', NULL, '2', 'D');

-- NIV3: R (10) holds D (20), D holds E (30) once or twice per group, and F (40)
-- stands under D and under R, named after its first row.
INSERT INTO Formularios VALUES ('NIV3', '00001', 'Tres niveles', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras SELECT 'NIV3', Version, TipoRegistro, orden, NombreCampo, Descripcion,
  Tipo, Longitud, Decimales, IndObligatorio, ValorMinimo, ValorMaximo, IndicativoAtributo,
  ExpresionRegular FROM Estructuras WHERE CodFormulario = 'ANID' AND TipoRegistro <> '30';
INSERT INTO Estructuras VALUES ('NIV3', '00001', '30', 1, 'E', 'E', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('NIV3', '00001', '40', 1, 'F', 'F', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('NIV3', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('NIV3', '00001', '10', '20', '1', 'unbounded', 'D');
INSERT INTO Estructura_Padre_hijo VALUES ('NIV3', '00001', '20', '30', '1', '2', 'E');
INSERT INTO Estructura_Padre_hijo VALUES ('NIV3', '00001', '20', '40', '0', 'unbounded', 'FD');
INSERT INTO Estructura_Padre_hijo VALUES ('NIV3', '00001', '10', '40', '0', '1', 'FR');

INSERT INTO Formularios VALUES ('ANI4', '00001', 'Raiz con minimo', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('ANI4', '00001', '10', 1, 'ID', 'Id', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ANI4', '00001', '10', NULL, '1', NULL, 'R');

-- ORDN: the root row is the row stored first, whatever the types' order.
INSERT INTO Formularios VALUES ('ORDN', '00001', 'Orden de filas', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('ORDN', '00001', '30', 1, 'T', 'Tres', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ORDN', '00001', '10', 1, 'D', 'Diez', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ORDN', '00001', '30', NULL, NULL, NULL, 'Tres');
INSERT INTO Estructura_Padre_hijo VALUES ('ORDN', '00001', '10', NULL, NULL, NULL, 'Diez');
INSERT INTO Estructura_Padre_hijo VALUES ('ORDN', '00001', '30', '10', '0', '1', 'Hijo');

-- TRES: types 01 (3 fields), 02 (2) and 03 (4), stored out of order.
INSERT INTO Formularios VALUES ('TRES', '00001', 'Tres tipos', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '03', 4, 'C4', 'C4', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '01', 2, 'A2', 'A2', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '02', 1, 'B1', 'B1', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '03', 1, 'C1', 'C1', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '01', 1, 'A1', 'A1', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '03', 3, 'C3', 'C3', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '01', 3, 'A3', 'A3', 'n', '5', '0', 'N',
  '1', '2', 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '02', 2, 'B2', 'B2', 'C', '5', '0', 'N',
  '1', NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('TRES', '00001', '03', 2, 'C2', 'C2', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('TRES', '00001', '01', NULL, NULL, NULL, 'Uno');
INSERT INTO Estructura_Padre_hijo VALUES ('TRES', '00001', '01', '02', NULL, '9', 'Dos');
INSERT INTO Estructura_Padre_hijo VALUES ('TRES', '00001', '02', '03', NULL, 'unbounded', 'Tres');

-- ATRI 01: ID and COD are attributes (COD marked in lower case); 02 has none.
INSERT INTO Estructuras VALUES ('ATRI', '00001', '01', 1, 'ID', 'Id', 'N', '3', '0', 'N',
  '0', '999', 'S', NULL);
INSERT INTO Estructuras VALUES ('ATRI', '00001', '01', 2, ' NOM ', 'Nombre', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('ATRI', '00001', '01', 3, 'COD', 'Codigo', 'C', '1', '0', 'N',
  NULL, NULL, 's', NULL);
INSERT INTO Estructuras VALUES ('ATRI', '00001', '02', 1, 'X', 'Equis', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ATRI', '00001', '01', NULL, NULL, NULL, 'Uno');
INSERT INTO Estructura_Padre_hijo VALUES ('ATRI', '00001', '01', '02', '0', 'unbounded', 'Dos');

INSERT INTO Estructuras VALUES ('GOLD', '00001', '01', 1, 'CUIT', 'Cuit', 'C', '11', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('GOLD', '00001', '01', 2, 'PERIODO', 'Periodo', 'N', '6', '0', 'S',
  '200001', '209912', 'S', NULL);
INSERT INTO Estructuras VALUES ('GOLD', '00001', '01', 3, 'NOMBRE', 'Nombre', 'C', '60', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('GOLD', '00001', '02', 1, 'ORDEN', 'Orden', 'N', '3', '0', 'S',
  '1', 'unbounded', 'S', NULL);
INSERT INTO Estructuras VALUES ('GOLD', '00001', '02', 2, 'DETALLE', 'Detalle', 'C', '2000', '0',
  'N', NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('GOLD', '00001', '02', 3, 'IMPORTE', 'Importe', 'N', '12', '2', 'S',
  '0', 'unbounded', 'N', NULL);
INSERT INTO Estructuras VALUES ('GOLD', '00001', '02', 4, 'FECHA', 'Fecha', 'D', '8', '0', 'N',
  NULL, NULL, 'N', '^[0-9]{8}$');
INSERT INTO Estructuras VALUES ('GOLD', '00001', '02', 5, 'DOC', 'Documento', 'X', '11', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('GOLD', '00001', '01', NULL, NULL, NULL, 'Declaracion');
INSERT INTO Estructura_Padre_hijo VALUES ('GOLD', '00001', '01', '02', '1', 'unbounded', 'Item');

INSERT INTO Estructuras VALUES ('LARG', '00001', '01', 1, 'A', 'Largo', 'C', '40000', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('LARG', '00001', '01', NULL, NULL, NULL, 'L');

INSERT INTO Estructuras VALUES ('SINA', '00001', '01', 1, 'A', 'A', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);

INSERT INTO Estructuras VALUES ('NULO', '00001', '01', 1, 'A', NULL, 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('NULO', '00001', '01', NULL, NULL, NULL, 'N');

INSERT INTO Estructuras VALUES ('VIST', '00001', '01', 1, 'P1', 'Padre', 'C', '5', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIST', '00001', '02', 1, 'H1', 'Hijo', 'C', '5', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('VIST', '00001', '01', NULL, NULL, NULL, 'P');
INSERT INTO Estructura_Padre_hijo VALUES ('VIST', '00001', '01', '02', '1', 'unbounded', 'H');

INSERT INTO Formularios VALUES ('PNUL', '00001', 'Padre nulo', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('PNUL', '00001', '01', 1, 'A', 'A', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('PNUL', '00001', '01', NULL, NULL, NULL, 'P');
INSERT INTO Estructura_Padre_hijo VALUES ('PNUL', '00001', NULL, '01', '0', '1', 'Q');

INSERT INTO Formularios VALUES ('ANCH', '00001', 'Anidamiento ancho', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('ANCH', '00001', '10', 1, 'ID', 'Id', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('ANCH', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('ANCH', '00001', '10', '20', '1', 'unbounded', 'D');
INSERT INTO Estructura_Padre_hijo
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32766)
  SELECT 'ANCH', '00001', '98', '99', '0', '1', 'X' FROM n;

INSERT INTO Formularios VALUES ('CAMP', '00001', 'Campos de sobra', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('CAMP', '00001', '01', 1, 'A', 'A', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32767)
  SELECT 'CAMP', '00001', '02', i, 'B', 'B', 'C', '5', '0', 'N', NULL, NULL, 'N', NULL FROM n;
INSERT INTO Estructura_Padre_hijo VALUES ('CAMP', '00001', '01', NULL, NULL, NULL, 'C');

INSERT INTO Formularios VALUES ('ANC6', '00001', 'Anidamiento 32766', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('ANC7', '00001', 'Anidamiento 32767', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras SELECT 'ANC6', Version, TipoRegistro, orden, NombreCampo, Descripcion,
  Tipo, Longitud, Decimales, IndObligatorio, ValorMinimo, ValorMaximo, IndicativoAtributo,
  ExpresionRegular FROM Estructuras WHERE CodFormulario = 'ANCH';
INSERT INTO Estructuras SELECT 'ANC7', Version, TipoRegistro, orden, NombreCampo, Descripcion,
  Tipo, Longitud, Decimales, IndObligatorio, ValorMinimo, ValorMaximo, IndicativoAtributo,
  ExpresionRegular FROM Estructuras WHERE CodFormulario = 'ANCH';
INSERT INTO Estructura_Padre_hijo VALUES ('ANC6', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32765)
  SELECT 'ANC6', '00001', '98', '99', '0', '1', 'X' FROM n;
INSERT INTO Estructura_Padre_hijo VALUES ('ANC7', '00001', '10', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('ANC7', '00001', '10', '20', '1', 'unbounded', 'D');
INSERT INTO Estructura_Padre_hijo
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32765)
  SELECT 'ANC7', '00001', '98', '99', '0', '1', 'X' FROM n;

INSERT INTO Formularios VALUES ('CAM6', '00001', 'Campos 32766', 'P', NULL, '101', '2', NULL);
INSERT INTO Formularios VALUES ('CAM7', '00001', 'Campos 32767', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras SELECT 'CAM6', Version, TipoRegistro, orden, NombreCampo, Descripcion,
  Tipo, Longitud, Decimales, IndObligatorio, ValorMinimo, ValorMaximo, IndicativoAtributo,
  ExpresionRegular FROM Estructuras WHERE CodFormulario = 'CAMP' AND orden <= 32765;
INSERT INTO Estructuras SELECT 'CAM7', Version, TipoRegistro, orden, NombreCampo, Descripcion,
  Tipo, Longitud, Decimales, IndObligatorio, ValorMinimo, ValorMaximo, IndicativoAtributo,
  ExpresionRegular FROM Estructuras WHERE CodFormulario = 'CAMP' AND orden <= 32766;
INSERT INTO Estructura_Padre_hijo VALUES ('CAM6', '00001', '01', NULL, NULL, NULL, 'C');
INSERT INTO Estructura_Padre_hijo VALUES ('CAM7', '00001', '01', NULL, NULL, NULL, 'C');

INSERT INTO Formularios VALUES ('MALR', '00001', 'Patron roto', 'P', NULL, '101', '2', NULL);
INSERT INTO Estructuras VALUES ('MALR', '00001', '01', 1, 'A', 'A', 'C', '5', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('MALR', '00001', '02', 1, 'B', 'B', 'C', '5', '0', 'N',
  NULL, NULL, 'N', '(');
INSERT INTO Estructura_Padre_hijo VALUES ('MALR', '00001', '01', NULL, NULL, NULL, 'R');
INSERT INTO Estructura_Padre_hijo VALUES ('MALR', '00001', '01', '02', '0', 'unbounded', 'S');
