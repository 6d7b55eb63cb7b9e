#include "app/LineaComandos.h"

#include "app/Rutas.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <limits>

#ifndef TAVELMO_VERSION
#define TAVELMO_VERSION "0"
#endif

namespace lineacomandos {

namespace {

struct Opcion {
    QStringList nombres;
    const char* ayuda;
};

QList<Opcion> opciones() {
    return {
        {{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
         "muestra esta ayuda y termina"},
        {{QStringLiteral("v"), QStringLiteral("version")}, "muestra la versión y termina"},
        {{QStringLiteral("pedir-codigo")},
         "pide el código del responsable si falta (así lo usa el menú)"},
    };
}

// Qt's own options, which QApplication takes out of the command line itself;
// true for those followed by a value.
const QList<QPair<QLatin1String, bool>>& opcionesQt() {
    static const QList<QPair<QLatin1String, bool>> lista = {
        {QLatin1String("platform"), true},
        {QLatin1String("platformpluginpath"), true},
        {QLatin1String("platformtheme"), true},
        {QLatin1String("plugin"), true},
        {QLatin1String("qwindowgeometry"), true},
        {QLatin1String("qwindowicon"), true},
        {QLatin1String("qwindowtitle"), true},
        {QLatin1String("display"), true},
        {QLatin1String("geometry"), true},
        {QLatin1String("style"), true},
        {QLatin1String("stylesheet"), true},
        {QLatin1String("session"), true},
        {QLatin1String("name"), true},
        {QLatin1String("title"), true},
        {QLatin1String("reverse"), false},
        {QLatin1String("widgetcount"), false},
        {QLatin1String("nograb"), false},
        {QLatin1String("dograb"), false},
        {QLatin1String("sync"), false},
    };
    return lista;
}

// -1 when `argumento` is not one of Qt's options, else how many values follow it.
int valoresOpcionQt(const QString& argumento) {
    QString nombre = argumento.mid(argumento.startsWith(QStringLiteral("--")) ? 2 : 1);
    const qsizetype igual = nombre.indexOf(u'=');
    if (igual >= 0)
        nombre.truncate(igual);
    for (const auto& [qt, conValor] : opcionesQt())
        if (nombre == qt)
            return conValor && igual < 0 ? 1 : 0;
    return -1;
}

// A negative or fractional code ("-5", "-.5") is a number, not an option.
bool esOpcion(const QString& argumento) {
    return argumento.size() > 1 && argumento.at(0) == u'-' && !argumento.at(1).isDigit() &&
           argumento.at(1) != u'.';
}

// An unknown option's name as the operator wrote it: "--x" or "-x".
QString comoSeEscribio(const QString& nombre, const QStringList& opciones) {
    QString larga = QStringLiteral("--") + nombre;
    for (const QString& o : opciones)
        if (o == larga || o.startsWith(larga + u'='))
            return larga;
    return u'-' + nombre;
}

QString nombrePrograma(const QStringList& argumentos) {
    const QString nombre =
        argumentos.isEmpty() ? QString() : QFileInfo(argumentos.at(0)).fileName();
    return nombre.isEmpty() ? QStringLiteral("tavelmo") : nombre;
}

QString ayuda(const QString& programa) {
    QString texto = QStringLiteral("Uso: %1 [opciones] [código]\n\n"
                                   "Examen teórico de grupos de postulantes con controles "
                                   "remotos.\n\n"
                                   "Argumentos:\n"
                                   "  código              código del responsable (el operador); "
                                   "sin él vale 0\n\n"
                                   "Opciones:\n")
                        .arg(programa);
    for (const Opcion& o : opciones()) {
        QStringList nombres;
        for (const QString& n : o.nombres)
            nombres << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
        const QString columna = QStringLiteral("  ") + nombres.join(QStringLiteral(", "));
        texto += columna.leftJustified(22) + QString::fromUtf8(o.ayuda) + u'\n';
    }
    texto += QStringLiteral("\nArchivo de configuración: %1\n"
                            "(la variable QUENVAR_ROOT cambia la carpeta ~/.quenvar).\n"
                            "Más detalles en «man tavelmo».\n")
                 .arg(rutas::archivoConfiguracion());
    return texto;
}

} // namespace

Resultado interpretar(const QStringList& argumentos) {
    Resultado r;
    const QString programa = nombrePrograma(argumentos);
    // Options first, then "--", then the rest: a code like "-5" never reads as an option.
    QStringList paraLeer{programa};
    QStringList resto;
    bool finOpciones = false;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos.at(i);
        if (finOpciones || !esOpcion(a)) {
            resto << a;
        } else if (a == QStringLiteral("--")) {
            finOpciones = true;
        } else if (const int valores = valoresOpcionQt(a); valores >= 0) {
            i += valores;
        } else {
            paraLeer << a;
        }
    }
    paraLeer << QStringLiteral("--") << resto;

    QCommandLineParser lector;
    for (const Opcion& o : opciones())
        lector.addOption(QCommandLineOption(o.nombres, QString::fromUtf8(o.ayuda)));
    if (!lector.parse(paraLeer)) {
        r.accion = Accion::Error;
        const QStringList desconocidas = lector.unknownOptionNames();
        const QString motivo =
            desconocidas.isEmpty()
                ? QStringLiteral("no se entiende la línea de órdenes (%1)").arg(lector.errorText())
                : QStringLiteral("opción desconocida «%1»")
                      .arg(comoSeEscribio(desconocidas.first(), paraLeer));
        r.texto = QStringLiteral("%1: %2\nUse «%1 --help» para ver las opciones.\n")
                      .arg(programa, motivo);
        return r;
    }
    if (lector.isSet(QStringLiteral("help"))) {
        r.accion = Accion::Ayuda;
        r.texto = ayuda(programa);
    } else if (lector.isSet(QStringLiteral("version"))) {
        r.accion = Accion::Version;
        r.texto = QStringLiteral("Tavelmo %1\n").arg(QStringLiteral(TAVELMO_VERSION));
    }
    r.codigo = lector.positionalArguments().join(u' ');
    r.pedirCodigo = lector.isSet(QStringLiteral("pedir-codigo"));
    return r;
}

int responder(const Resultado& resultado) {
    const QByteArray texto = resultado.texto.toLocal8Bit();
    const bool error = resultado.accion == Accion::Error;
    std::FILE* salida = error ? stderr : stdout;
    std::fputs(texto.constData(), salida);
    std::fflush(salida);
    return error ? 2 : 0;
}

QStringList argumentos(int argc, char** argv) {
    QStringList lista;
    for (int i = 0; i < argc; ++i)
        lista << QString::fromLocal8Bit(argv[i]);
    return lista;
}

std::optional<qint32> codigoEscrito(const QString& texto) {
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty())
        return std::nullopt;
    for (const QChar c : limpio)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 valor = limpio.toLongLong(&ok);
    if (!ok || valor <= 0 || valor > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(valor);
}

} // namespace lineacomandos
