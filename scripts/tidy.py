#!/usr/bin/env python3
"""clang-tidy over the project's own sources, in parallel, remembering the files it found clean.

A file is read again only when something that decides its result changed: its text or that of any
header it includes (as the build's last compile listed them, `ninja -t deps`), its compile command,
the .clang-tidy files above it or clang-tidy itself. A clean result is remembered in
$XDG_CACHE_HOME/modelos-tidy (~/.cache/modelos-tidy); a file with findings is always read again.
Without the build's list of includes a file is always read.

    tidy.py -p build-dev [-j N] [--log ARCHIVO] REGEX
"""

import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys


def argumentos():
    p = argparse.ArgumentParser()
    p.add_argument("-p", dest="build", required=True)
    p.add_argument("-j", dest="trabajos", type=int, default=os.cpu_count())
    p.add_argument("--log")
    p.add_argument("filtro")
    return p.parse_args()


def dependencias(build):
    """Object file (relative to the build folder) -> the files its last compile read."""
    r = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True)
    deps, actual = {}, None
    for linea in r.stdout.splitlines():
        if not linea.startswith(" ") and ": #deps" in linea:
            actual = linea.split(":")[0] if "(VALID)" in linea else None
            if actual:
                deps[actual] = []
        elif linea.strip() and actual:
            # Relative paths are the compiler's, from the build folder.
            deps[actual].append(os.path.normpath(os.path.join(build, linea.strip())))
    return deps


class Huellas:
    """The hash of a file's text, each file read once."""

    def __init__(self):
        self.vistas = {}

    def de(self, ruta):
        if ruta not in self.vistas:
            try:
                with open(ruta, "rb") as f:
                    self.vistas[ruta] = hashlib.sha256(f.read()).hexdigest()
            except OSError:
                self.vistas[ruta] = None  # gone since the compile: the list is stale
        return self.vistas[ruta]


def configuraciones(archivo, raiz):
    """The .clang-tidy files from the file's folder up to the project's root."""
    carpeta, salida = os.path.dirname(archivo), []
    while True:
        c = os.path.join(carpeta, ".clang-tidy")
        if os.path.isfile(c):
            salida.append(c)
        if carpeta == raiz or os.path.dirname(carpeta) == carpeta:
            return salida
        carpeta = os.path.dirname(carpeta)


def clave(entrada, deps, huellas, version, raiz):
    args = shlex.split(entrada["command"]) if "command" in entrada else entrada["arguments"]
    objeto = args[args.index("-o") + 1] if "-o" in args else None
    leidos = deps.get(objeto) if objeto else None
    if not leidos or any(huellas.de(d) is None for d in leidos):
        return None
    h = hashlib.sha256(version.encode())
    # The project's own paths count relative to its root, so that a clone elsewhere hits too.
    h.update(" ".join(args).replace(raiz, "@").encode())
    for c in configuraciones(entrada["file"], raiz):
        h.update(huellas.de(c).encode())
    for relativo, d in sorted((d.replace(raiz, "@"), d) for d in leidos):
        h.update(relativo.encode())
        h.update(huellas.de(d).encode())
    return h.hexdigest()


def main():
    a = argumentos()
    raiz = os.path.dirname(os.path.dirname(os.path.realpath(__file__)))
    entradas = [e for e in json.load(open(os.path.join(a.build, "compile_commands.json")))
                if re.search(a.filtro, e["file"])]
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True).stdout
    deps = dependencias(os.path.abspath(a.build))
    huellas = Huellas()
    cache = os.path.join(os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")), "modelos-tidy")
    os.makedirs(cache, exist_ok=True)

    pendientes = []
    for e in entradas:
        k = clave(e, deps, huellas, version, raiz)
        if k is None or not os.path.exists(os.path.join(cache, k)):
            pendientes.append((e["file"], k))

    def revisa(archivo, k):
        r = subprocess.run(["clang-tidy", "-p", a.build, "--quiet", archivo], capture_output=True, text=True)
        salida = r.stdout + r.stderr
        limpio = r.returncode == 0 and not re.search(r"(warning|error):", salida)
        if limpio and k:
            open(os.path.join(cache, k), "w").close()
        return limpio, salida

    fallas, log = 0, []
    with concurrent.futures.ThreadPoolExecutor(a.trabajos) as grupo:
        for limpio, salida in grupo.map(lambda p: revisa(*p), pendientes):
            log.append(salida)
            if not limpio:
                fallas += 1
                sys.stdout.write(salida)
    if a.log:
        with open(a.log, "w") as f:
            f.write("".join(log))
    print("clang-tidy: %d files, %d read (the rest unchanged since found clean), %d with findings"
          % (len(entradas), len(pendientes), fallas))
    sys.exit(1 if fallas else 0)


if __name__ == "__main__":
    main()
