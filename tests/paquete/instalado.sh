#!/usr/bin/env bash
# The package `make package` left in the build folder, checked as an office gets
# it: its files and dependencies, lintian, the desktop entry, the metainfo and the
# man page, then the installed program started from a temporary root with a fresh
# embedded catalog and a home of its own.
# Usage: instalado.sh BUILD SOURCE
set -euo pipefail
BUILD="$1"
FUENTES="$2"
ID=org.tavelmo.Tavelmo

fallas=0
falla() {
  echo "FALLA: $*" >&2
  fallas=$((fallas + 1))
}

paquetes=("$BUILD"/tavelmo_*.deb)
if [ ${#paquetes[@]} -ne 1 ] || [ ! -f "${paquetes[0]}" ]; then
  echo "No hay un único paquete en $BUILD: ejecute «make package»." >&2
  exit 1
fi
DEB="${paquetes[0]}"
if [ "$BUILD/bin/tavelmo" -nt "$DEB" ]; then
  echo "$DEB es anterior al ejecutable: ejecute «make package»." >&2
  exit 1
fi

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
RAIZ="$TMP/raiz"

# --- Files: exactly the expected ones, nothing from the build's tests or tools.
dpkg-deb --fsys-tarfile "$DEB" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort >"$TMP/archivos"
if ! diff -u "$FUENTES/tests/paquete/archivos.txt" "$TMP/archivos"; then
  falla "la lista de archivos del paquete cambió"
fi

# --- Dependencies: every library the executable links, plus the catalog drivers
# Qt loads as plugins and Qt's translations.
dpkg-deb -x "$DEB" "$RAIZ"
depende="$(dpkg-deb -f "$DEB" Depends)"
nombres=" $(echo "$depende" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | tr '\n' ' ') "
for p in libqt6sql6-sqlite libqt6sql6-odbc qt6-translations-l10n; do
  [[ "$nombres" == *" $p "* ]] || falla "Depends no nombra $p: $depende"
done
# Each library as the loader resolves it; dpkg may know it under /lib or /usr/lib.
while read -r lib ruta; do
  duenio=""
  for r in "$ruta" "${ruta#/usr}" "/usr$ruta"; do
    duenio="$(dpkg-query -S "$r" 2>/dev/null | head -1 | cut -d: -f1)" && [ -n "$duenio" ] && break
  done
  if [ -z "$duenio" ]; then
    falla "ningún paquete instalado da $lib ($ruta)"
  elif [[ "$nombres" != *" $duenio "* ]]; then
    falla "$lib es de $duenio, que Depends no nombra"
  fi
done < <(ldd "$RAIZ/usr/bin/tavelmo" | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}' |
         grep -F -f <(objdump -p "$RAIZ/usr/bin/tavelmo" | awk '/NEEDED/ {print $2 " "}'))
! ldd "$RAIZ/usr/bin/tavelmo" | grep 'not found' || falla "bibliotecas que no se encuentran"
dpkg-deb -I "$DEB" postinst | grep -q 'udevadm control --reload-rules' ||
  falla "postinst no recarga las reglas de udev"

# --- Lintian: nothing above an informational note unless overridden with a reason.
if ! lintian --fail-on error,warning "$DEB" >"$TMP/lintian" 2>&1; then
  cat "$TMP/lintian" >&2
  falla "lintian"
fi

# --- Desktop entry, metainfo, icons, man page.
ESCRITORIO="$RAIZ/usr/share/applications/$ID.desktop"
desktop-file-validate "$ESCRITORIO" || falla "desktop-file-validate"
grep -qx 'Exec=tavelmo --pedir-codigo' "$ESCRITORIO" || falla "la entrada no pide el código"
grep -q '^Categories=.*Education;' "$ESCRITORIO" || falla "la entrada no es de la categoría Education"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$RAIZ/usr/share/metainfo/$ID.metainfo.xml" || falla "appstreamcli"
fi
for lado in 16 22 24 32 48 64 128 256; do
  png="$RAIZ/usr/share/icons/hicolor/${lado}x${lado}/apps/$ID.png"
  medida="$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "no-png")' "$png")"
  [ "$medida" = "${lado}x${lado}" ] || falla "icono de $lado: $medida"
done
MAN="$RAIZ/usr/share/man/man1/tavelmo.1.gz"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$MAN" >"$TMP/man" 2>"$TMP/man.err" ||
  falla "man no muestra la página"
if [ -s "$TMP/man.err" ]; then
  cat "$TMP/man.err" >&2
  falla "man advierte al mostrar la página"
fi
for clave in Server Driver Red Receptor Filtro QUENVAR_ROOT; do
  grep -q "$clave" "$TMP/man" || falla "la página de manual no explica $clave"
done

# --- The installed program, with a home of its own and no display.
CASA="$TMP/casa"
mkdir -p "$CASA/.quenvar/Quenvar"
PROGRAMA="$RAIZ/usr/bin/tavelmo"
# Nothing of the caller's environment reaches the program but what is named here.
correr() {
  env -i PATH=/usr/bin:/bin HOME="$CASA" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    ${SALIR:+TAVELMO_SALIR_AL_MOSTRAR=1} ${PULSAR:+TAVELMO_PRUEBA_PULSAR=$PULSAR} \
    timeout 60 "$PROGRAMA" "$@"
}

salida="$(correr --version)" || falla "--version terminó con $?"
[[ "$salida" == "Tavelmo "* ]] || falla "--version dice: $salida"
salida="$(correr --help)" || falla "--help terminó con $?"
[[ "$salida" == *"Uso: tavelmo"* && "$salida" == *"$CASA/.quenvar/Quenvar/QuenvarMRX.ini"* ]] ||
  falla "--help dice: $salida"
estado=0
correr --no-existe >/dev/null 2>"$TMP/error" || estado=$?
[ "$estado" -eq 2 ] || falla "una opción desconocida terminó con $estado, no 2"
grep -q 'opción desconocida «--no-existe»' "$TMP/error" || falla "mensaje: $(cat "$TMP/error")"

printf '[Control]\r\nServer=sqlite:catalogo.sqlite\r\n' >"$CASA/.quenvar/Quenvar/QuenvarMRX.ini"
touch "$TMP/antes"
estado=0
# A new catalog is announced first: the test hook answers the notice.
SALIR=1 PULSAR=Aceptar correr 7 >"$TMP/salida" 2>"$TMP/error" || estado=$?
if [ "$estado" -ne 0 ] || ! grep -q ventana-mostrada "$TMP/salida"; then
  cat "$TMP/salida" "$TMP/error" >&2
  falla "el programa instalado terminó con $estado sin mostrar su ventana"
fi
if grep -q 'prueba:' "$TMP/error"; then
  falla "no hubo aviso del catálogo nuevo: $(cat "$TMP/error")"
fi
[ -s "$CASA/.quenvar/Quenvar/catalogo.sqlite" ] || falla "no se creó el catálogo"
[ -d "$CASA/.local/share/Tavelmo" ] || falla "no se creó la carpeta de trabajo"
escritos="$(find "$RAIZ" -newer "$TMP/antes" | sort)"
[ -z "$escritos" ] || falla "el programa escribió en su carpeta de instalación: $escritos"

if [ "$fallas" -ne 0 ]; then
  echo "$fallas falla(s)" >&2
  exit 1
fi
echo "paquete correcto: $(basename "$DEB"), $(du -k "$DEB" | cut -f1) KiB"
