// The main window on an office laptop (1366 x 768, English workstation) with the
// demo office's data: columns fit their content, dates in Spanish.
#include "EntornoPrueba.h"
#include "PuestoPrueba.h"
#include "SemillaDemo.h"
#include "Ventanas.h"
#include "app/Idioma.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "groups/ventanas/NombresMenuPrincipal.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>

namespace {

// No sideways scrolling, no header cut, the columns filling the list exactly;
// each column but `elastica` as wide as its content unless `holgura` is false;
// and every text, cut or not, whole in its tool tip.
void comprobarColumnas(QTreeView* v, int elastica, bool holgura) {
    QHeaderView* h = v->header();
    QVERIFY(v->model()->rowCount() > 0);
    QVERIFY2(!v->horizontalScrollBar()->isVisible(), qPrintable(v->objectName()));
    int total = 0;
    for (int c = 0; c < h->count(); ++c) {
        const QString caso = v->objectName() + u' ' + QString::number(c);
        total += h->sectionSize(c);
        QVERIFY2(h->sectionSize(c) >= h->sectionSizeHint(c), qPrintable(caso));
        const QAbstractItemView* lista = v;
        if (holgura && c != elastica)
            QVERIFY2(h->sectionSize(c) >= lista->sizeHintForColumn(c), qPrintable(caso));
        for (int f = 0; f < v->model()->rowCount(); ++f) {
            const QModelIndex i = v->model()->index(f, c);
            if (!i.data().toString().isEmpty())
                QCOMPARE(i.data(Qt::ToolTipRole).toString(), i.data().toString());
        }
    }
    QCOMPARE(total, v->viewport()->width());
}

} // namespace

class TestMenuEnPuesto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnasYFechasEnUnaPantallaPequena() {
        EntornoPrueba e;
        SemillaDemo::sembrar(e.de1(), e.carpetaPlantillas());
        idioma::fijarPredeterminado();
        MenuPrincipal m(e.de1(), 0);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QVERIFY(m.screen()->availableGeometry().contains(m.frameGeometry()));
        auto* grupos = hijo<QTreeView>(m, nombres::menuPrincipal::kGrupos);
        auto* evaluados = hijo<QTreeView>(m, nombres::menuPrincipal::kEvaluados);

        // Newest group first, dated five days ago, in Spanish whatever the workstation.
        const QDate fecha = QDate::currentDate().addDays(-5);
        QCOMPARE(grupos->model()->index(0, 2).data().toString(),
                 QString("%1/%2/%3")
                     .arg(fecha.day())
                     .arg(fecha.month())
                     .arg(fecha.year() % 100, 2, 10, QChar(u'0')));

        comprobarColumnas(grupos, 3, true);
        comprobarColumnas(evaluados, 1, true);

        // Narrower: names give way, elided, before any header or the scroll bar.
        m.resize(1040, m.height());
        QTRY_COMPARE(m.width(), 1040);
        comprobarColumnas(grupos, 3, false);
        comprobarColumnas(evaluados, 1, false);
        QVERIFY(grupos->header()->sectionSize(4) <
                static_cast<const QAbstractItemView*>(grupos)->sizeHintForColumn(4));
    }
};

TAVELMO_MAIN_PUESTO(TestMenuEnPuesto)
#include "tst_menuenpuesto.moc"
