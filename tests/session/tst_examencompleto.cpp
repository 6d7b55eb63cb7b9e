// A whole examination from the main window: keypads paired through the simulated
// receiver, the exam answered on its keypad panel, results and answer log stored.
#include "ApoyoSesion.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/FrmAddControles.h"
#include "keypads/ventanas/PanelControles.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/FrmResultados.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

class TestExamenCompleto : public QObject {
    Q_OBJECT

    static void pulsar(QWidget& w, const QString& nombre) {
        auto* b = w.findChild<QPushButton*>(nombre);
        QVERIFY2(b, qPrintable(nombre));
        QVERIFY2(b->isEnabled(), qPrintable(nombre));
        b->click();
    }

    static void asignarControles(FrmAddControles& ventana) {
        ventana.protocolo().fijarPausa(2);
        ventana.show();
        auto* lista = ventana.findChild<QAbstractItemView*>("LvEvaluados");
        auto* estado = ventana.findChild<QLabel*>("lblEstado2");
        auto* buscar = ventana.findChild<QPushButton*>("CmdAgregar");
        for (int fila = 0; fila < 3; ++fila) {
            lista->setCurrentIndex(lista->model()->index(fila, 0));
            QTRY_VERIFY(buscar->isEnabled());
            buscar->click();
            QTRY_COMPARE(estado->text(), QStringLiteral("Datos enviados exitosamente"));
        }
        pulsar(ventana, "Command1");
    }

    // Each examinee's key per question (0 = none); the panel's keypads follow the
    // numbered ones.
    static void rendirExamen(FrmInteligencia& ventana, ReceptorSimulado& receptor,
                             const QList<QList<char>>& teclas) {
        RelojDePrueba reloj;
        PanelControles panel(receptor);
        ventana.usarReloj(reloj);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        QCOMPARE(Globales::DuenoReceptor, qint16(2));
        QTest::keyClick(&ventana, Qt::Key_Space);
        int esperadas = 0;
        for (int q = 0; q < 3; ++q) {
            QCOMPARE(ventana.sesion().preguntaActual(), q);
            for (int k = 0; k < 3; ++k) {
                const char t = teclas.at(k).at(q);
                if (!t)
                    continue;
                pulsar(panel, QStringLiteral("Control%1Tecla%2").arg(k).arg(t));
                ++esperadas;
            }
            QTRY_COMPARE(ventana.sesion().teclasRecibidas(), esperadas);
            if (q == 0) // the title names the last key received
                QCOMPARE(ventana.findChild<QLabel*>("LblTitulo")->text(),
                         QStringLiteral("Control2Pregunta0Tecla%1").arg(teclas.at(2).at(0)));
            reloj.avanzar(16001);
            ventana.sesion().espera().actualizar();
        }
        QTRY_VERIFY(!ventana.isVisible());
    }

private Q_SLOTS:
    void deLaAsignacionAlRegistro() {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        De1& db = e.de1();
        crearExamen(db, 1, preguntasSimples(3)); // correct answers 1, 2, 3
        const qint64 responsable =
            db.insertar("Responsables", {{"NombreResponsable", "Operador"}}, "CodigoResponsable");
        const qint64 grupo = db.insertar("Grupos",
                                         {{"NroCurso", "C-1"},
                                          {"Responsable", responsable},
                                          {"Descripcion", "Sala de prueba"},
                                          {"Fecha", db.dialecto().fecha(QDate::currentDate())}},
                                         "CodigoGrupo");
        QList<qint32> personas;
        for (int i = 0; i < 3; ++i) {
            personas << crearPersona(db, QDate(1990, 1, 1),
                                     QStringLiteral("Evaluado %1").arg(i + 1));
            db.insertar("GruposPersonas", {{"Grupo", grupo}, {"Persona", personas.last()}},
                        "CodigoGrupoPersona");
        }

        ReceptorSimulado receptor;
        receptor.fijarDemoraBusqueda(5);
        receptor.fijarDemoraConfirmacion(5);
        fijarReceptorCompartido(&receptor);

        MenuPrincipal menu(db);
        bool examinado = false;
        menu.abrirModal = [&](QDialog& ventana) {
            if (auto* controles = qobject_cast<FrmAddControles*>(&ventana))
                asignarControles(*controles);
            else if (auto* sesion = qobject_cast<FrmInteligencia*>(&ventana)) {
                rendirExamen(*sesion, receptor, {{'1', '2', '3'}, {'1', 0, 0}, {'2', '2', '3'}});
                examinado = true;
            }
        };
        menu.show();
        pulsar(menu, "Image4");
        QSqlQuery remotos =
            db.ejecutar("SELECT Remoto FROM GruposPersonas ORDER BY CodigoGrupoPersona");
        for (int esperado : {3, 4, 5}) {
            QVERIFY(remotos.next());
            QCOMPARE(remotos.value(0).toInt(), esperado);
        }
        pulsar(menu, "Image6");
        QVERIFY(examinado);
        fijarReceptorCompartido(nullptr);

        QSqlQuery r = db.ejecutar(
            "SELECT c.Persona, c.Resultado, c.NumeroCarpetaCons, s.Valor, s.Percentil "
            "FROM Carpetas c JOIN DetalleExamenes d ON d.Carpeta = c.CodigoCarpeta "
            "JOIN Resultados s ON s.DetalleExamen = d.CodigoDetalleExamen ORDER BY c.Persona");
        const QList<QVariantList> esperado = {{personas[0], "Aprobado", 3, 0},
                                              {personas[1], "Reprobado", 1, 2},
                                              {personas[2], "Aprobado", 2, 1}};
        QStringList numeros;
        for (const QVariantList& fila : esperado) {
            QVERIFY(r.next());
            QCOMPARE(r.value(0).toInt(), fila[0].toInt());
            QCOMPARE(r.value(1).toString(), fila[1].toString());
            QCOMPARE(r.value(3).toInt(), fila[2].toInt());
            QCOMPARE(r.value(4).toInt(), fila[3].toInt());
            numeros << r.value(2).toString();
        }
        QVERIFY(!r.next());
        numeros.removeDuplicates();
        QCOMPARE(numeros.size(), 3);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta3"), QStringLiteral("3"));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta2"), QString());
        QCOMPARE(LeerIni("Evaluado3", "Pregunta1"), QStringLiteral("2"));

        // Every key kept with the results, and the results shown over the main window.
        QCOMPARE(contar(db, "RespuestasSesion"), 9);
        auto* resultados = menu.findChild<FrmResultados*>();
        QVERIFY(resultados);
        QTRY_VERIFY(resultados->isVisible());
        QVERIFY(resultados->isModal());
        auto* tabla = resultados->findChild<QTableView*>("LvResultados");
        QCOMPARE(tabla->model()->rowCount(), 3);
        QCOMPARE(tabla->model()->index(1, 6).data().toString(), QStringLiteral("Reprobado"));
        QCOMPARE(tabla->model()->index(2, 0).data().toString(), QStringLiteral("5"));
        resultados->findChild<QPushButton*>("CmdCerrar")->click();
        QTRY_VERIFY(!menu.findChild<FrmResultados*>());
    }
};

QTEST_MAIN(TestExamenCompleto)
#include "tst_examencompleto.moc"
