#include "LlenadoMasivo.h"

#include "AccesoDatos.h"
#include "BuscaArticulo.h"
#include "ColumnasArticulos.h"
#include "EtiquetaBalanza.h"
#include "Formatos.h"
#include "FrmVardelio.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Interaccion.h"
#include "LineasMarcadas.h"
#include "Regional.h"
#include "Registros.h"
#include "RutinaFormulario.h"
#include "Stock.h"
#include "Teclas.h"
#include "TextoCampo.h"
#include "ValoresConfiguracion.h"

#include <QFile>
#include <QGuiApplication>
#include <QScopeGuard>

namespace {

const QString kRutina = QStringLiteral("Especial");
// The file's lines whose balances one query reads: at most as many articles as an IN list holds.
constexpr int kBloqueStock = 500;

// The quantity a line shows: currency precision, then single precision, in the regional format.
QString TextoCantidad(const QVariant& valor) {
    const auto simple = static_cast<float>(UT().TextoAMoneda(UT().ValorCampo(valor)).ADoble());
    return Regional::TextoNumero(static_cast<double>(simple), 7);
}

void Completado() {
    interaccion().MsgBox(QStringLiteral("Proceso Completado!"), Estilo::SoloAceptar,
                         QGuiApplication::applicationDisplayName());
}

// The lines a bulk command did not take or left marked, told once it ended.
void Avisa(const LineasMarcadas::Aviso& aviso, const QString& encabezado) {
    if (!aviso.Vacio())
        interaccion().MsgBox(aviso.Texto(encabezado), Estilo::SoloAceptar | Estilo::Exclamacion,
                             QStringLiteral("Atención"));
}

} // namespace

bool LlenadoMasivo::Renglon(const Paso& paso) {
    for (;;) {
        try {
            paso();
            return true;
        } catch (const ErrorSistema& e) {
            UT().CursorEspera(false);
            const int respuesta = ErrorFormulario(e, kRutina);
            if (respuesta != Respuesta::Reintentar && respuesta != Respuesta::Ignorar)
                return false;
            UT().CursorEspera(true);
            if (respuesta == Respuesta::Ignorar)
                return true;
        }
    }
}

// What Cargar writes of an article, read once for all the deposit's balances.
struct LlenadoMasivo::ArticuloConSaldo {
    QString descripcion;
    QString unidad;      // IdUnidad (trimmed): the unit the balances taken are kept in
    QString claveUnidad; // IdUnidad as compared with a balance's unit; null never matches
    bool conUnidad = false;
    bool suspendido = false;
    QString impuestos;
    std::array<QString, 6> banderas; // Exento, UsaSerie, UsaLote, Perecedero, UsaTalle, InsumosPorPorcentaje
};

// While a bulk command runs, the window's other commands are disabled and the wait indication
// is on; both come back as they were, however the command ends.
class LlenadoMasivo::Proceso {
public:
    Proceso(FrmVardelio& f, bool& enProceso)
        : f_(f), enProceso_(enProceso), barra_(f.UtilVox1.Enabled()), cargar_(f.CmdCargar.Enabled()),
          especial_(f.CmdEspecial.Enabled()), despacho_(f.CmdDespacho.Enabled()),
          lista_(f.CmbLista.Enabled()), anclar_(f.ChkAnclar.Enabled()),
          codigoBarra_(f.ChkCodigoBarra.Enabled()),
          mensaje_(f.sbStatusBar.Panels(QStringLiteral("MENSAJE")).Text()) {
        for (size_t i = 0; i < f.TxtFields.size(); ++i)
            campos_[i] = f.TxtFields[i].Enabled();
        Habilita(false);
        enProceso_ = true;
        if (f_.alCambiarProceso)
            f_.alCambiarProceso(true);
        UT().CursorEspera(true);
    }
    ~Proceso() {
        UT().CursorEspera(false);
        enProceso_ = false;
        f_.UtilVox1.setEnabled(barra_);
        f_.CmdCargar.setEnabled(cargar_);
        f_.CmdEspecial.setEnabled(especial_);
        f_.CmdDespacho.setEnabled(despacho_);
        f_.CmbLista.setEnabled(lista_);
        f_.ChkAnclar.setEnabled(anclar_);
        f_.ChkCodigoBarra.setEnabled(codigoBarra_);
        for (size_t i = 0; i < f_.TxtFields.size(); ++i)
            f_.TxtFields[i].setEnabled(campos_[i]);
        f_.sbStatusBar.Panels(QStringLiteral("MENSAJE")).setText(mensaje_);
        if (f_.alCambiarProceso)
            f_.alCambiarProceso(false);
    }
    Proceso(const Proceso&) = delete;
    Proceso& operator=(const Proceso&) = delete;

private:
    void Habilita(bool h) {
        f_.UtilVox1.setEnabled(h);
        f_.CmdCargar.setEnabled(h);
        f_.CmdEspecial.setEnabled(h);
        f_.CmdDespacho.setEnabled(h);
        f_.CmbLista.setEnabled(h);
        f_.ChkAnclar.setEnabled(h);
        f_.ChkCodigoBarra.setEnabled(h);
        for (CajaTexto& c : f_.TxtFields)
            c.setEnabled(h);
    }

    FrmVardelio& f_;
    bool& enProceso_;
    bool barra_, cargar_, especial_, despacho_, lista_, anclar_, codigoBarra_;
    std::array<bool, 5> campos_{};
    QString mensaje_;
};

void LlenadoMasivo::MuestraProgreso(const QString& accion, int hechas, int total) {
    // The status bar holds every line's count; the window paints it at the pace of its yields.
    QString texto = accion + QLatin1Char(' ') + QString::number(hechas);
    if (total > 0)
        texto += QStringLiteral(" de ") + QString::number(total);
    f_.sbStatusBar.Panels(QStringLiteral("MENSAJE")).setText(texto);
    if (f_.cedeTurno)
        f_.cedeTurno();
}

// ---- Cargar ----

// A positive balance of the deposit, as Cargar writes it.
struct LlenadoMasivo::SaldoLeido {
    QString codigo;          // IdArticulo, trimmed
    QString relleno;         // the code filled to 25, as the master stores it
    QString clave;           // ClaveTexto of `relleno`
    bool sinRelleno = false; // stored otherwise than the master's fill
    QString descripcion;     // the balance's own, trimmed
    QVariant stock;
    QVariant equivalencia;
};

std::vector<LlenadoMasivo::SaldoLeido> LlenadoMasivo::LeeSaldos(const QString& deposito) {
    // Read whole when opened: a fetch that fails fails the opening, which Retry runs again, and
    // the lines' work keeps no read open.
    Registros rs;
    AlmacenStock::AbreSaldosPositivos(deposito, rs);
    const int codigo = rs.IndiceCampo(QStringLiteral("IdArticulo"));
    const int descripcion = rs.IndiceCampo(QStringLiteral("Descripcion"));
    const int stock = rs.IndiceCampo(QStringLiteral("Stock"));
    const int unidad = rs.IndiceCampo(QStringLiteral("Equivalencia"));
    std::vector<SaldoLeido> saldos;
    for (; !rs.Eof(); rs.MoveNext()) {
        SaldoLeido s;
        const QString guardado = TextoCampo(rs, codigo);
        s.codigo = guardado.trimmed();
        s.relleno = UT().RellenaCodigo(s.codigo, 25);
        s.clave = ClaveTexto(s.relleno);
        // Another program may store the code without the master's fill: it names the article all
        // the same.
        s.sinRelleno = guardado != s.relleno && ClaveTexto(guardado) != s.clave;
        s.descripcion = TextoCampoRecortado(rs, descripcion);
        s.stock = rs.Fields(stock);
        s.equivalencia = rs.Fields(unidad);
        saldos.push_back(std::move(s));
    }
    AD().CierraRecordset(rs);
    return saldos;
}

void LlenadoMasivo::TomaArticulos(Registros& rs, QHash<QString, ArticuloConSaldo>& articulos) {
    const int codigo = rs.IndiceCampo(QStringLiteral("IdArticulo"));
    const int descripcion = rs.IndiceCampo(QStringLiteral("Descripcion"));
    const int idUnidad = rs.IndiceCampo(QStringLiteral("IdUnidad"));
    const int impuestos = rs.IndiceCampo(QStringLiteral("Impuestos"));
    static const char* const banderas[6] = {"Exento",     "UsaSerie", "UsaLote",
                                            "Perecedero", "UsaTalle", "InsumosPorPorcentaje"};
    for (; !rs.Eof(); rs.MoveNext()) {
        ArticuloConSaldo a;
        a.descripcion = TextoCampoRecortado(rs, descripcion);
        const QVariant unidad = rs.Fields(idUnidad);
        a.conUnidad = !unidad.isNull();
        a.claveUnidad = ClaveTexto(UT().ValorATexto(unidad));
        // The balance is kept in the base unit: the stock unit beside it would read 144 units
        // as 144 packs.
        a.unidad = UT().ValorATexto(unidad).trimmed();
        a.suspendido = TextoBandera(rs, "SUSPENDIDO") == QLatin1String("-1");
        a.impuestos = TextoCampo(rs, impuestos);
        for (size_t i = 0; i < a.banderas.size(); ++i)
            a.banderas[i] = TextoBandera(rs, banderas[i]);
        articulos.insert(ClaveTexto(TextoCampo(rs, codigo)), a);
    }
    AD().CierraRecordset(rs);
}

void LlenadoMasivo::PoneSaldo(const SaldoLeido& saldo, const ArticuloConSaldo& a, const QString& deposito) {
    Grilla& g = f_.MSFlexGrid2;
    const int fila = g.Rows() - 1;
    g.setRow(fila);
    const auto pone = [&g, fila](int c, const QString& t) { g.setTextMatrix(fila, c, t); };
    pone(col::CodigoArticulo, saldo.codigo);
    pone(col::Descripcion, saldo.descripcion);
    pone(col::Cantidad, TextoCantidad(saldo.stock));
    pone(col::Descripcion, a.descripcion);
    pone(col::Unidad, a.unidad);
    pone(col::Impuestos, a.impuestos);
    static constexpr int columnas[6] = {col::EsExento,     col::PideSerie, col::PideLote,
                                        col::EsPerecedero, col::PideTalle, col::InsumosPorPorcentaje};
    for (size_t i = 0; i < a.banderas.size(); ++i)
        pone(columnas[i], a.banderas[i]);
    if (f_.pEsTransferencia)
        pone(col::Deposito, deposito);
    g.setRows(g.Rows() + 1);
}

bool LlenadoMasivo::Saldos(const QString& textoDeposito, LineasMarcadas::Aviso& aviso) {
    // The field's text may hold anything pasted into it: the store quotes it.
    const QString deposito = UT().RellenaCodigo(textoDeposito.trimmed(), 4);
    std::vector<SaldoLeido> saldos;
    // Ignored, the balances were not read: as a deposit without any.
    if (!Renglon([&] { saldos = LeeSaldos(deposito); }) || saldos.empty())
        return false;
    // One query for the articles of every balance: a look-up per balance would cost a round trip
    // per line of a warehouse of tens of thousands of articles. Ignored, no balance has one.
    QHash<QString, ArticuloConSaldo> articulos;
    bool conArticulos = false;
    if (!Renglon([&] {
            Registros rs;
            AlmacenStock::AbreArticulosConSaldo(deposito, rs);
            articulos.clear();
            TomaArticulos(rs, articulos);
            conArticulos = true;
        }))
        return false;
    const SinRedibujo sinRedibujo(f_.MSFlexGrid2);
    const int total = int(saldos.size());
    QSet<QString> buscados; // codes stored without the fill, looked up by the filled one
    QSet<QString> sinLeer;  // and those whose look-up was ignored
    bool sigue = true;
    for (size_t i = 0; sigue && i < saldos.size(); ++i) {
        const SaldoLeido& saldo = saldos[i];
        // A code stored without the fill is the master's article all the same, looked up by it.
        if (conArticulos && saldo.sinRelleno && !buscados.contains(saldo.clave)) {
            buscados.insert(saldo.clave);
            bool leido = false;
            sigue = Renglon([&] {
                Registros rs;
                AlmacenStock::AbreArticuloDeSaldo(saldo.relleno, rs);
                TomaArticulos(rs, articulos);
                leido = true;
            });
            if (!leido)
                sinLeer.insert(saldo.clave);
        }
        if (sigue)
            sigue = Renglon([&] {
                if (!conArticulos || sinLeer.contains(saldo.clave)) {
                    aviso.Agrega(QStringLiteral("Artículo ") + saldo.codigo,
                                 QStringLiteral("no se pudo leer"));
                    return;
                }
                const auto a = articulos.constFind(saldo.clave);
                // A balance in another unit than the article's base unit, or of an article the
                // master lacks, is no line; a suspended article is refused as typing refuses it.
                if (a == articulos.cend() || !a->conUnidad || saldo.equivalencia.isNull() ||
                    a->claveUnidad != ClaveTexto(UT().ValorATexto(saldo.equivalencia)))
                    return;
                if (a->suspendido)
                    aviso.Agrega(QStringLiteral("Artículo ") + saldo.codigo, QStringLiteral("dado de baja"));
                else
                    PoneSaldo(saldo, *a, textoDeposito);
            });
        MuestraProgreso(QStringLiteral("Cargando stock:"), int(i) + 1, total);
    }
    return sigue;
}

void LlenadoMasivo::LlenaConSaldos(const QString& textoDeposito) {
    const Proceso proceso(f_, enProceso_);
    LineasMarcadas::Aviso aviso;
    if (Saldos(textoDeposito, aviso))
        Completado();
    Avisa(aviso, QStringLiteral("Estos artículos del depósito no se cargaron:"));
}

// ---- Importar ----

void LlenadoMasivo::LeeStockImportado(LectorImportacion adelante, int lineas) {
    stockImportado_.reset();
    if (gUsaStockUdKg)
        return; // weighed units count elsewhere: each line asks
    StockImportado s;
    QStringList codigos;
    for (int n = 0; n < lineas; ++n) {
        if (n > 0 && !adelante.Siguiente())
            break;
        try {
            const std::optional<LineaImportada> linea = adelante.Linea();
            if (!linea)
                continue;
            QString codigo = linea->codigo;
            // A label's article as its digits give it; a code found otherwise asks at its line.
            if (linea->etiqueta)
                if (const auto e = LeeEtiquetaBalanza(codigo, gTipoEAN, gDecimalesEAN); e && e->decodificada)
                    codigo = e->codigo;
            const QString relleno = UT().RellenaCodigo(codigo.trimmed(), 25);
            if (codigo.trimmed().isEmpty() || s.articulos.contains(ClaveTexto(relleno)))
                continue;
            s.articulos.insert(ClaveTexto(relleno));
            codigos << relleno;
        } catch (const ErrorSistema&) {
            // The line reports it when its turn comes.
        }
    }
    if (codigos.isEmpty())
        return;
    try {
        for (const QString& lista : AlmacenStock::ListasIn(codigos))
            AlmacenStock::LeeSaldosTotales(lista, s.saldos);
        stockImportado_ = std::move(s);
    } catch (const ErrorSistema&) {
        // Not read: each line asks, and reports what fails.
    }
}

bool LlenadoMasivo::SaldoImportado(const QString& deposito, const QString& articulo, const QString& unidad,
                                   double& saldo) const {
    if (!stockImportado_ || !deposito.trimmed().isEmpty() || articulo.trimmed().isEmpty())
        return false;
    const QString relleno = UT().RellenaCodigo(articulo, 25);
    if (!stockImportado_->articulos.contains(ClaveTexto(relleno)))
        return false;
    // No balance reads as none, as the query's empty sum does.
    saldo =
        stockImportado_->saldos.value(AlmacenStock::ClaveSaldo(relleno, UT().RellenaCodigo(unidad, 4)), 0.0);
    return true;
}

// What the import reads of an article.
struct LlenadoMasivo::ArticuloImportado {
    QString codigo; // as stored, with its fill blanks
    QString descripcion;
    QString unidad;
    QString costo;
    bool suspendido = false;
};

namespace {

// Why a file line was not taken or was marked; empty when it went in as it came.
QString Motivo(bool existe, const LineaImportada& linea) {
    const QString cantidad = linea.cantidadNumero ? QString()
                                                  : QStringLiteral("la cantidad \"") + linea.cantidadArchivo +
                                                        QStringLiteral("\" no es un número");
    if (existe && cantidad.isEmpty())
        return {};
    const QString por = existe ? cantidad
                               : QStringLiteral("el artículo no existe") +
                                     (cantidad.isEmpty() ? QString() : QStringLiteral(" y ") + cantidad);
    return por + QStringLiteral("; quedó marcada");
}

} // namespace

void LlenadoMasivo::MarcaInexistente(int fila, const QString& descripcion) {
    Grilla& g = f_.MSFlexGrid2;
    g.setTextMatrix(fila, col::Descripcion, descripcion);
    g.setTextMatrix(fila, col::Unidad, LineasMarcadas::Inexistente());
    g.setRow(fila);
    g.setCol(col::Descripcion);
    g.setCellBackColor(LineasMarcadas::ColorMarca);
    // The marked line stays; the next line of the file goes to a new row.
    g.setRows(g.Rows() + 1);
}

void LlenadoMasivo::ComprometeCantidad(int fila, const QString& cantidad) {
    Grilla& g = f_.MSFlexGrid2;
    g.setTextMatrix(fila, col::Cantidad, cantidad);
    f_.MueveCelda(fila, col::Cantidad);
    f_.MSFlexGrid2_DblClick();
    f_.txtEdit2.setText(UT().TextoAMoneda(cantidad).EsCero() ? QStringLiteral("1") : cantidad);
    f_.txtEdit2_Change();
    qint16 enter = tecla::Enter;
    f_.txtEdit2_KeyDown(enter);
    if (g.Rows() - 1 != fila)
        return;
    // Refused (its message shown): the line keeps what the file gave, and the next one does not
    // overwrite it.
    f_.txtEdit2.setVisible(false);
    if (f_.Foco().Actual() == QLatin1String("txtEdit2"))
        f_.Foco().SetFocus(QStringLiteral("MSFlexGrid2"));
    g.setRows(g.Rows() + 1);
}

bool LlenadoMasivo::LeeArticuloImportado(const QString& codigo, ArticuloImportado& articulo) {
    Registros rs;
    // The code comes from a file: the store quotes it.
    AlmacenStock::AbreArticulo(codigo, rs);
    const bool existe = !rs.Eof();
    if (existe)
        articulo = ArticuloDe(rs, QString(), "IdUnidad");
    AD().CierraRecordset(rs);
    return existe;
}

LlenadoMasivo::ArticuloImportado LlenadoMasivo::ArticuloDe(const Registros& rs, const QString& codigo,
                                                           const char* campoUnidad) {
    return {codigo, TextoCampoRecortado(rs, "Descripcion"), TextoCampoRecortado(rs, campoUnidad),
            TextoCampoRecortado(rs, "Costo"), TextoBandera(rs, "SUSPENDIDO") == QLatin1String("-1")};
}

QString LlenadoMasivo::ImportaLinea(const LineaImportada& linea) {
    Grilla& g = f_.MSFlexGrid2;
    const int fila = g.Rows() - 1;
    g.setRow(fila);
    QString codigo = linea.codigo;
    // A quantity that is no number stays as the file wrote it, for the user to correct.
    QString cantidad = linea.cantidadNumero ? linea.cantidad : linea.cantidadArchivo;
    QString descripcion = linea.descripcion;
    const bool porCodigoBarra = f_.ChkCodigoBarra.Value() == 1;
    // A label's article as its search read it.
    ArticuloImportado delaEtiqueta;
    const auto busca = [&](QString& buscado, QString& hallada, double& deEtiqueta) {
        Registros rs;
        bool modo = porCodigoBarra;
        QString udBase;
        QString prefijo;
        Moneda importe;
        qint16 aviso = 0;
        const bool hallado = BuscaArticulo(buscado, rs, true, modo, hallada, QString(), udBase, QString(),
                                           deEtiqueta, importe, prefijo, QString(), aviso);
        if (hallado && linea.etiqueta && !rs.Eof())
            delaEtiqueta = ArticuloDe(rs, TextoCampo(rs, "IdArticulo"), "UDBASE");
        AD().CierraRecordset(rs);
        return hallado;
    };
    if (linea.etiqueta) {
        // A scale label (or any code the search reads): the article and the label's quantity.
        QString buscado = codigo;
        double deEtiqueta = 0;
        if (!busca(buscado, descripcion, deEtiqueta)) {
            g.setTextMatrix(fila, col::CodigoArticulo, codigo.trimmed());
            g.setTextMatrix(fila, col::Cantidad, QStringLiteral("0"));
            MarcaInexistente(fila, QString());
            return Motivo(false, linea);
        }
        codigo = buscado.trimmed();
        cantidad = Regional::TextoNumero(static_cast<double>(static_cast<float>(deEtiqueta)), 7);
    }
    // A label's article stored under the very code looked up is the row the search just read.
    if (delaEtiqueta.codigo.isEmpty() || delaEtiqueta.codigo != UT().RellenaCodigo(codigo.trimmed(), 25)) {
        if (!LeeArticuloImportado(codigo, delaEtiqueta)) {
            g.setTextMatrix(fila, col::CodigoArticulo, codigo.trimmed());
            g.setTextMatrix(fila, col::Cantidad, cantidad);
            MarcaInexistente(fila, descripcion.trimmed());
            return Motivo(false, linea);
        }
    }
    // Typing refuses a suspended article: the file's line is not taken either.
    if (delaEtiqueta.suspendido)
        return QStringLiteral("el artículo fue dado de baja; no se tomó");
    g.setTextMatrix(fila, col::Cantidad, cantidad);
    g.setTextMatrix(fila, col::Descripcion, delaEtiqueta.descripcion);
    g.setTextMatrix(fila, col::Unidad, delaEtiqueta.unidad);
    g.setTextMatrix(fila, col::Importe, delaEtiqueta.costo);
    g.setTextMatrix(fila, col::CodigoArticulo, codigo.trimmed());
    g.setTextMatrix(fila, col::Descripcion, descripcion.trimmed());
    // Outside bar-code mode the search would find this same article by its code first: its
    // description is the one just read.
    if (descripcion.trimmed().isEmpty() && !linea.etiqueta && !porCodigoBarra) {
        g.setTextMatrix(fila, col::Descripcion, delaEtiqueta.descripcion);
    } else if (descripcion.trimmed().isEmpty() && !linea.etiqueta) {
        QString buscado = codigo.trimmed();
        QString hallada;
        double deEtiqueta = 0;
        if (busca(buscado, hallada, deEtiqueta))
            g.setTextMatrix(fila, col::Descripcion, hallada.trimmed());
    }
    if (!linea.cantidadNumero) {
        // Never committed as 1: the line keeps its article, marked, and the next goes below.
        LineasMarcadas::Marca(g, fila);
        g.setRows(g.Rows() + 1);
        return Motivo(true, linea);
    }
    ComprometeCantidad(fila, cantidad);
    return {};
}

bool LlenadoMasivo::Archivo(const QString& ruta, const FormatoImportacion& formato,
                            LineasMarcadas::Aviso& aviso) {
    QByteArray contenido;
    const bool leido = Renglon([&] {
        QFile archivo(ruta);
        if (!archivo.open(QIODevice::ReadOnly))
            throw ErrorSistema(53, QStringLiteral("No se encontró el archivo: ") + ruta, kRutina);
        contenido = archivo.readAll();
        if (archivo.error() != QFileDevice::NoError)
            throw ErrorSistema(75, QStringLiteral("Error de acceso a la ruta o el archivo: ") + ruta,
                               kRutina);
    });
    if (!leido)
        return false;
    LectorImportacion lector(contenido, formato);
    contenido.clear();
    const auto sinStock = qScopeGuard([this] { stockImportado_.reset(); });
    int conStockHasta = 0;
    while (lector.Siguiente()) {
        if (lector.NumeroLinea() > conStockHasta) {
            LeeStockImportado(lector, kBloqueStock);
            conStockHasta = lector.NumeroLinea() + kBloqueStock - 1;
        }
        std::optional<LineaImportada> linea;
        QString motivo;
        const bool sigue = Renglon([&] {
            linea.reset();
            motivo.clear();
            linea = lector.Linea();
            if (linea)
                motivo = ImportaLinea(*linea);
        });
        if (!sigue)
            return false;
        if (linea && !motivo.isEmpty())
            aviso.Agrega(QStringLiteral("Línea %1 (%2)").arg(lector.NumeroLinea()).arg(linea->codigo),
                         motivo);
        // A skipped line costs no yield.
        if (linea)
            MuestraProgreso(QStringLiteral("Importando línea"), lector.NumeroLinea(), lector.TotalLineas());
    }
    // The count ends at the file's last line, also when that line was skipped.
    if (lector.TotalLineas() > 0)
        MuestraProgreso(QStringLiteral("Importando línea"), lector.TotalLineas(), lector.TotalLineas());
    return true;
}

void LlenadoMasivo::LlenaConArchivo(const QString& ruta, const FormatoImportacion& formato) {
    const Proceso proceso(f_, enProceso_);
    LineasMarcadas::Aviso aviso;
    if (Archivo(ruta, formato, aviso))
        Completado();
    Avisa(aviso, QStringLiteral("Estas líneas del archivo no se tomaron o quedaron marcadas:"));
}
