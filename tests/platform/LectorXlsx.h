#pragma once

// Reads back the first worksheet of an .xlsx written by the spreadsheet exporter: the package
// is a zip, taken apart with `unzip -p`; the cells come from the sheet's XML (inline, shared and
// formula strings, numbers).

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>

struct CeldaXlsx {
    QString texto;
    bool numero = false;
};

// Rows by their number (1-based), each a map column (0-based) -> cell.
using HojaXlsx = QMap<int, QMap<int, CeldaXlsx>>;

// One member of the package, or an empty array when it is missing.
inline QByteArray MiembroXlsx(const QString& archivo, const QString& miembro) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archivo, miembro});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

inline bool ReferenciaCelda(const QString& ref, int& fila, int& col) {
    int i = 0;
    col = 0;
    while (i < ref.size() && ref[i].isLetter())
        col = col * 26 + (ref[i++].toUpper().unicode() - 'A' + 1);
    bool ok = false;
    fila = ref.mid(i).toInt(&ok);
    --col;
    return ok && col >= 0;
}

inline HojaXlsx LeeHojaXlsx(const QString& archivo) {
    QStringList compartidos;
    {
        QXmlStreamReader xml(MiembroXlsx(archivo, QStringLiteral("xl/sharedStrings.xml")));
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1StringView("si")) {
                QString texto;
                while (!(xml.readNext() == QXmlStreamReader::EndElement &&
                         xml.name() == QLatin1StringView("si")) &&
                       !xml.atEnd())
                    if (xml.isStartElement() && xml.name() == QLatin1StringView("t"))
                        texto += xml.readElementText();
                compartidos << texto;
            }
    }
    HojaXlsx hoja;
    QXmlStreamReader xml(MiembroXlsx(archivo, QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1StringView("c"))
            continue;
        const QString ref = xml.attributes().value(QStringLiteral("r")).toString();
        const QString tipo = xml.attributes().value(QStringLiteral("t")).toString();
        QString valor;
        QString enLinea;
        while (!(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == QLatin1StringView("c")) &&
               !xml.atEnd()) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1StringView("v"))
                valor = xml.readElementText();
            else if (xml.name() == QLatin1StringView("t"))
                enLinea += xml.readElementText();
        }
        int fila = 0;
        int col = 0;
        if (!ReferenciaCelda(ref, fila, col))
            continue;
        CeldaXlsx celda;
        if (tipo == QLatin1StringView("inlineStr"))
            celda.texto = enLinea;
        else if (tipo == QLatin1StringView("s"))
            celda.texto = compartidos.value(valor.toInt());
        else if (tipo.isEmpty() || tipo == QLatin1StringView("n")) {
            celda.texto = valor;
            celda.numero = true;
        } else
            celda.texto = valor;
        hoja[fila][col] = celda;
    }
    return hoja;
}

// The texts of one row from column 0 to `columnas` - 1 (a missing cell reads "").
inline QStringList FilaXlsx(const HojaXlsx& hoja, int fila, int columnas) {
    QStringList textos;
    for (int c = 0; c < columnas; ++c)
        textos << hoja.value(fila).value(c).texto;
    return textos;
}
