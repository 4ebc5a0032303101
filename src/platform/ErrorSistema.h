#pragma once

#include <QString>
#include <QtGlobal>
#include <exception>
#include <functional>
#include <initializer_list>
#include <vector>

// The system's errors: a number, a description and the routine that raised it. Every
// procedure that traps its own errors catches this type.
class ErrorSistema : public std::exception {
public:
    ErrorSistema(long numero, QString descripcion, QString origen = {})
        : numero_(numero), descripcion_(std::move(descripcion)), origen_(std::move(origen)),
          utf8_(descripcion_.toUtf8()) {}

    long Numero() const { return numero_; }
    const QString& Descripcion() const { return descripcion_; }
    const QString& Origen() const { return origen_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    long numero_;
    QString descripcion_;
    QString origen_;
    QByteArray utf8_;
};

// Answers of an error report, with the system's numeric values.
namespace Respuesta {
constexpr int Aceptar = 1;
constexpr int Cancelar = 2;
constexpr int Abortar = 3;
constexpr int Reintentar = 4;
constexpr int Ignorar = 5;
constexpr int Si = 6;
constexpr int No = 7;
} // namespace Respuesta

// An error report answered by the user: counted when the answer leaves the failing procedure
// (neither Reintentar nor Ignorar), and returned. A procedure that calls routines with error
// exits of their own tells by the count that the user chose to stop in one of them.
int AnotaRespuesta(int respuesta);
// The reports left that way so far in this process.
quint64 Abandonos();

// Errors raised by the standard library or Qt, as the system's own (number -1).
ErrorSistema ComoErrorSistema(const std::exception& e);

// Which errors a statement's runner reports: all, or only the system's own (the others leave
// the runner as they came).
enum class ErroresReportados { Todos, DelSistema };

// Runs one statement. When it raises, `reportador` is asked: Reintentar runs it again,
// Ignorar goes on, any other answer leaves. Returns false when the answer was to leave. The
// statement is called as it is, never wrapped in a std::function.
template <ErroresReportados reportados = ErroresReportados::Todos, class F, class R>
bool EjecutaPaso(F&& paso, const R& reportador) {
    for (;;) {
        int respuesta;
        try {
            paso();
            return true;
        } catch (const ErrorSistema& e) {
            respuesta = reportador(e);
        } catch (const std::exception& e) {
            if constexpr (reportados == ErroresReportados::DelSistema)
                throw;
            else
                respuesta = reportador(ComoErrorSistema(e));
        }
        if (respuesta != Respuesta::Reintentar)
            return respuesta == Respuesta::Ignorar;
    }
}

// Runs a procedure's statements in order. When one raises, `reportador` is asked:
// Reintentar runs the same statement again, Ignorar goes on with the next one, any
// other answer leaves. Returns true when the last statement was reached and ran (or
// was skipped); false when the procedure was left.
using Paso = std::function<void()>;
using Reportador = std::function<int(const ErrorSistema&)>;

bool EjecutaPasos(std::initializer_list<Paso> pasos, const Reportador& reportador);
bool EjecutaPasos(const std::vector<Paso>& pasos, const Reportador& reportador);

// The answer of procedures that skip every failing statement silently.
inline int SiempreSiguiente(const ErrorSistema&) {
    return Respuesta::Ignorar;
}
