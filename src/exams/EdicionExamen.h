#pragma once
// What the exam editor holds while it is open: the question and answer entries
// with their list keys, their catalog codes, their pictures and what was removed.
// Nothing here touches the catalog; RepositorioExamenes reads and stores it.

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class EdicionExamen {
public:
    // Side of a question's picture, in pixels: pictures are stretched to it.
    static constexpr int kLadoFoto = 177;

    enum class Resultado {
        Hecho,
        TextoVacio,  // the text, trimmed, is empty
        ListaVacia,  // nothing listed to change or remove
        Duplicada,   // another listed entry has exactly this text
        SinPregunta, // answers need a selected question
        SinRespuesta // no answer is selected
    };

    struct Pregunta {
        QString texto;
        std::optional<qint32> codigo; // empty while not stored ("new")
        QString clave;                // "K" + position among the entries, never reused
        QImage foto;                  // the square; null until one is chosen or loaded
        bool quitada = false;         // removed entries stay, with an empty text
        QString etiqueta() const;     // the code, or "new"
    };

    struct Respuesta {
        QString texto;
        std::optional<qint32> codigo;
        QString clave;
        bool correcta = false;
        QString clavePregunta;
        bool quitada = false;
        QString etiqueta() const;
    };

    QString descripcion;

    // Entries read from the catalog, in their order. The last question loaded
    // becomes the selected one.
    QString cargarPregunta(const QString& texto, qint32 codigo, const QImage& foto);
    void cargarRespuesta(const QString& clavePregunta, const QString& texto, qint32 codigo,
                         bool correcta);

    Resultado agregarPregunta(const QString& texto);
    Resultado corregirPregunta(const QString& texto);
    // ListaVacia or Hecho: whether there is a question to remove (the window asks
    // for confirmation between the check and quitarPregunta).
    Resultado puedeQuitarPregunta() const;
    void quitarPregunta();

    Resultado agregarRespuesta(const QString& texto, bool correcta);
    Resultado corregirRespuesta(const QString& texto, bool correcta);
    Resultado puedeQuitarRespuesta() const;
    void quitarRespuesta();

    // Stretches the picture, without keeping its proportions, into the selected
    // question's square. False when there is no selected question or no picture.
    bool fijarFoto(const QImage& original);
    // The picture as stored: the square, blank when none was chosen.
    static QImage cuadrado(const QImage& original);

    // The selected question; selecting one clears the selected answer.
    bool seleccionarPregunta(const QString& clave);
    bool seleccionarRespuesta(const QString& clave);
    const Pregunta* preguntaSeleccionada() const;
    const Respuesta* respuestaSeleccionada() const;

    // Indexes into preguntas()/respuestas() of what the lists show: the questions
    // kept, and the kept answers of the selected question.
    QList<int> preguntasListadas() const;
    QList<int> respuestasListadas() const;
    QList<int> respuestasDe(const QString& clavePregunta) const;

    const QList<Pregunta>& preguntas() const { return preguntas_; }
    const QList<Respuesta>& respuestas() const { return respuestas_; }

    // Texts of the kept questions that have no answer or not exactly one correct
    // answer: such a question cannot be scored as intended.
    QStringList preguntasDudosas() const;

private:
    int indicePregunta(const QString& clave) const;
    int indiceRespuesta(const QString& clave) const;
    bool preguntaListada(const QString& texto, int excepto) const;
    bool respuestaListada(const QString& texto, int excepto) const;
    // After a removal the neighbour in the list takes the selection.
    static int vecina(const QList<int>& listados, int quitado);

    QList<Pregunta> preguntas_;
    QList<Respuesta> respuestas_;
    int preguntaSel_ = -1;
    int respuestaSel_ = -1;
};
