#include "app/ventanas/ColumnasAjustadas.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <numeric>

namespace {

class AjusteColumnas : public QObject {
public:
    AjusteColumnas(QTreeView* vista, int elastica)
        : QObject(vista), vista_(vista), elastica_(elastica) {
        vista_->header()->setStretchLastSection(false);
        vista_->viewport()->installEventFilter(this);
        QAbstractItemModel* m = vista_->model();
        connect(m, &QAbstractItemModel::modelReset, this, [this] { aplicar(); });
        connect(m, &QAbstractItemModel::layoutChanged, this, [this] { aplicar(); });
        connect(m, &QAbstractItemModel::rowsInserted, this, [this] { aplicar(); });
        connect(m, &QAbstractItemModel::rowsRemoved, this, [this] { aplicar(); });
        connect(m, &QAbstractItemModel::dataChanged, this, [this] { aplicar(); });
        aplicar();
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Resize)
            aplicar();
        return QObject::eventFilter(objeto, evento);
    }

private:
    void aplicar() {
        QHeaderView* h = vista_->header();
        const int n = h->count();
        if (n == 0 || elastica_ < 0 || elastica_ >= n)
            return;
        QList<int> necesita(n, 0), minimo(n, 0);
        for (int i = 0; i < n; ++i) {
            if (h->isSectionHidden(i))
                continue;
            const int cabecera = vista_->isHeaderHidden() ? 0 : h->sectionSizeHint(i);
            minimo[i] = std::max(cabecera, h->minimumSectionSize());
            // QTreeView keeps its own (content-measuring) override protected.
            const QAbstractItemView* lista = vista_;
            necesita[i] = std::max(minimo[i], lista->sizeHintForColumn(i));
        }
        const int disponible = vista_->viewport()->width();
        QList<int> anchos = necesita;
        const int total = std::accumulate(necesita.begin(), necesita.end(), 0);
        if (total <= disponible) {
            anchos[elastica_] += disponible - total;
        } else {
            // The elastic column gives way first, then the widest of the others
            // are cut to one common width, as little as makes them fit.
            anchos[elastica_] =
                std::max(minimo[elastica_], necesita[elastica_] - (total - disponible));
            const int resto = disponible - anchos[elastica_];
            auto con = [&](int nivel) {
                int suma = 0;
                for (int i = 0; i < n; ++i)
                    if (i != elastica_)
                        suma += std::max(minimo[i], std::min(necesita[i], nivel));
                return suma;
            };
            int bajo = 0;
            int alto = *std::max_element(necesita.begin(), necesita.end());
            while (bajo < alto) {
                const int medio = (bajo + alto + 1) / 2;
                if (con(medio) <= resto)
                    bajo = medio;
                else
                    alto = medio - 1;
            }
            int usado = 0;
            for (int i = 0; i < n; ++i)
                if (i != elastica_)
                    usado += anchos[i] = std::max(minimo[i], std::min(necesita[i], bajo));
            anchos[elastica_] = std::max(anchos[elastica_], disponible - usado);
        }
        for (int i = 0; i < n; ++i)
            if (!h->isSectionHidden(i) && h->sectionSize(i) != anchos[i])
                h->resizeSection(i, anchos[i]);
    }

    QTreeView* vista_;
    int elastica_;
};

} // namespace

void ajustarColumnasAlContenido(QTreeView* vista, int elastica) {
    new AjusteColumnas(vista, elastica);
}
