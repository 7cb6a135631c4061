-- Vista forms of the vista tests, on top of the standard schema.
-- VIS1/00001: two record types, every rule family, six fields in all.
-- VIS2/00001: type 01 with two text fields, type 02 with one.
-- VIS3/00001: type 01 with two fields, type 02 with three.
-- VIS4/00001: no fields; tests add their own.
-- VIS5/00001: below.

INSERT INTO Formularios VALUES ('VIS1', '00001', 'Vista de prueba', 'V', 's', '101', '2',
  '@NAMESPACE_BASE@FVIS1_00001.xsd');
INSERT INTO Formularios VALUES ('VIS2', '00001', 'Vista padre e hijo', 'V', NULL, '101', '2',
  '@NAMESPACE_BASE@FVIS2_00001.xsd');
INSERT INTO Formularios VALUES ('VIS3', '00001', 'Vista de dos tipos', 'V', 'N', '101', '2',
  '@NAMESPACE_BASE@FVIS3_00001.xsd');
INSERT INTO Formularios VALUES ('VIS4', '00001', 'Vista sin campos', 'V', NULL, '101', '2',
  '@NAMESPACE_BASE@FVIS4_00001.xsd');

-- Stored out of order on purpose: the load sorts by type, then orden.
INSERT INTO Estructuras VALUES ('VIS1', '00001', '02', 2, 'FECHA', 'Fecha', 'D', '8', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS1', '00001', '01', 1, 'NOMBRE', 'Nombre', 'C', '5', '0', 'S',
  '1', '2', 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS1', '00001', '01', 2, 'CODIGO', 'Código', 'C', '10', '0', 'N',
  NULL, NULL, 'N', '^[A-Z ]*$');
INSERT INTO Estructuras VALUES ('VIS1', '00001', '01', 3, 'IMPORTE', 'Importe', 'N', '5', '0', 'S',
  '1', '500', 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS1', '00001', '02', 1, 'DOC', 'Documento', 'X', '11', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS1', '00001', '02', 3, 'NOTA', 'Nota', 'c', '2', '0', 'S',
  NULL, NULL, 'N', NULL);

INSERT INTO Estructuras VALUES ('VIS2', '00001', '01', 1, 'A1', 'Campo A1', 'C', '20', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS2', '00001', '01', 2, 'A2', 'Campo A2', 'C', '20', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS2', '00001', '02', 1, 'B1', 'Campo B1', 'C', '20', '0', 'N',
  NULL, NULL, 'N', NULL);

INSERT INTO Estructuras VALUES ('VIS3', '00001', '01', 1, 'U1', 'U1', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS3', '00001', '01', 2, 'U2', 'U2', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS3', '00001', '02', 1, 'D1', 'D1', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS3', '00001', '02', 2, 'D2', 'D2', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS3', '00001', '02', 3, 'D3', 'D3', 'C', '9', '0', 'N',
  NULL, NULL, 'N', NULL);

UPDATE cuit SET Cuit='20123456786';

-- VIS5/00001: a declaration (01, CUIT and an attribute) holding its items (02).
INSERT INTO Formularios VALUES ('VIS5', '00001', 'Vista con anidamiento', 'V', NULL, '101', '2',
  '@NAMESPACE_BASE@FVIS5_00001.xsd');
INSERT INTO Estructuras VALUES ('VIS5', '00001', '01', 1, 'CUIT', 'Cuit', 'C', '11', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS5', '00001', '01', 2, 'Periodo', 'Período', 'N', '6', '0', 'S',
  '1', '999999', 'S', NULL);
INSERT INTO Estructuras VALUES ('VIS5', '00001', '02', 1, 'Item', 'Ítem', 'C', '10', '0', 'S',
  NULL, NULL, 'N', NULL);
INSERT INTO Estructuras VALUES ('VIS5', '00001', '02', 2, 'Monto', 'Monto', 'N', '8', '2', 'S',
  '0', 'unbounded', 'N', NULL);
INSERT INTO Estructura_Padre_hijo VALUES ('VIS5', '00001', '01', NULL, NULL, NULL, 'Declaracion');
INSERT INTO Estructura_Padre_hijo VALUES ('VIS5', '00001', '01', '02', '1', 'unbounded', 'Item');
