-- Tablas que el programa espera encontrar en el catálogo QuenvarMRX.
-- Generado por tavelmo-catalog-sql; no editar a mano.
-- Las tablas propias del programa (Grupos, GruposPersonas, SesionesExamen,
-- PreguntasSesion, EvaluadosSesion y RespuestasSesion) las crea él mismo al iniciar.

IF OBJECT_ID(N'Configuracion', N'U') IS NULL
    CREATE TABLE Configuracion (Item nvarchar(100) NULL, Valor nvarchar(255) NULL);
GO

IF OBJECT_ID(N'Items', N'U') IS NULL
    CREATE TABLE Items (CodigoItem int IDENTITY(1,1) PRIMARY KEY, DescripcionItem nvarchar(100) NULL);
GO

IF OBJECT_ID(N'Responsables', N'U') IS NULL
    CREATE TABLE Responsables (CodigoResponsable int IDENTITY(1,1) PRIMARY KEY, NombreResponsable nvarchar(100) NULL);
GO

IF OBJECT_ID(N'Usuarios', N'U') IS NULL
    CREATE TABLE Usuarios (CodigoUsuario int IDENTITY(1,1) PRIMARY KEY, NombreUsuario nvarchar(60) NULL, Eliminado bit NULL);
GO

IF OBJECT_ID(N'Documentos', N'U') IS NULL
    CREATE TABLE Documentos (CodigoDocumento int IDENTITY(1,1) PRIMARY KEY, DescripcionDocumento nvarchar(60) NULL);
GO

IF OBJECT_ID(N'Ciudades', N'U') IS NULL
    CREATE TABLE Ciudades (CodigoCiudad int IDENTITY(1,1) PRIMARY KEY, DescripcionCiudad nvarchar(60) NULL, Provincia int NULL);
GO

IF OBJECT_ID(N'Personas', N'U') IS NULL
    CREATE TABLE Personas (CodigoPersona int IDENTITY(1,1) PRIMARY KEY, TipoDocumento int NULL, Documento nvarchar(20) NULL, NombrePersona nvarchar(100) NULL, Sexo nvarchar(1) NULL, EstadoCivil nvarchar(20) NULL, FechaNac datetime NULL, Sangre nvarchar(5) NULL, Domicilio nvarchar(100) NULL, Ciudad nvarchar(60) NULL, Ocupacion nvarchar(60) NULL, Telefono nvarchar(30) NULL, Anteojos nvarchar(2) NULL, Celular nvarchar(30) NULL, EMail nvarchar(60) NULL, Huella nvarchar(255) NULL);
GO

IF OBJECT_ID(N'Examenes', N'U') IS NULL
    CREATE TABLE Examenes (CodigoExamen smallint NOT NULL PRIMARY KEY, DescripcionExamen nvarchar(100) NULL, TipoExamen nvarchar(1) NULL, Disponible bit NULL, Ejecutable nvarchar(100) NULL);
GO

IF OBJECT_ID(N'Preguntas', N'U') IS NULL
    CREATE TABLE Preguntas (CodigoPregunta int IDENTITY(1,1) PRIMARY KEY, Valoracion int NULL, Pregunta nvarchar(500) NULL, Foto varbinary(max) NULL, Tiempo int NULL, Tipo nvarchar(1) NULL, Orden smallint NULL, Ensayo bit NULL);
GO

IF OBJECT_ID(N'Respuestas', N'U') IS NULL
    CREATE TABLE Respuestas (CodigoRespuesta int IDENTITY(1,1) PRIMARY KEY, Pregunta int NULL, Respuesta nvarchar(255) NULL, Correcta bit NULL, Orden smallint NULL);
GO

IF OBJECT_ID(N'Carpetas', N'U') IS NULL
    CREATE TABLE Carpetas (CodigoCarpeta int IDENTITY(1,1) PRIMARY KEY, Persona int NULL, DescripcionCarpeta nvarchar(50) NULL, FechaCarpeta datetime NULL, Bloq bit NULL, Resultado nvarchar(20) NULL, EdadCarpeta int NULL, Lugar int NULL, Empresa int NULL, NroCurso nvarchar(20) NULL, NroInforme int NULL, Observaciones nvarchar(255) NULL, TipoTramite nvarchar(50) NULL, Factura nvarchar(50) NULL, Licencia nvarchar(20) NULL, TipoExamen nvarchar(5) NULL, NumeroCarpetaCons nvarchar(20) NULL);
GO

IF OBJECT_ID(N'DetalleExamenes', N'U') IS NULL
    CREATE TABLE DetalleExamenes (CodigoDetalleExamen int IDENTITY(1,1) PRIMARY KEY, Carpeta int NULL, Fecha datetime NULL, Examen int NULL, Resultado nvarchar(20) NULL, Responsable int NULL);
GO

IF OBJECT_ID(N'Resultados', N'U') IS NULL
    CREATE TABLE Resultados (DetalleExamen int NULL, Item int NULL, Resultado nvarchar(20) NULL, Valor smallint NULL, Percentil smallint NULL, Orden smallint NULL);
GO

