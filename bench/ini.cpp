// Configuration file figures: one LeerIni on a file of 5,000 keys, and the answer
// log of a full room (54 examinees x 100 questions) written as one batch.
#include "app/Ini.h"
#include "Medicion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ini::fijarRuta(dir.filePath("QuenvarMRX.ini"));

    QList<EntradaIni> base;
    for (int s = 0; s < 50; ++s)
        for (int k = 0; k < 100; ++k)
            base.append({QStringLiteral("Seccion%1").arg(s), QStringLiteral("Clave%1").arg(k),
                         QStringLiteral("valor %1-%2").arg(s).arg(k)});
    EscribirIniLote(base);

    std::vector<double> lecturas;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        const QString v = LeerIni(QStringLiteral("Seccion49"), QStringLiteral("Clave99"));
        lecturas.push_back(medicion::ms(t));
        if (v != QStringLiteral("valor 49-99"))
            return 1;
    }

    QList<EntradaIni> lote;
    for (int k = 1; k <= 54; ++k)
        for (int q = 1; q <= 100; ++q)
            lote.append({QStringLiteral("Evaluado%1").arg(k), QStringLiteral("Pregunta%1").arg(q),
                         QString::number(q % 4 + 1)});
    // Processor time too: on a shared machine the wall clock mostly measures the others.
    std::vector<double> lotes;
    std::vector<double> lotesCpu;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        const std::clock_t cpu = std::clock();
        if (!EscribirIniLote(lote))
            return 1;
        lotesCpu.push_back(double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        lotes.push_back(medicion::ms(t));
    }
    std::printf("LeerIni, archivo de 5.000 claves: mediana %.2f ms\n", medicion::mediana(lecturas));
    std::printf(
        "EscribirIniLote, 5.400 claves sobre 5.000 existentes: mediana %.2f ms (meta < 20 ms), "
        "%.2f ms de procesador\n",
        medicion::mediana(lotes), medicion::mediana(lotesCpu));
    return 0;
}
