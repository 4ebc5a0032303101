#!/usr/bin/env python3
"""Fails on a NOLINT comment that silences nothing.

For every NOLINT, NOLINTNEXTLINE and NOLINTBEGIN in the given folders, each check it names must be
enabled for its file, and clang-tidy, run on the file with its NOLINT comments blanked out (through a
virtual file system overlay, so the tree is never touched), must report that check where the comment
acts: its own line, the next line, or up to the matching NOLINTEND. Only the files that carry a NOLINT
are read, in parallel.

    revisa_nolint.py -p build-dev [-j N] src tests bench
"""

import argparse
import concurrent.futures
import fnmatch
import json
import os
import re
import subprocess
import sys
import tempfile

NOLINT = re.compile(r"NOLINT(NEXTLINE|BEGIN|END)?(?:\(([^)]*)\))?")
DIAGNOSTICO = re.compile(r"^(.+?):(\d+):\d+: (?:warning|error): .*\[([^\]]+)\]$")
ESCAPES = re.compile(r"\x1b\[[0-9;]*m")


class Falla(Exception):
    pass


def directivas(ruta):
    """The file's NOLINT comments as (line, kind, checks, first line, last line) of the lines each covers."""
    with open(ruta, encoding="utf-8", errors="replace") as f:
        lineas = f.read().split("\n")
    resultado, abiertas = [], {}
    for n, texto in enumerate(lineas, start=1):
        for m in NOLINT.finditer(texto):
            clase, lista = m.group(1) or "", m.group(2)
            chequeos = [c.strip() for c in (lista or "").split(",") if c.strip()]
            if not chequeos:
                raise Falla(f"{ruta}:{n}: NOLINT{clase} names no check")
            if clase == "":
                resultado.append((n, clase, chequeos, n, n))
            elif clase == "NEXTLINE":
                resultado.append((n, clase, chequeos, n + 1, n + 1))
            elif clase == "BEGIN":
                abiertas.setdefault(tuple(chequeos), []).append(n)
            else:
                pila = abiertas.get(tuple(chequeos))
                if not pila:
                    raise Falla(f"{ruta}:{n}: NOLINTEND without its NOLINTBEGIN")
                inicio = pila.pop()
                resultado.append((inicio, "BEGIN", chequeos, inicio, n))
    for chequeos, pila in abiertas.items():
        for inicio in pila:
            raise Falla(f"{ruta}:{inicio}: NOLINTBEGIN({','.join(chequeos)}) without its NOLINTEND")
    return resultado, lineas


def unidad_para(ruta, unidades):
    """The translation unit clang-tidy reads the file through: itself, or a source that includes it."""
    if ruta in unidades:
        return ruta
    nombre = os.path.basename(ruta)
    inclusion = re.compile(r'#\s*include\s*[<"](?:[^">]*/)?' + re.escape(nombre) + r'[">]')
    candidatas = sorted(unidades, key=lambda u: (os.path.dirname(u) != os.path.dirname(ruta), u))
    for u in candidatas:
        try:
            with open(u, encoding="utf-8", errors="replace") as f:
                if inclusion.search(f.read()):
                    return u
        except OSError:
            continue
    raise Falla(f"{ruta}: no source in the compilation database includes it")


def chequeos_activos(compilacion, ruta):
    salida = subprocess.run(["clang-tidy", "-p", compilacion, "--list-checks", ruta],
                            capture_output=True, text=True, check=True).stdout
    return [l.strip() for l in salida.splitlines()[1:] if l.strip()]


def tidy_sin_nolint(ruta, lineas, compilacion, unidades, chequeos):
    """clang-tidy's run of the given checks over the file as if it had no NOLINT comment."""
    # Same length, so that lines and columns stay where they were.
    limpio = "\n".join(l.replace("NOLINT", "NOLXNT") for l in lineas)
    with tempfile.TemporaryDirectory() as carpeta:
        copia = os.path.join(carpeta, os.path.basename(ruta))
        with open(copia, "w", encoding="utf-8") as f:
            f.write(limpio)
        overlay = os.path.join(carpeta, "overlay.yaml")
        with open(overlay, "w", encoding="utf-8") as f:
            json.dump({"version": 0, "use-external-names": False, "roots": [
                {"type": "directory", "name": os.path.dirname(ruta), "contents": [
                    {"type": "file", "name": os.path.basename(ruta), "external-contents": copia}]}]}, f)
        return subprocess.run(["clang-tidy", "-p", compilacion, "--quiet", f"--vfsoverlay={overlay}",
                               "--checks=-*," + ",".join(chequeos), "--warnings-as-errors=-*",
                               unidad_para(ruta, unidades)], capture_output=True, text=True)


def revisa(ruta, compilacion, unidades):
    """The complaints about the file's NOLINT comments."""
    lista, lineas = directivas(ruta)
    if not lista:
        return []
    activos = chequeos_activos(compilacion, ruta)
    # Only the checks the comments name run: the file is read again, but not wholly checked again.
    nombrados = sorted({a for _, _, chequeos, _, _ in lista for c in chequeos for a in activos
                        if fnmatch.fnmatchcase(a, c)})
    informados = {}
    if nombrados:
        proceso = tidy_sin_nolint(ruta, lineas, compilacion, unidades, nombrados)
        if proceso.returncode != 0:
            return [f"{ruta}: clang-tidy failed:\n{proceso.stdout.strip()}\n{proceso.stderr.strip()}"]
        for linea in ESCAPES.sub("", proceso.stdout).splitlines():
            m = DIAGNOSTICO.match(linea)
            if m and os.path.realpath(m.group(1)) == ruta:
                for chequeo in (c for c in m.group(3).split(",") if not c.startswith("-")):
                    informados.setdefault(chequeo, set()).add(int(m.group(2)))
    quejas = []
    for n, clase, chequeos, desde, hasta in lista:
        for chequeo in chequeos:
            if not any(fnmatch.fnmatchcase(a, chequeo) for a in activos):
                quejas.append(f"{ruta}:{n}: NOLINT{clase}({chequeo}): that check is not enabled here")
            elif not any(fnmatch.fnmatchcase(c, chequeo) and any(desde <= l <= hasta for l in ls)
                         for c, ls in informados.items()):
                quejas.append(f"{ruta}:{n}: NOLINT{clase}({chequeo}): clang-tidy reports nothing of it there")
    return quejas


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-p", dest="compilacion", required=True, help="folder of compile_commands.json")
    parser.add_argument("-j", dest="trabajos", type=int, default=os.cpu_count())
    parser.add_argument("carpetas", nargs="+")
    args = parser.parse_args()
    with open(os.path.join(args.compilacion, "compile_commands.json"), encoding="utf-8") as f:
        unidades = {os.path.realpath(os.path.join(e["directory"], e["file"])) for e in json.load(f)}
    archivos = []
    for carpeta in args.carpetas:
        for raiz, _, nombres in os.walk(carpeta):
            for nombre in nombres:
                if nombre.endswith((".cpp", ".h")):
                    ruta = os.path.realpath(os.path.join(raiz, nombre))
                    with open(ruta, encoding="utf-8", errors="replace") as f:
                        if "NOLINT" in f.read():
                            archivos.append(ruta)
    quejas = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.trabajos)) as grupo:
        for futuro in [grupo.submit(revisa, a, args.compilacion, unidades) for a in sorted(archivos)]:
            try:
                quejas += futuro.result()
            except (Falla, subprocess.CalledProcessError) as e:
                quejas.append(str(e))
    for queja in quejas:
        print(queja.replace(os.getcwd() + "/", ""))
    if quejas:
        print(f"NOLINT: {len(quejas)} found")
        return 1
    print(f"NOLINT: {len(archivos)} files, every NOLINT silences something")
    return 0


if __name__ == "__main__":
    sys.exit(main())
