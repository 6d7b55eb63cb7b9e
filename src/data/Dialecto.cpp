#include "data/Dialecto.h"

namespace {

QString tipoSqlServer(const DefColumna& c) {
    switch (c.tipo) {
    case TipoColumna::Identidad:
        return QStringLiteral("int IDENTITY(1,1) PRIMARY KEY");
    case TipoColumna::Entero:
        return QStringLiteral("int NULL");
    case TipoColumna::EnteroCorto:
        return c.clave ? QStringLiteral("smallint NOT NULL PRIMARY KEY")
                       : QStringLiteral("smallint NULL");
    case TipoColumna::Texto:
        return c.ancho > 0 ? QStringLiteral("nvarchar(%1) NULL").arg(c.ancho)
                           : QStringLiteral("nvarchar(max) NULL");
    case TipoColumna::Booleano:
        return QStringLiteral("bit NULL");
    case TipoColumna::Fecha:
        return QStringLiteral("datetime NULL");
    case TipoColumna::Binario:
        return QStringLiteral("varbinary(max) NULL");
    }
    return {};
}

// Texts compare without regard to case, as the usual SQL Server collation does.
QString tipoSqlite(const DefColumna& c) {
    switch (c.tipo) {
    case TipoColumna::Identidad:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case TipoColumna::Entero:
        return QStringLiteral("INTEGER");
    case TipoColumna::EnteroCorto:
        return c.clave ? QStringLiteral("INTEGER NOT NULL PRIMARY KEY") : QStringLiteral("INTEGER");
    case TipoColumna::Texto:
        return c.ancho > 0 ? QStringLiteral("NVARCHAR(%1) COLLATE NOCASE").arg(c.ancho)
                           : QStringLiteral("TEXT COLLATE NOCASE");
    case TipoColumna::Booleano:
        return QStringLiteral("INTEGER");
    case TipoColumna::Fecha:
        return QStringLiteral("DATETIME");
    case TipoColumna::Binario:
        return QStringLiteral("BLOB");
    }
    return {};
}

} // namespace

QString Dialecto::crearTabla(const DefTabla& tabla) const {
    QStringList columnas;
    for (const DefColumna& c : tabla.columnas)
        columnas << c.nombre + u' ' +
                        (motor_ == Motor::SqlServer ? tipoSqlServer(c) : tipoSqlite(c));
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(tabla.nombre, columnas.join(QStringLiteral(", ")));
}

std::vector<Dialecto::PasoEsquema> Dialecto::pasosActualizacion(int versionActual) const {
    std::vector<PasoEsquema> pasos;
    const bool sqlServer = motor_ == Motor::SqlServer;
    if (versionActual < 1) {
        pasos.push_back(
            {sqlServer
                 ? QStringLiteral("Create table Grupos (CodigoGrupo Int Primary Key IDENTITY)")
                 : QStringLiteral(
                       "CREATE TABLE Grupos (CodigoGrupo INTEGER PRIMARY KEY AUTOINCREMENT)"),
             QStringLiteral("Grupos"),
             {}});
        pasos.push_back({QStringLiteral("ALTER TABLE Grupos ADD NroCurso nVarChar(20)"),
                         QStringLiteral("Grupos"), QStringLiteral("NroCurso")});
        pasos.push_back({QStringLiteral("ALTER TABLE Grupos ADD Responsable Int"),
                         QStringLiteral("Grupos"), QStringLiteral("Responsable")});
        pasos.push_back({QStringLiteral("ALTER TABLE Grupos ADD Descripcion nVarChar(40)"),
                         QStringLiteral("Grupos"), QStringLiteral("Descripcion")});
        pasos.push_back({QStringLiteral("ALTER TABLE Grupos ADD Fecha datetime"),
                         QStringLiteral("Grupos"), QStringLiteral("Fecha")});
    }
    if (versionActual < 2) {
        pasos.push_back(
            {sqlServer
                 ? QStringLiteral(
                       "Create table GruposPersonas (CodigoGrupoPersona Int Primary Key IDENTITY)")
                 : QStringLiteral("CREATE TABLE GruposPersonas (CodigoGrupoPersona INTEGER PRIMARY "
                                  "KEY AUTOINCREMENT)"),
             QStringLiteral("GruposPersonas"),
             {}});
        pasos.push_back({QStringLiteral("ALTER TABLE GruposPersonas ADD Grupo Int"),
                         QStringLiteral("GruposPersonas"), QStringLiteral("Grupo")});
        pasos.push_back({QStringLiteral("ALTER TABLE GruposPersonas ADD Persona Int"),
                         QStringLiteral("GruposPersonas"), QStringLiteral("Persona")});
        pasos.push_back({QStringLiteral("ALTER TABLE GruposPersonas ADD Remoto Int"),
                         QStringLiteral("GruposPersonas"), QStringLiteral("Remoto")});
    }
    if (versionActual < 3) {
        // The sessions' own record (every key given, and what was asked), kept so that
        // results, reports and statistics outlive edits of the exam, the person and the
        // configuration file's answer log. Keys of the shared tables are copied, never
        // referenced by constraint, as in Grupos and GruposPersonas.
        const QString identidad = sqlServer ? QStringLiteral("Int Primary Key IDENTITY")
                                            : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        const QString textoLargo =
            sqlServer ? QStringLiteral("nVarChar(max)") : QStringLiteral("TEXT");
        pasos.push_back({QStringLiteral("CREATE TABLE SesionesExamen (CodigoSesion %1, Grupo Int, "
                                        "DescripcionGrupo nVarChar(40), Examen Int, "
                                        "DescripcionExamen nVarChar(100), Fecha datetime, "
                                        "Responsable Int)")
                             .arg(identidad),
                         QStringLiteral("SesionesExamen"),
                         {}});
        pasos.push_back({QStringLiteral("CREATE TABLE PreguntasSesion (Sesion Int NOT NULL, "
                                        "Orden Int NOT NULL, Pregunta Int, Texto %1, "
                                        "Correcta Int, Respuestas Int, "
                                        "PRIMARY KEY (Sesion, Orden))")
                             .arg(textoLargo),
                         QStringLiteral("PreguntasSesion"),
                         {}});
        // Teclas repeats an examinee's keys in question order (a space where none
        // came): statistics over thousands of examinations read one row per examinee
        // instead of one per key.
        pasos.push_back({QStringLiteral("CREATE TABLE EvaluadosSesion (Sesion Int NOT NULL, "
                                        "Posicion Int NOT NULL, Persona Int, DetalleExamen Int, "
                                        "Remoto Int, NombrePersona nVarChar(100), "
                                        "Documento nVarChar(20), Correctas Int, Incorrectas Int, "
                                        "Resultado nVarChar(20), Teclas %1, "
                                        "PRIMARY KEY (Sesion, Posicion))")
                             .arg(textoLargo),
                         QStringLiteral("EvaluadosSesion"),
                         {}});
        pasos.push_back({QStringLiteral("CREATE TABLE RespuestasSesion (Sesion Int NOT NULL, "
                                        "Posicion Int NOT NULL, Orden Int NOT NULL, "
                                        "Tecla nVarChar(1), Acierto Int, "
                                        "PRIMARY KEY (Sesion, Posicion, Orden))"),
                         QStringLiteral("RespuestasSesion"),
                         {}});
    }
    if (versionActual < 5) {
        // The journal a session was run with: a journal left behind by a crash
        // after its results were stored is recognised and never stored again.
        pasos.push_back({QStringLiteral("ALTER TABLE SesionesExamen ADD Diario nVarChar(40)"),
                         QStringLiteral("SesionesExamen"), QStringLiteral("Diario")});
    }
    return pasos;
}

QString Dialecto::insertar(const QString& tabla, const QStringList& columnas) {
    QStringList marcas;
    for (qsizetype i = 0; i < columnas.size(); ++i)
        marcas << QStringLiteral("?");
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(tabla, columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", ")));
}

QString Dialecto::insertarConIdentidad(const QString& tabla, const QStringList& columnas,
                                       const QString& identidad) const {
    QStringList marcas;
    for (qsizetype i = 0; i < columnas.size(); ++i)
        marcas << QStringLiteral("?");
    const QString cols = columnas.join(QStringLiteral(", "));
    const QString vals = marcas.join(QStringLiteral(", "));
    if (motor_ == Motor::SqlServer) {
        if (columnas.isEmpty())
            return QStringLiteral("INSERT INTO %1 OUTPUT INSERTED.%2 DEFAULT VALUES")
                .arg(tabla, identidad);
        return QStringLiteral("INSERT INTO %1 (%2) OUTPUT INSERTED.%3 VALUES (%4)")
            .arg(tabla, cols, identidad, vals);
    }
    if (columnas.isEmpty())
        return QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tabla);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabla, cols, vals);
}

QString Dialecto::consultaIdentidad() const {
    // The SQLite ODBC driver returns no rows from INSERT ... RETURNING, so both
    // SQLite drivers read the identity with a second statement.
    return motor_ == Motor::SqlServer ? QString() : QStringLiteral("SELECT last_insert_rowid()");
}

QString Dialecto::primeraFila(const QString& select) const {
    return primerasFilas(select, 1);
}

QString Dialecto::primerasFilas(const QString& select, int filas) const {
    QString s = select.trimmed();
    if (motor_ == Motor::SqlServer) {
        if (s.startsWith(QStringLiteral("SELECT "), Qt::CaseInsensitive))
            s.insert(7, QStringLiteral("TOP %1 ").arg(filas));
        return s;
    }
    return s + QStringLiteral(" LIMIT %1").arg(filas);
}

QVariant Dialecto::fechaHora(const QDateTime& momento) const {
    if (!momento.isValid())
        return QVariant();
    // SQLite's own date-time text: it sorts and compares like the moment it names.
    if (motor_ == Motor::Sqlite)
        return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return momento;
}

QDateTime Dialecto::leerFechaHora(const QVariant& valor) {
    if (valor.isNull() || !valor.isValid())
        return QDateTime();
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return QDateTime(valor.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
        return valor.toDateTime();
    default:
        break;
    }
    QString t = valor.toString().trimmed();
    t.replace(u' ', u'T');
    QDateTime m = QDateTime::fromString(t, Qt::ISODate);
    if (!m.isValid()) {
        const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
        if (d.isValid())
            m = QDateTime(d, QTime(0, 0));
    }
    return m;
}

QVariant Dialecto::fecha(const QDate& fecha) const {
    if (!fecha.isValid())
        return QVariant();
    // SQLite keeps dates as ISO text so that equal dates compare equal.
    if (motor_ == Motor::Sqlite)
        return fecha.toString(Qt::ISODate);
    return QDateTime(fecha, QTime(0, 0));
}

QString Dialecto::puntoGuardado(const QString& nombre) const {
    return (motor_ == Motor::SqlServer ? QStringLiteral("SAVE TRANSACTION ")
                                       : QStringLiteral("SAVEPOINT ")) +
           nombre;
}

QString Dialecto::volverAPunto(const QString& nombre) const {
    return (motor_ == Motor::SqlServer ? QStringLiteral("ROLLBACK TRANSACTION ")
                                       : QStringLiteral("ROLLBACK TO SAVEPOINT ")) +
           nombre;
}

QString Dialecto::liberarPunto(const QString& nombre) const {
    return motor_ == Motor::SqlServer ? QString() : QStringLiteral("RELEASE SAVEPOINT ") + nombre;
}

QDate Dialecto::leerFecha(const QVariant& valor) {
    if (valor.isNull() || !valor.isValid())
        return QDate();
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return valor.toDate();
    case QMetaType::QDateTime:
        return valor.toDateTime().date();
    default:
        break;
    }
    const QString t = valor.toString().trimmed();
    return QDate::fromString(t.left(10), Qt::ISODate);
}

QString Dialecto::patronContiene(const QString& texto) {
    QString t = texto;
    t.replace(u'!', QStringLiteral("!!"));
    t.replace(u'%', QStringLiteral("!%"));
    t.replace(u'_', QStringLiteral("!_"));
    t.replace(u'[', QStringLiteral("![")); // SQL Server's LIKE gives brackets a meaning
    return u'%' + t + u'%';
}

QString Dialecto::consultaTrigramas(const QString& columna, const QString& texto) {
    const QList<uint> letras = texto.toUcs4();
    QStringList trigramas;
    const qsizetype ultimo = letras.size() - 3;
    QList<qsizetype> inicios;
    for (qsizetype i = 0; i < ultimo; i += 3)
        inicios << i;
    inicios << ultimo;
    for (const qsizetype i : inicios) {
        QString t = QString::fromUcs4(reinterpret_cast<const char32_t*>(letras.constData() + i), 3);
        t.replace(u'"', QStringLiteral("\"\""));
        trigramas << u'"' + t + u'"';
    }
    trigramas.removeDuplicates();
    return QStringLiteral("{%1} : (%2)").arg(columna, trigramas.join(QStringLiteral(" AND ")));
}

QStringList Dialecto::variantesMayusculas(const QString& texto) {
    QStringList variantes{QString()};
    for (const QChar c : texto) {
        const QChar min = c.toLower();
        const QChar may = c.toUpper();
        QStringList siguientes;
        for (const QString& v : std::as_const(variantes)) {
            siguientes << v + min;
            if (may != min)
                siguientes << v + may;
            else if (c != min)
                siguientes << v + c;
        }
        variantes = siguientes;
    }
    variantes.removeDuplicates();
    return variantes;
}

Dialecto::Condicion Dialecto::contiene(const indices::IndiceTexto& indice, const QString& columna,
                                       const QString& texto, qint64 desde, bool descendente,
                                       int filas) const {
    const QString& k = indice.clave;
    const QString despues = descendente ? QStringLiteral(" < ?") : QStringLiteral(" > ?");
    if (texto.trimmed().isEmpty())
        return {k + despues, {desde}, 0};
    if (motor_ == Motor::SqlServer)
        return {QStringLiteral("%1%2 AND %3 LIKE ? ESCAPE '!'").arg(k, despues, columna),
                {desde, patronContiene(texto)},
                0};
    // The index holds every run of three characters of each row, case folded;
    // the rows holding all of the text's are the candidates.
    if (texto.toUcs4().size() >= 3) {
        const QString t = indice.nombre();
        return {QStringLiteral("%1 IN (SELECT rowid FROM %2 WHERE %2 MATCH ? AND rowid%3 "
                               "ORDER BY rowid%4 LIMIT %5)")
                    .arg(k, t, despues, descendente ? QStringLiteral(" DESC") : QString(),
                         QString::number(filas)),
                {consultaTrigramas(columna, texto), desde},
                0,
                true};
    }
    // One or two characters: LIKE folds the case of ASCII letters only, so each
    // combination of cases is asked for (at most four).
    QStringList patrones;
    QVariantList parametros{desde, descendente ? desde - kVentanaCorta : desde + kVentanaCorta};
    for (const QString& v : variantesMayusculas(texto)) {
        patrones << columna + QStringLiteral(" LIKE ? ESCAPE '!'");
        parametros << patronContiene(v);
    }
    return {QStringLiteral("%1%2 AND %1%3 AND (%4)")
                .arg(k, despues, descendente ? QStringLiteral(" >= ?") : QStringLiteral(" <= ?"),
                     patrones.join(QStringLiteral(" OR "))),
            parametros, kVentanaCorta};
}
