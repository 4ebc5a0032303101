#!/usr/bin/python3
"""Fails when a library's header declares a function or variable that no library at or below it
defines: a program that includes the header and links that library (with what it links) would
compile and then fail to link.

    DeclaradosDefinidos.py --compdb compile_commands.json --nm nm --biblioteca NOMBRE=CARPETA=ARCHIVO=DEP1,DEP2 ...

CARPETA holds the library's headers (*.h, not below it); ARCHIVO is its static library; the deps are
the project libraries it links directly. Declarations are read with libclang (python3-clang), each
library's headers in one translation unit compiled with the flags of one of its own sources.
"""
import argparse
import concurrent.futures
import json
import os
import shlex
import subprocess
import sys
import tempfile

import clang.cindex as ci

RAIZ = os.path.dirname(os.path.dirname(os.path.realpath(__file__)))
TIPOS_FUNCION = {ci.CursorKind.FUNCTION_DECL, ci.CursorKind.CXX_METHOD, ci.CursorKind.CONSTRUCTOR,
                 ci.CursorKind.DESTRUCTOR, ci.CursorKind.CONVERSION_FUNCTION}
# Flags libclang does not need (or cannot take) to read declarations.
FUERA = ("-fsanitize", "-fno-sanitize", "-fno-omit-frame-pointer", "-W", "-g", "-O", "-fPIC")


def lee_argumentos():
    p = argparse.ArgumentParser()
    p.add_argument("--compdb", required=True)
    p.add_argument("--nm", default="nm")
    p.add_argument("--biblioteca", action="append", default=[])
    return p.parse_args()


def opciones_de(compdb, carpeta):
    """The compile flags of one source of the folder (its own .cpp, not a generated one)."""
    for e in compdb:
        archivo = os.path.realpath(e["file"])
        if os.path.dirname(archivo) == carpeta and archivo.endswith(".cpp"):
            args = e["arguments"] if "arguments" in e else shlex.split(e["command"])
            salida, saltar = [], False
            for a in args[1:]:
                if saltar:
                    saltar = False
                    continue
                if a in ("-o", "-c"):
                    saltar = True
                    continue
                if a.startswith(FUERA) or a.endswith(".cpp"):
                    continue
                salida.append(a)
            return salida
    return None


def es_en_linea(c):
    """Defined in a header, inline, constexpr, deleted, defaulted or pure: nothing to link."""
    if c.get_definition() is not None:
        return True
    if c.kind in TIPOS_FUNCION and (c.is_pure_virtual_method() or c.is_default_method()):
        return True
    palabras = [t.spelling for t in c.get_tokens()]
    if "inline" in palabras or "constexpr" in palabras or "consteval" in palabras:
        return True
    if any(palabras[i:i + 2] in (["=", "delete"], ["=", "default"]) for i in range(len(palabras) - 1)):
        return True
    padre = c.semantic_parent
    while padre is not None and padre.kind != ci.CursorKind.TRANSLATION_UNIT:
        if padre.kind in (ci.CursorKind.CLASS_TEMPLATE, ci.CursorKind.CLASS_TEMPLATE_PARTIAL_SPECIALIZATION):
            return True
        padre = padre.semantic_parent
    return False


CONTENEDORES = {ci.CursorKind.NAMESPACE, ci.CursorKind.CLASS_DECL, ci.CursorKind.STRUCT_DECL,
                ci.CursorKind.UNION_DECL, ci.CursorKind.LINKAGE_SPEC}


def propios_de(cursor, propios):
    """The declarations that stand in the given headers, without walking what other headers declare."""
    for c in cursor.get_children():
        if c.location.file is None or os.path.realpath(c.location.file.name) not in propios:
            continue
        yield c
        if c.kind in CONTENEDORES:
            yield from propios_de(c, propios)


def declarados(cabeceras, opciones):
    """(mangled name, readable name, file:line) of what the headers declare and leave to a library."""
    with tempfile.NamedTemporaryFile("w", suffix=".cpp", delete=False) as f:
        for h in cabeceras:
            f.write('#include "%s"\n' % h)
        unidad = f.name
    try:
        tu = ci.Index.create().parse(unidad, args=opciones)
        errores = [d for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
        if errores:
            raise RuntimeError("\n".join(str(d) for d in errores[:5]))
        propios = set(cabeceras)
        vistos = {}
        for c in propios_de(tu.cursor, propios):
            if c.kind in TIPOS_FUNCION:
                pass
            elif c.kind == ci.CursorKind.VAR_DECL:
                # Only variables that some object file must define: extern ones and static members.
                if c.storage_class not in (ci.StorageClass.EXTERN,) and \
                        c.semantic_parent.kind not in (ci.CursorKind.CLASS_DECL, ci.CursorKind.STRUCT_DECL):
                    continue
            else:
                continue
            if es_en_linea(c) or not c.mangled_name:
                continue
            lugar = "%s:%d" % (os.path.relpath(c.location.file.name, RAIZ), c.location.line)
            vistos.setdefault(c.mangled_name, (c.displayname, lugar))
        return vistos
    finally:
        os.unlink(unidad)


def definidos(nm, archivo):
    r = subprocess.run([nm, "--defined-only", "--extern-only", archivo], capture_output=True, text=True,
                       check=True)
    simbolos = set()
    for linea in r.stdout.splitlines():
        partes = linea.split()
        if len(partes) >= 3 and partes[-2] in "TDBRGSVWuiv":
            simbolos.add(partes[-1])
    return simbolos


def main():
    a = lee_argumentos()
    compdb = json.load(open(a.compdb))
    libs = {}
    for b in a.biblioteca:
        nombre, carpeta, archivo, deps = b.split("=")
        libs[nombre] = (os.path.realpath(carpeta), archivo, [d for d in deps.split(",") if d])
    simbolos = {n: definidos(a.nm, v[1]) for n, v in libs.items()}

    def alcance(nombre, visto=None):
        visto = set() if visto is None else visto
        if nombre in visto or nombre not in libs:
            return visto
        visto.add(nombre)
        for d in libs[nombre][2]:
            alcance(d, visto)
        return visto

    trabajos = {}
    with concurrent.futures.ProcessPoolExecutor() as grupo:
        for nombre, (carpeta, _, _) in sorted(libs.items()):
            cabeceras = sorted(os.path.join(carpeta, h) for h in os.listdir(carpeta) if h.endswith(".h"))
            opciones = opciones_de(compdb, carpeta)
            if cabeceras and opciones is not None:
                trabajos[nombre] = grupo.submit(declarados, cabeceras, opciones)
    faltan = []
    for nombre, trabajo in sorted(trabajos.items()):
        disponibles = set().union(*(simbolos[n] for n in alcance(nombre)))
        for mangled, (legible, lugar) in sorted(trabajo.result().items()):
            if mangled not in disponibles:
                faltan.append("%s: %s (%s) no lo define %s ni lo que enlaza" % (lugar, legible, mangled, nombre))
    for f in faltan:
        print(f)
    if faltan:
        sys.exit(1)
    print("cada declaración de las cabeceras la define su biblioteca o una de las que enlaza")


if __name__ == "__main__":
    main()
