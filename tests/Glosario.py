#!/usr/bin/python3
"""Fails when a name of the code uses "Carga" outside the system's own names.

The glossary of docs/architecture.md keeps "Carga" for the system's names, which its row lists in
backticks; the code may use them, and names that start with one of them (`CargaConfiguracionPrueba`,
the fixture of `CargaConfiguracion`). Any other identifier that starts with "Carga" names something
of our own with the system's word, which the glossary says never to do. String literals and comments
are left out: the system's texts ("Formulario de Carga de Datos") are not names.

    Glosario.py RAIZ
"""
import os
import re
import sys

FILA = re.compile(r"^\| Carga \|(.*?)\|")
NOMBRE = re.compile(r"`([A-Za-z_]\w*)`")
IDENTIFICADOR = re.compile(r"\b(?:Cmd)?Carga\w*")
# Literals and comments, so that what is left is code: raw strings, strings, characters, comments.
NO_CODIGO = re.compile(r'R"(\w*)\((?:.|\n)*?\)\1"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'|//[^\n]*|/\*(?:.|\n)*?\*/')


def permitidos(raiz):
    with open(os.path.join(raiz, "docs", "architecture.md"), encoding="utf-8") as f:
        for linea in f:
            m = FILA.match(linea)
            if m:
                return [n.removeprefix("Cmd") for n in NOMBRE.findall(m.group(1))]
    sys.exit("docs/architecture.md: the glossary has no row for Carga")


def main():
    raiz = sys.argv[1]
    nombres = permitidos(raiz)
    fallas = []
    for carpeta in ("src", "tests", "bench", "fuzz"):
        for base, _, archivos in os.walk(os.path.join(raiz, carpeta)):
            for a in sorted(archivos):
                if not a.endswith((".cpp", ".h")):
                    continue
                ruta = os.path.join(base, a)
                with open(ruta, encoding="utf-8", errors="replace") as f:
                    codigo = NO_CODIGO.sub(lambda m: "\n" * m.group(0).count("\n"), f.read())
                for n, linea in enumerate(codigo.splitlines(), 1):
                    for m in IDENTIFICADOR.finditer(linea):
                        palabra = m.group(0).removeprefix("Cmd")
                        if not any(palabra.startswith(p) for p in nombres):
                            fallas.append("%s:%d: %s" % (os.path.relpath(ruta, raiz), n, m.group(0)))
    for f in fallas:
        print(f)
    if fallas:
        print('"Carga" is kept for the system\'s names (the glossary\'s row in docs/architecture.md)')
        sys.exit(1)


if __name__ == "__main__":
    main()
