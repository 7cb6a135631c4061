-- Sample reference data: six form versions of our own invention.
-- @NAMESPACE_BASE@ stands for the namespace base of the program; the build
-- tool replaces it, so code and data share one constant.

INSERT INTO Formularios
    (CodFormulario, Version, Descripcion, TipoArchivoEntrada, IndSinPuntoDecimal,
     CodigoImpuesto, CODIGOCONCEPTO, NameSpace)
VALUES
    ('0801', '00100', 'Declaración Jurada de Importación', 'P', 'N', '0217', '019',
     '@NAMESPACE_BASE@F0801_00100.xsd'),
    ('0801', '00200', 'Declaración Jurada de Importación', 'P', 'N', '0217', '019',
     '@NAMESPACE_BASE@F0801_00200.xsd'),
    ('0802', '00100', 'Manifiesto de Carga', 'M', 'S', '0300', '001',
     '@NAMESPACE_BASE@F0802_00100.xsd'),
    ('0803', '00100', 'Liquidación de Servicios Portuarios', 'V', NULL, '0415', '040',
     '@NAMESPACE_BASE@F0803_00100.xsd'),
    ('0804', '00100', 'Declaración de Exportación', 'X', NULL, '0218', '020',
     'urn:nuro:exportacion:F0804_00100'),
    ('0805', '00100', 'Envíos Simplificados', 'p', 's', NULL, NULL,
     '@NAMESPACE_BASE@F0805_00100.xsd');

INSERT INTO Estructuras
    (CodFormulario, Version, TipoRegistro, orden, NombreCampo, Descripcion, Tipo, Longitud,
     Decimales, IndObligatorio, ValorMinimo, ValorMaximo, IndicativoAtributo, ExpresionRegular)
VALUES
    -- 0801/00100: declaration (01) with items (02), their documents (03) and totals (04)
    ('0801', '00100', '01', 1, 'CUIT', 'CUIT del Importador', 'C', '11', '0', 'S', NULL, NULL, 'N', '^[0-9]{11}$'),
    ('0801', '00100', '01', 2, 'Tipo', 'Tipo de Presentación', 'C', '1', '0', 'S', NULL, NULL, 'S', '^[OR]$'),
    ('0801', '00100', '01', 3, 'Periodo', 'Período Fiscal', 'N', '6', '0', 'S', '200001', '209912', 'N', NULL),
    ('0801', '00100', '01', 4, 'FechaPresentacion', 'Fecha de Presentación', 'D', '10', '0', 'S', NULL, NULL, 'N', '^[0-9]{4}-[0-9]{2}-[0-9]{2}$'),
    ('0801', '00100', '01', 5, 'Aduana', 'Código de Aduana', 'C', '3', '0', 'S', NULL, NULL, 'N', '^[0-9]{3}$'),
    ('0801', '00100', '02', 1, 'NroItem', 'Número de Ítem', 'N', '4', '0', 'S', '1', '9999', 'S', NULL),
    ('0801', '00100', '02', 2, 'Posicion', 'Posición Arancelaria', 'C', '12', '0', 'S', NULL, NULL, 'N', '^[0-9]{4}\.[0-9]{2}\.[0-9]{2}$'),
    ('0801', '00100', '02', 3, 'Descripcion', 'Descripción de la Mercadería', 'C', '60', '0', 'S', NULL, NULL, 'N', NULL),
    ('0801', '00100', '02', 4, 'Cantidad', 'Cantidad', 'N', '12', '2', 'S', '0.01', 'unbounded', 'N', NULL),
    ('0801', '00100', '02', 5, 'Unidad', 'Unidad de Medida', 'C', '3', '0', 'N', NULL, NULL, 'N', NULL),
    ('0801', '00100', '02', 6, 'ValorFob', 'Valor FOB', 'N', '15', '2', 'S', '0', '999999999999.99', 'N', NULL),
    ('0801', '00100', '03', 1, 'Tipo', 'Tipo de Documento', 'C', '3', '0', 'S', NULL, NULL, 'S', '^(FAC|CER|LIC)$'),
    ('0801', '00100', '03', 2, 'Numero', 'Número de Documento', 'C', '20', '0', 'S', NULL, NULL, 'N', NULL),
    ('0801', '00100', '03', 3, 'Emisor', 'Identificación del Emisor', 'X', '11', '0', 'S', NULL, NULL, 'N', NULL),
    ('0801', '00100', '03', 4, 'FechaEmision', 'Fecha de Emisión', 'D', '10', '0', 'N', NULL, NULL, 'N', NULL),
    ('0801', '00100', '04', 1, 'CantidadItems', 'Cantidad de Ítems', 'N', '4', '0', 'S', '1', '9999', 'N', NULL),
    ('0801', '00100', '04', 2, 'ValorTotal', 'Valor Total FOB', 'N', '15', '2', 'S', '0', 'unbounded', 'N', NULL),
    ('0801', '00100', '04', 3, 'Observaciones', 'Observaciones', 'C', '200', '0', 'N', NULL, NULL, 'N', NULL),

    -- 0801/00200: as 00100, with the country of origin of each item
    ('0801', '00200', '01', 1, 'CUIT', 'CUIT del Importador', 'C', '11', '0', 'S', NULL, NULL, 'N', '^[0-9]{11}$'),
    ('0801', '00200', '01', 2, 'Tipo', 'Tipo de Presentación', 'C', '1', '0', 'S', NULL, NULL, 'S', '^[OR]$'),
    ('0801', '00200', '01', 3, 'Periodo', 'Período Fiscal', 'N', '6', '0', 'S', '200001', '209912', 'N', NULL),
    ('0801', '00200', '01', 4, 'FechaPresentacion', 'Fecha de Presentación', 'D', '10', '0', 'S', NULL, NULL, 'N', '^[0-9]{4}-[0-9]{2}-[0-9]{2}$'),
    ('0801', '00200', '01', 5, 'Aduana', 'Código de Aduana', 'C', '3', '0', 'S', NULL, NULL, 'N', '^[0-9]{3}$'),
    ('0801', '00200', '02', 1, 'NroItem', 'Número de Ítem', 'N', '4', '0', 'S', '1', '9999', 'S', NULL),
    ('0801', '00200', '02', 2, 'Posicion', 'Posición Arancelaria', 'C', '12', '0', 'S', NULL, NULL, 'N', '^[0-9]{4}\.[0-9]{2}\.[0-9]{2}$'),
    ('0801', '00200', '02', 3, 'Descripcion', 'Descripción de la Mercadería', 'C', '60', '0', 'S', NULL, NULL, 'N', NULL),
    ('0801', '00200', '02', 4, 'Cantidad', 'Cantidad', 'N', '12', '2', 'S', '0.01', 'unbounded', 'N', NULL),
    ('0801', '00200', '02', 5, 'Unidad', 'Unidad de Medida', 'C', '3', '0', 'N', NULL, NULL, 'N', NULL),
    ('0801', '00200', '02', 6, 'ValorFob', 'Valor FOB', 'N', '15', '2', 'S', '0', '999999999999.99', 'N', NULL),
    ('0801', '00200', '02', 7, 'Origen', 'País de Origen', 'C', '2', '0', 'N', NULL, NULL, 'N', '^([A-Z]{2})?$'),
    ('0801', '00200', '03', 1, 'Tipo', 'Tipo de Documento', 'C', '3', '0', 'S', NULL, NULL, 'S', '^(FAC|CER|LIC)$'),
    ('0801', '00200', '03', 2, 'Numero', 'Número de Documento', 'C', '20', '0', 'S', NULL, NULL, 'N', NULL),
    ('0801', '00200', '03', 3, 'Emisor', 'Identificación del Emisor', 'X', '11', '0', 'S', NULL, NULL, 'N', NULL),
    ('0801', '00200', '03', 4, 'FechaEmision', 'Fecha de Emisión', 'D', '10', '0', 'N', NULL, NULL, 'N', NULL),
    ('0801', '00200', '04', 1, 'CantidadItems', 'Cantidad de Ítems', 'N', '4', '0', 'S', '1', '9999', 'N', NULL),
    ('0801', '00200', '04', 2, 'ValorTotal', 'Valor Total FOB', 'N', '15', '2', 'S', '0', 'unbounded', 'N', NULL),
    ('0801', '00200', '04', 3, 'Observaciones', 'Observaciones', 'C', '200', '0', 'N', NULL, NULL, 'N', NULL),

    -- 0802/00100: cargo manifest (01) with containers (02) and their packages (03)
    ('0802', '00100', '01', 1, 'CUIT', 'CUIT del Transportista', 'C', '11', '0', 'S', NULL, NULL, 'N', '^[0-9]{11}$'),
    ('0802', '00100', '01', 2, 'Numero', 'Número de Manifiesto', 'C', '11', '0', 'S', NULL, NULL, 'S', '^[0-9]{4}-[0-9]{6}$'),
    ('0802', '00100', '01', 3, 'Buque', 'Nombre del Buque', 'C', '40', '0', 'S', NULL, NULL, 'N', NULL),
    ('0802', '00100', '01', 4, 'FechaArribo', 'Fecha de Arribo', 'D', '10', '0', 'S', NULL, NULL, 'N', '^[0-9]{4}-[0-9]{2}-[0-9]{2}$'),
    ('0802', '00100', '01', 5, 'Puerto', 'Puerto de Arribo', 'C', '5', '0', 'S', NULL, NULL, 'N', '^AR[A-Z]{3}$'),
    ('0802', '00100', '02', 1, 'Sigla', 'Sigla del Contenedor', 'C', '11', '0', 'S', NULL, NULL, 'S', '^[A-Z]{4}[0-9]{7}$'),
    ('0802', '00100', '02', 2, 'Tipo', 'Tipo de Contenedor', 'C', '4', '0', 'N', NULL, NULL, 'S', NULL),
    ('0802', '00100', '02', 3, 'PesoBruto', 'Peso Bruto (kg)', 'N', '9', '2', 'S', '1', '30480', 'N', NULL),
    ('0802', '00100', '02', 4, 'Precinto', 'Número de Precinto', 'C', '15', '0', 'N', NULL, NULL, 'N', NULL),
    ('0802', '00100', '03', 1, 'Marca', 'Marcas y Números', 'C', '30', '0', 'S', NULL, NULL, 'N', NULL),
    ('0802', '00100', '03', 2, 'Cantidad', 'Cantidad de Bultos', 'N', '5', '0', 'S', '1', '99999', 'N', NULL),
    ('0802', '00100', '03', 3, 'Embalaje', 'Tipo de Embalaje', 'C', '2', '0', 'N', NULL, NULL, 'N', '^([A-Z]{2})?$'),
    ('0802', '00100', '03', 4, 'Consignatario', 'Identificación del Consignatario', 'X', '11', '0', 'S', NULL, NULL, 'N', NULL),

    -- 0803/00100 (vista): settlement (01) with its services (02)
    ('0803', '00100', '01', 1, 'CUIT', 'CUIT del Agente', 'C', '11', '0', 'S', NULL, NULL, 'N', '^[0-9]{11}$'),
    ('0803', '00100', '01', 2, 'Periodo', 'Período', 'N', '6', '0', 'S', '200001', '209912', 'N', NULL),
    ('0803', '00100', '01', 3, 'FechaEmision', 'Fecha de Emisión', 'D', '10', '0', 'S', NULL, NULL, 'N', '^[0-9]{4}-[0-9]{2}-[0-9]{2}$'),
    ('0803', '00100', '02', 1, 'Codigo', 'Código de Servicio', 'C', '3', '0', 'S', NULL, NULL, 'S', '^S[0-9]{2}$'),
    ('0803', '00100', '02', 2, 'Detalle', 'Detalle del Servicio', 'C', '40', '0', 'S', NULL, NULL, 'N', NULL),
    ('0803', '00100', '02', 3, 'Importe', 'Importe', 'N', '12', '2', 'S', '0', 'Unbounded', 'N', NULL),
    ('0803', '00100', '02', 4, 'Beneficiario', 'Identificación del Beneficiario', 'X', '11', '0', 'S', NULL, NULL, 'N', NULL),

    -- 0805/00100 (type stored as "p"): one record type, each line a shipment
    ('0805', '00100', '01', 1, 'CUIT', 'CUIT del Remitente', 'C', '11', '0', 'S', NULL, NULL, 'N', NULL),
    ('0805', '00100', '01', 2, 'Guia', 'Número de Guía', 'C', '13', '0', 'S', NULL, NULL, 's', '^[A-Z]{2}[0-9]{9}[A-Z]{2}$'),
    ('0805', '00100', '01', 3, 'Destinatario', 'Documento del Destinatario', 'X', '11', '0', 'S', NULL, NULL, 'N', NULL),
    ('0805', '00100', '01', 4, 'Valor', 'Valor Declarado', 'N', '7', '2', 'S', '0.01', '3000', 'N', NULL),
    ('0805', '00100', '01', 5, 'Peso', 'Peso (kg)', 'N', '6', '3', 'N', '0', 'unbounded', 'N', '^([0-9]{1,3}(\.[0-9]{1,3})?)?$'),
    ('0805', '00100', '01', 6, 'Contenido', 'Descripción del Contenido', 'C', '100', '0', 'N', NULL, NULL, 'N', NULL),
    ('0805', '00100', '01', 7, 'FechaEnvio', 'Fecha de Envío', 'D', '8', '0', 'N', NULL, NULL, 'N', NULL);

-- The root row of each form version first.
INSERT INTO Estructura_Padre_hijo
    (CodFormulario, Version, TipoRegistroPadre, TipoRegistroHijo, OcurrenciaMinima,
     OcurrenciaMaxima, NombreTag)
VALUES
    ('0801', '00100', '01', NULL, NULL, NULL, 'Declaracion'),
    ('0801', '00100', '01', '02', '1', 'unbounded', 'Item'),
    ('0801', '00100', '02', '03', '0', '10', 'Documento'),
    ('0801', '00100', '01', '04', '1', '1', 'Totales'),
    ('0801', '00200', '01', NULL, NULL, NULL, 'Declaracion'),
    ('0801', '00200', '01', '02', '1', 'unbounded', 'Item'),
    ('0801', '00200', '02', '03', '0', '10', 'Documento'),
    ('0801', '00200', '01', '04', '1', '1', 'Totales'),
    ('0802', '00100', '01', NULL, NULL, NULL, 'Manifiesto'),
    ('0802', '00100', '01', '02', '1', '50', 'Contenedor'),
    ('0802', '00100', '02', '03', '0', 'unbounded', 'Bulto'),
    ('0803', '00100', '01', NULL, NULL, NULL, 'Liquidacion'),
    ('0803', '00100', '01', '02', '1', 'Unbounded', 'Servicio'),
    ('0805', '00100', '01', NULL, NULL, NULL, 'Envio');
