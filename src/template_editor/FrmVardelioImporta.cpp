// Lines in bulk: the whole stock of the origin deposit (Cargar) and the lines of a text file
// (Importar). Both yield after every line and report a failing line under "Especial": Retry
// runs the line again, Ignore skips it, any other answer ends the command with what was done.

#include "AccesoDatos.h"
#include "BuscaArticulo.h"
#include "ColumnasArticulos.h"
#include "EtiquetaBalanza.h"
#include "FrmVardelio.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Regional.h"
#include "Registros.h"
#include "Stock.h"
#include "Teclas.h"
#include "TextoCampo.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>

namespace {

constexpr int kCian = 16776960;
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
                         QCoreApplication::applicationName());
}

// Runs one line of a bulk command: a failure is reported with the wait indication off; Retry
// runs the line again, Ignore skips it. False when the user ended the command.
bool Renglon(const Paso& paso) {
    for (;;) {
        try {
            paso();
            return true;
        } catch (const ErrorSistema& e) {
            UT().CursorEspera(false);
            const int respuesta = FrmVardelio::ErrorFormulario(e, kRutina);
            if (respuesta != Respuesta::Reintentar && respuesta != Respuesta::Ignorar)
                return false;
            UT().CursorEspera(true);
            if (respuesta == Respuesta::Ignorar)
                return true;
        }
    }
}

} // namespace

// What the load writes of an article, read once for all the deposit's balances.
struct FrmVardelio::ArticuloCarga {
    QString descripcion;
    QString unidad;      // UD_STOCK when set, else IdUnidad (trimmed)
    QString claveUnidad; // IdUnidad as compared with a balance's unit; null never matches
    bool conUnidad = false;
    QString impuestos;
    std::array<QString, 6> banderas; // Exento, UsaSerie, UsaLote, Perecedero, UsaTalle, InsumosPorPorcentaje
};

// While a bulk command runs, the window's other commands are disabled and the wait indication
// is on; both come back as they were, however the command ends.
class FrmVardelio::ProcesoMasivo {
public:
    explicit ProcesoMasivo(FrmVardelio& f)
        : f_(f), barra_(f.UtilVox1.Enabled()), cargar_(f.CmdCargar.Enabled()),
          especial_(f.CmdEspecial.Enabled()), despacho_(f.CmdDespacho.Enabled()),
          lista_(f.CmbLista.Enabled()), anclar_(f.ChkAnclar.Enabled()),
          codigoBarra_(f.ChkCodigoBarra.Enabled()),
          mensaje_(f.sbStatusBar.Panels(QStringLiteral("MENSAJE")).Text()) {
        for (size_t i = 0; i < f.TxtFields.size(); ++i)
            campos_[i] = f.TxtFields[i].Enabled();
        Habilita(false);
        f_.enProceso_ = true;
        if (f_.alCambiarProceso)
            f_.alCambiarProceso(true);
        UT().CursorEspera(true);
    }
    ~ProcesoMasivo() {
        UT().CursorEspera(false);
        f_.enProceso_ = false;
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
    ProcesoMasivo(const ProcesoMasivo&) = delete;
    ProcesoMasivo& operator=(const ProcesoMasivo&) = delete;

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
    bool barra_, cargar_, especial_, despacho_, lista_, anclar_, codigoBarra_;
    std::array<bool, 5> campos_{};
    QString mensaje_;
};

DialogoArchivo& FrmVardelio::Dialogo() {
    if (!dialogo_)
        dialogo_ = std::make_unique<DialogoArchivo>();
    return *dialogo_;
}

void FrmVardelio::MuestraProgreso(const QString& accion, int hechas, int total) {
    // Every line would repaint the status bar 100,000 times for a large deposit.
    if (hechas % 50 == 0 || hechas == total) {
        QString texto = accion + QLatin1Char(' ') + QString::number(hechas);
        if (total > 0)
            texto += QStringLiteral(" de ") + QString::number(total);
        sbStatusBar.Panels(QStringLiteral("MENSAJE")).setText(texto);
    }
    if (cedeTurno)
        cedeTurno();
}

// ---- Cargar ----

QHash<QString, FrmVardelio::ArticuloCarga> FrmVardelio::ArticulosDelDeposito(const QString& deposito) {
    // One query for the articles of every balance: a look-up per balance would cost a round trip
    // per line of a warehouse of tens of thousands of articles.
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_MA_ARTICULOS with(nolock) WHERE IDARTICULO IN "
                                         "(SELECT IDARTICULO FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = '") +
                              deposito + QStringLiteral("' AND stock >0)"),
                          rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
    const int codigo = rs.IndiceCampo(QStringLiteral("IdArticulo"));
    const int descripcion = rs.IndiceCampo(QStringLiteral("Descripcion"));
    const int idUnidad = rs.IndiceCampo(QStringLiteral("IdUnidad"));
    const int udStock = rs.IndiceCampo(QStringLiteral("UD_STOCK"));
    const int impuestos = rs.IndiceCampo(QStringLiteral("Impuestos"));
    static const char* const banderas[6] = {"Exento",     "UsaSerie", "UsaLote",
                                            "Perecedero", "UsaTalle", "InsumosPorPorcentaje"};
    QHash<QString, ArticuloCarga> articulos;
    for (; !rs.Eof(); rs.MoveNext()) {
        ArticuloCarga a;
        a.descripcion = TextoCampoRecortado(rs, descripcion);
        const QVariant unidad = rs.Fields(idUnidad);
        a.conUnidad = !unidad.isNull();
        a.claveUnidad = ClaveTexto(UT().ValorATexto(unidad));
        const QVariant stock = rs.Fields(udStock);
        a.unidad = (stock.isNull() ? UT().ValorATexto(unidad) : UT().ValorATexto(stock)).trimmed();
        a.impuestos = TextoCampo(rs, impuestos);
        for (size_t i = 0; i < a.banderas.size(); ++i)
            a.banderas[i] = TextoBandera(rs, banderas[i]);
        articulos.insert(ClaveTexto(TextoCampo(rs, codigo)), a);
    }
    AD().CierraRecordset(rs);
    return articulos;
}

void FrmVardelio::PoneSaldo(const Registros& saldo, const ArticuloCarga& a, const QString& deposito) {
    Grilla& g = MSFlexGrid2;
    const int fila = g.Rows() - 1;
    g.setRow(fila);
    const auto pone = [&g, fila](int c, const QString& t) { g.setTextMatrix(fila, c, t); };
    pone(col::CodigoArticulo, TextoCampoRecortado(saldo, "IdArticulo"));
    pone(col::Descripcion, TextoCampoRecortado(saldo, "Descripcion"));
    pone(col::Cantidad, TextoCantidad(saldo.Fields(QStringLiteral("Stock"))));
    pone(col::Descripcion, a.descripcion);
    pone(col::Unidad, a.unidad);
    pone(col::Impuestos, a.impuestos);
    static constexpr int columnas[6] = {col::EsExento,     col::PideSerie, col::PideLote,
                                        col::EsPerecedero, col::PideTalle, col::InsumosPorPorcentaje};
    for (size_t i = 0; i < a.banderas.size(); ++i)
        pone(columnas[i], a.banderas[i]);
    if (pEsTransferencia)
        pone(col::Deposito, deposito);
    g.setRows(g.Rows() + 1);
}

void FrmVardelio::CmdCargar_Click() {
    const qint16 origen = IndiceCampo(QStringLiteral("DepositoOrigen"));
    const QString textoDeposito = origen >= 0 ? TxtFields[origen].Text() : QString();
    if (interaccion().MsgBox(QStringLiteral("Este proceso carga todo el stock disponible del Deposito ") +
                                 textoDeposito + QStringLiteral(" -Confirma"),
                             Estilo::SiNo | Estilo::Pregunta, QStringLiteral("Atención")) != Respuesta::Si)
        return;
    InicializaGrids();
    const ProcesoMasivo proceso(*this);
    const QString deposito = UT().RellenaCodigo(textoDeposito.trimmed(), 4);
    Registros saldos;
    QHash<QString, ArticuloCarga> articulos;
    int total = 0;
    const bool abierto = Renglon([&] {
        const QString donde = QStringLiteral(" FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = '") + deposito +
                              QStringLiteral("' AND stock >0");
        Registros cuenta;
        AD().ObtieneRecordset(QStringLiteral("SELECT COUNT(*)") + donde, cuenta, nullptr,
                              TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
        total = cuenta.Eof() ? 0 : int(UT().TextoADoble(cuenta.Fields(0)));
        AD().CierraRecordset(cuenta);
        articulos = ArticulosDelDeposito(deposito);
        AD().ObtieneRecordset(QStringLiteral("SELECT *") + donde, saldos, nullptr, TipoCursor::SoloAvance,
                              TipoBloqueo::SoloLectura);
    });
    if (!abierto || saldos.Eof()) {
        AD().CierraRecordset(saldos);
        return;
    }
    const SinRedibujo sinRedibujo(MSFlexGrid2);
    const int codigo = saldos.IndiceCampo(QStringLiteral("IdArticulo"));
    const int unidad = saldos.IndiceCampo(QStringLiteral("Equivalencia"));
    int hechas = 0;
    bool sigue = true;
    while (sigue && !saldos.Eof()) {
        sigue = Renglon([&] {
            const auto a = articulos.constFind(ClaveTexto(TextoCampo(saldos, codigo)));
            const QVariant equivalencia = saldos.Fields(unidad);
            // A balance in another unit than the article's base unit, or of an article the master
            // lacks, is no line.
            if (a != articulos.cend() && a->conUnidad && !equivalencia.isNull() &&
                a->claveUnidad == ClaveTexto(UT().ValorATexto(equivalencia)))
                PoneSaldo(saldos, *a, textoDeposito);
        });
        saldos.MoveNext();
        MuestraProgreso(QStringLiteral("Cargando stock:"), ++hechas, total);
    }
    AD().CierraRecordset(saldos);
    if (sigue)
        Completado();
}

// ---- Importar ----

void FrmVardelio::LeeStockImportado(LectorImportacion adelante, int lineas) {
    stockImportado_.reset();
    if (gUsaStockUdKg)
        return; // weighed units count elsewhere: each line asks
    StockImportado s;
    QString lista;
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
            lista += (lista.isEmpty() ? QStringLiteral("(") : QStringLiteral(",")) +
                     AD().FormateaValorSQL(relleno, QStringLiteral("'"));
        } catch (const ErrorSistema&) {
            // The line reports it when its turn comes.
        }
    }
    if (lista.isEmpty())
        return;
    Registros rs;
    try {
        AD().ObtieneRecordset(QStringLiteral("SELECT IDARTICULO, EQUIVALENCIA, SUM(STOCK) AS STOCK FROM "
                                             "STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO IN ") +
                                  lista + QStringLiteral(") GROUP BY IDARTICULO, EQUIVALENCIA"),
                              rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
        for (; !rs.Eof(); rs.MoveNext())
            s.saldos.insert(ClaveTexto(TextoCampo(rs, "IDARTICULO")) + QLatin1Char('|') +
                                ClaveTexto(TextoCampo(rs, "EQUIVALENCIA")),
                            UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("STOCK")))));
        stockImportado_ = std::move(s);
    } catch (const ErrorSistema&) {
        // Not read: each line asks, and reports what fails.
    }
    AD().CierraRecordset(rs);
}

bool FrmVardelio::SaldoImportado(const QString& deposito, const QString& articulo, const QString& unidad,
                                 double& saldo) const {
    if (!stockImportado_ || !deposito.trimmed().isEmpty() || articulo.trimmed().isEmpty())
        return false;
    const QString clave = ClaveTexto(UT().RellenaCodigo(articulo, 25));
    if (!stockImportado_->articulos.contains(clave))
        return false;
    // No balance reads as none, as the query's empty sum does.
    saldo = stockImportado_->saldos.value(
        clave + QLatin1Char('|') + ClaveTexto(UT().RellenaCodigo(unidad, 4)), 0.0);
    return true;
}

void FrmVardelio::MarcaInexistente(int fila, const QString& descripcion) {
    Grilla& g = MSFlexGrid2;
    g.setTextMatrix(fila, col::Descripcion, descripcion);
    g.setTextMatrix(fila, col::Unidad, QStringLiteral("Inexistente"));
    g.setRow(fila);
    g.setCol(col::Descripcion);
    g.setCellBackColor(kCian);
    // The marked line stays; the next line of the file goes to a new row.
    g.setRows(g.Rows() + 1);
}

void FrmVardelio::ComprometeCantidad(int fila, const QString& cantidad) {
    Grilla& g = MSFlexGrid2;
    g.setTextMatrix(fila, col::Cantidad, cantidad);
    MueveCelda(fila, col::Cantidad);
    MSFlexGrid2_DblClick();
    txtEdit2.setText(UT().TextoAMoneda(cantidad).EsCero() ? QStringLiteral("1") : cantidad);
    MarcaEditor = true;
    qint16 enter = tecla::Enter;
    txtEdit2_KeyDown(enter);
    if (g.Rows() - 1 != fila)
        return;
    // Refused (its message shown): the line keeps what the file gave, and the next one does not
    // overwrite it.
    txtEdit2.setVisible(false);
    if (Foco_.Actual() == QLatin1String("txtEdit2"))
        Foco_.SetFocus(QStringLiteral("MSFlexGrid2"));
    g.setRows(g.Rows() + 1);
}

bool FrmVardelio::LeeArticuloImportado(const QString& codigo, std::array<QString, 4>& articulo) {
    Registros rs;
    // The code comes from a file: it reaches the SQL only as a quoted literal.
    const QString literal =
        AD().FormateaValorSQL(UT().RellenaCodigo(codigo.trimmed(), 25), QStringLiteral("'"));
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_MA_ARTICULOS  with(nolock) WHERE IDARTICULO = ") +
                              literal,
                          rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
    const bool existe = !rs.Eof();
    if (existe) {
        articulo = {QString(), TextoCampoRecortado(rs, "Descripcion"), TextoCampoRecortado(rs, "IdUnidad"),
                    TextoCampoRecortado(rs, "Costo")};
    }
    AD().CierraRecordset(rs);
    return existe;
}

void FrmVardelio::ImportaLinea(const LineaImportada& linea) {
    Grilla& g = MSFlexGrid2;
    const int fila = g.Rows() - 1;
    g.setRow(fila);
    QString codigo = linea.codigo;
    QString cantidad = linea.cantidad;
    QString descripcion = linea.descripcion;
    const bool porCodigoBarra = ChkCodigoBarra.Value() == 1;
    // A label's article as its search read it: code, description, unit, cost.
    std::array<QString, 4> delaEtiqueta;
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
            delaEtiqueta = {TextoCampo(rs, "IdArticulo"), TextoCampoRecortado(rs, "Descripcion"),
                            TextoCampoRecortado(rs, "UDBASE"), TextoCampoRecortado(rs, "Costo")};
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
            return;
        }
        codigo = buscado.trimmed();
        cantidad = Regional::TextoNumero(static_cast<double>(static_cast<float>(deEtiqueta)), 7);
    }
    g.setTextMatrix(fila, col::CodigoArticulo, codigo.trimmed());
    g.setTextMatrix(fila, col::Descripcion, descripcion.trimmed());
    g.setTextMatrix(fila, col::Cantidad, cantidad);
    // A label's article stored under the very code looked up is the row the search just read.
    if (delaEtiqueta[0].isEmpty() || delaEtiqueta[0] != UT().RellenaCodigo(codigo.trimmed(), 25)) {
        if (!LeeArticuloImportado(codigo, delaEtiqueta)) {
            MarcaInexistente(fila, descripcion.trimmed());
            return;
        }
    }
    const QString delArticulo = delaEtiqueta[1];
    g.setTextMatrix(fila, col::Descripcion, delArticulo);
    g.setTextMatrix(fila, col::Unidad, delaEtiqueta[2]);
    g.setTextMatrix(fila, col::Importe, delaEtiqueta[3]);
    g.setTextMatrix(fila, col::CodigoArticulo, codigo.trimmed());
    g.setTextMatrix(fila, col::Descripcion, descripcion.trimmed());
    // Outside bar-code mode the search would find this same article by its code first: its
    // description is the one just read.
    if (descripcion.trimmed().isEmpty() && !linea.etiqueta && !porCodigoBarra) {
        g.setTextMatrix(fila, col::Descripcion, delArticulo);
    } else if (descripcion.trimmed().isEmpty() && !linea.etiqueta) {
        QString buscado = codigo.trimmed();
        QString hallada;
        double deEtiqueta = 0;
        if (busca(buscado, hallada, deEtiqueta))
            g.setTextMatrix(fila, col::Descripcion, hallada.trimmed());
    }
    ComprometeCantidad(fila, cantidad);
}

bool FrmVardelio::ImportaArchivo(const QString& ruta, const FormatoImportacion& formato) {
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
        const bool sigue = Renglon([&] {
            linea.reset();
            linea = lector.Linea();
            if (linea)
                ImportaLinea(*linea);
        });
        if (!sigue)
            return false;
        // A skipped line costs no yield.
        if (linea)
            MuestraProgreso(QStringLiteral("Importando línea"), lector.NumeroLinea(), lector.TotalLineas());
    }
    return true;
}

void FrmVardelio::CmdEspecial_Click() {
    QString formato;
    QString campos;
    QString separador;
    if (!Renglon([&] { ObtieneFormatoImportacion(formato, campos, separador); }))
        return;
    if (interaccion().MsgBox(
            QStringLiteral("Este proceso toma el contenido del archivo de texto seleccionado "
                           "para ingresarlo a la grilla") +
                QStringLiteral("\r\n") + formato,
            Estilo::SiNo, QStringLiteral("Atención")) != Respuesta::Si)
        return;
    DialogoArchivo& d = Dialogo();
    d.setFiltroArchivos(QStringLiteral("Archivos de Texto|*.Txt;"));
    d.setTituloDialogo(QStringLiteral("Buscar Archivos"));
    d.setOpcionDialogo(1);
    d.setBanderaDialogo(true);
    d.AbreDialogo();
    const QString ruta = d.NombreArchivo();
    if (ruta.isEmpty())
        return;
    // The file's lines go after the filled lines: none is cut or overwritten, and empty rows
    // between them and the file's lines are not left behind.
    Grilla& g = MSFlexGrid2;
    TerminaEdicion();
    int ultima = 0;
    for (int f = g.FixedRows(); f < g.Rows(); ++f)
        if (!g.TextMatrix(f, col::CodigoArticulo).trimmed().isEmpty())
            ultima = f;
    g.setRows(ultima + 2);
    const ProcesoMasivo proceso(*this);
    if (ImportaArchivo(ruta, {formato, campos, separador}))
        Completado();
}
