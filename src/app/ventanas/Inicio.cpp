#include "app/ventanas/Inicio.h"

#include "app/Aplicacion.h"
#include "app/PrimerArranque.h"
#include "app/Rutas.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>

namespace inicio {

void identificarAplicacion() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kIdEscritorio));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kIdEscritorio)));
}

Decision antesDeArrancar(const lineacomandos::Resultado& linea, Dialogos& dialogos) {
    // A build is run by its developer with a configuration of his own; only an
    // installed program meets an operator without one.
    if (rutas::instalado() && primerarranque::faltaConfiguracion()) {
        Decision d = ofrecerConfiguracion(dialogos);
        if (!d.seguir)
            return d;
    }
    Decision d;
    d.codigo = linea.codigo;
    if (linea.pedirCodigo && linea.codigo.trimmed().isEmpty()) {
        const std::optional<qint32> codigo = pedirCodigo(dialogos);
        if (!codigo)
            return {false, 0, QString()};
        d.codigo = QString::number(*codigo);
    }
    return d;
}

Decision ofrecerConfiguracion(Dialogos& dialogos) {
    const QString archivo = QDir::toNativeSeparators(rutas::archivoConfiguracion());
    const QString catalogo = QDir::toNativeSeparators(primerarranque::archivoCatalogoLocal());
    const Dialogos::Respuesta r = dialogos.mensaje(
        nullptr,
        QStringLiteral("No se encontró el archivo de configuración. Tavelmo lo busca en\n%1\n\n"
                       "¿Desea crear uno que use un catálogo local, guardado en\n%2?\n\n"
                       "Sí: lo crea y el programa sigue.\n"
                       "No: muestra cómo usar el catálogo SQL Server de la oficina.")
            .arg(archivo, catalogo),
        Dialogos::Icono::Pregunta, kTituloAplicacion, Dialogos::Botones::SiNo);
    if (r != Dialogos::Respuesta::Si) {
        dialogos.mensaje(nullptr, primerarranque::instruccionesSqlServer(),
                         Dialogos::Icono::Informacion, kTituloAplicacion);
        return {false, 0, QString()};
    }
    const QString error = primerarranque::crearConfiguracionLocal();
    if (!error.isEmpty()) {
        dialogos.mensaje(nullptr, error, Dialogos::Icono::Critico, kTituloAplicacion);
        return {false, 1, QString()};
    }
    return {};
}

std::optional<qint32> pedirCodigo(Dialogos& dialogos) {
    QString escrito;
    for (;;) {
        const std::optional<QString> entrada = dialogos.entrada(
            nullptr, QStringLiteral("Código del responsable:"), kTituloAplicacion, escrito);
        if (!entrada)
            return std::nullopt;
        if (const std::optional<qint32> codigo = lineacomandos::codigoEscrito(*entrada))
            return codigo;
        escrito = *entrada;
        dialogos.mensaje(nullptr,
                         QStringLiteral("El código del responsable es un número entero mayor "
                                        "que cero."),
                         Dialogos::Icono::Exclamacion, kTituloAplicacion);
    }
}

} // namespace inicio
