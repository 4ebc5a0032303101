#include "PosicionesArticulo.h"

#include "AccesoDatos.h"
#include "CantidadesLinea.h"
#include "ErrorSistema.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "NivelesLayout.h"
#include "Recorte.h"
#include "Registros.h"
#include "Utilidades.h"

#include <QSet>
#include <functional>

namespace {

bool Protegido(std::initializer_list<Paso> pasos) {
    return EjecutaPasos(pasos, [](const ErrorSistema& e) {
        return UT().RegistraErrorFormulario(e, QStringLiteral("Abrir Recordset"));
    });
}

QString Campo(const Registros& rs, const QString& nombre) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(nombre)));
}

// The candidates found so far, in the array shape of the pipe lists (one empty slot at the end).
class Candidatas {
public:
    Candidatas(QStringList& posiciones, const QString& excluida)
        : posiciones_(posiciones), excluida_(ClaveTexto(excluida)) {}

    // Appends the positions the statement returns; false when the user left.
    bool Agrega(const QString& sql) {
        Registros rs;
        bool sigue = Protegido({[&] { AD().ObtieneRecordset(sql, rs); }});
        while (sigue && rs.State() == 1 && !rs.Eof())
            sigue = Protegido(
                {[&] { Considera(Campo(rs, QStringLiteral("idposicion"))); }, [&] { rs.MoveNext(); }});
        AD().CierraRecordset(rs);
        return sigue;
    }
    bool Encontrada() const { return encontrada_; }

private:
    void Considera(const QString& codigo) {
        const QString clave = ClaveTexto(codigo);
        if (clave == excluida_ || vistas_.contains(clave))
            return;
        vistas_.insert(clave);
        posiciones_.insert(posiciones_.size() - 1, codigo);
        encontrada_ = true;
    }

    QStringList& posiciones_;
    QString excluida_;
    QSet<QString> vistas_;
    bool encontrada_ = false;
};

struct ArticuloPosiciones {
    QString articulo, familia, tipo, rubro;
};

// The reservation conditions in their order: article, family, each parent family, type, rubro.
// The family levels are loaded when the chain is reached; false when the user left there.
bool Busca(const ArticuloPosiciones& a, const std::function<bool(const QString&)>& busca) {
    if (!busca("ma_posiciones.IdArticulo = " + LiteralSql(UT().RellenaCodigo(a.articulo, 25))) ||
        !busca("ma_posiciones.IdFamilia = " + LiteralSql(a.familia)))
        return false;
    if (!Protegido({[] { CargaNivelesFamilia(); }, [] { CargaFinNivelesFamilia(); }}))
        return false;
    // Each parent is shorter than its child; levels that do not grow would repeat the code forever.
    for (QString familia = a.familia;;) {
        const QString padre = ObtieneFamiliaPadre(familia);
        if (padre.isEmpty() || padre.size() >= familia.size())
            break;
        if (!busca("ma_posiciones.IdFamilia = " + LiteralSql(padre)))
            return false;
        familia = padre;
    }
    // Types and rubros are stored filled to their width, as every code of that width.
    return busca("ma_posiciones.IdTipo = " + LiteralSql(UT().RellenaCodigo(a.tipo, 4))) &&
           busca("ma_posiciones.IdRubro= " + LiteralSql(UT().RellenaCodigo(a.rubro, 4)));
}

} // namespace

QString SqlPosicionesReservadas(const QString& condicion, const QString& deposito) {
    return "SELECT ma_posiciones.idposicion  FROM ma_posiciones  left join  ac_saldoslayout on "
           " ma_posiciones.IdDeposito = ac_saldoslayout.IdDeposito and ma_posiciones.idposicion= "
           "ac_saldoslayout.idposicion where  " +
           condicion + "  AND ma_posiciones.idDeposito = " + LiteralSql(deposito) +
           " AND MA_POSICIONES.TITULO=0  order by ma_posiciones.ordeningreso, ma_posiciones.idposicion  ";
}

QString SqlPosicionesLibres(const QString& deposito) {
    return " SELECT iddeposito,idposicion, idunidad ,capacidad  FROM  ma_posiciones where  idDeposito = " +
           LiteralSql(deposito) +
           " and idarticulo is null and idtipo is null and idrubro is null and idfamilia is null AND "
           "MA_POSICIONES.TITULO=0 order by ordeningreso, idposicion ";
}

void ObtienePosicionesArticulo(const QString& articulo, const QString& deposito, QStringList& posiciones,
                               const QString& excluida) {
    posiciones = QStringList{QString()};
    Candidatas candidatas(posiciones, excluida);
    Registros rs;
    bool existe = false;
    ArticuloPosiciones a;
    const bool sigue = Protegido({[&] {
                                      existe = AD().ExisteRegistro(QStringLiteral("V_MA_ARTICULOS"),
                                                                   UT().RellenaCodigo(articulo, 25),
                                                                   QStringLiteral("IdArticulo"), &rs);
                                  },
                                  [&] {
                                      if (!existe)
                                          return;
                                      a.articulo = Campo(rs, QStringLiteral("IdArticulo"));
                                      a.familia = RecortaBlancos(Campo(rs, QStringLiteral("IdFamilia")));
                                      a.tipo = Campo(rs, QStringLiteral("IdTipo"));
                                      a.rubro = Campo(rs, QStringLiteral("idrubro"));
                                  },
                                  [&] { AD().CierraRecordset(rs); }});
    if (!sigue || !existe)
        return;
    const auto busca = [&](const QString& condicion) {
        return candidatas.Agrega(SqlPosicionesReservadas(condicion, deposito));
    };
    if (Busca(a, busca) && !candidatas.Encontrada())
        candidatas.Agrega(SqlPosicionesLibres(deposito));
}
