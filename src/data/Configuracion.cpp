#include "data/Configuracion.h"

#include "data/De1.h"

QString LeerConfiguracion(De1& de1, const QString& item) {
    if (item.isEmpty())
        return QString();
    try {
        const QVariant v = de1.valor(de1.dialecto().primeraFila(QStringLiteral(
                                         "SELECT Valor FROM Configuracion WHERE Item = ?")),
                                     {item});
        return v.isNull() ? QString() : v.toString();
    } catch (const ErrorBD&) {
        return QString();
    }
}

void GuardarConfiguracion(De1& de1, const QString& item, const QString& valor) {
    if (item.isEmpty())
        return;
    const QVariant existe = de1.valor(
        de1.dialecto().primeraFila(QStringLiteral("SELECT Item FROM Configuracion WHERE Item = ?")),
        {item});
    if (existe.isValid())
        de1.ejecutar(QStringLiteral("UPDATE Configuracion SET Valor = ? WHERE Item = ?"),
                     {valor, item});
    else
        de1.insertarSinIdentidad(
            QStringLiteral("Configuracion"),
            {{QStringLiteral("Item"), item}, {QStringLiteral("Valor"), valor}});
}

qint32 ObtenerCodigoItem(De1& de1, const QString& descripcion) {
    // Where an earlier race left the item twice, the lowest code is the one the
    // office's results already carry.
    const QVariant codigo =
        de1.valor(QStringLiteral("SELECT min(CodigoItem) FROM Items WHERE DescripcionItem = ?"),
                  {descripcion});
    if (codigo.isValid() && !codigo.isNull())
        return codigo.toInt();
    return qint32(de1.insertar(QStringLiteral("Items"),
                               {{QStringLiteral("DescripcionItem"), descripcion}},
                               QStringLiteral("CodigoItem")));
}
