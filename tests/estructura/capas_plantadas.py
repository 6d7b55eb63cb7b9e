#!/usr/bin/env python3
"""The layering check must fail on an upward include, whatever kind it is."""
import pathlib
import subprocess
import sys
import tempfile

SCRIPT = pathlib.Path(sys.argv[1])
CASOS = {
    "logica que incluye un widget": ("src/data/Malo.h", "#include <QPushButton>\n"),
    "logica que incluye una ventana": ("src/session/Malo.h",
                                        '#include "session/ventanas/Ventana.h"\n'),
    "carpeta inferior que usa una superior": ("src/keypads/Malo.h",
                                               '#include "session/Sesion.h"\n'),
    "logica de grupos que usa los controles": ("src/groups/Malo.h",
                                                '#include "keypads/Receptor.h"\n'),
    "ventana que abre la ventana principal": ("src/keypads/ventanas/Malo.h",
                                               '#include "groups/ventanas/MenuPrincipal.h"\n'),
    "carpetas del mismo rango": ("src/exams/Malo.h", '#include "persons/Datos.h"\n'),
}

fallas = 0
for nombre, (ruta, linea) in CASOS.items():
    with tempfile.TemporaryDirectory() as d:
        raiz = pathlib.Path(d)
        archivo = raiz / ruta
        archivo.parent.mkdir(parents=True)
        archivo.write_text(linea)
        limpio = raiz / "src/app/Bien.h"
        limpio.parent.mkdir(parents=True, exist_ok=True)
        limpio.write_text("#include <QString>\n")
        r = subprocess.run([sys.executable, SCRIPT, raiz], capture_output=True, text=True)
        if r.returncode != 1 or ruta not in r.stdout:
            print(f"no detectado: {nombre}\n{r.stdout}{r.stderr}")
            fallas += 1
sys.exit(1 if fallas else 0)
