#!/usr/bin/env bash
# Remakes the README's pictures in docs/img: makes a drive of its own from the
# sample data, starts the application on it under a virtual screen with a
# window manager, drives it with the keyboard (stores the CUIT, runs a large
# XML document) and saves the start-up window and the XML window during the
# packing. Every wait has a time limit and, when it runs out, names the step.
# NURO_BUILD_DIR names the build folder (default: build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${NURO_BUILD_DIR:-$root/build}"

if [ "${1:-}" != "--dentro" ]; then
  NURO_TARGETS="nuro Magic32 filewin nuro_mkdrive" bash "$root/scripts/build.sh" "$build"
  # The packing lasts a fraction of a second: a session whose shots missed
  # its counter (status 3) is played again.
  for intento in 1 2 3; do
    estado=0
    xvfb-run -a -s "-screen 0 1024x700x24" bash "$0" --dentro || estado=$?
    [ "$estado" -eq 3 ] || exit "$estado"
    echo "screenshots.sh: try $intento of 3 missed the packing's counter" >&2
  done
  exit 3
fi

img="$root/docs/img"
trabajo="$(mktemp -d)"
drive="$trabajo/drive"
mkdir -p "$img" "$trabajo/tmp" "$trabajo/fotos"
app=""
wm=""
terminar() {
  # shellcheck disable=SC2086
  kill $app $wm 2>/dev/null || true
  rm -rf "$trabajo"
}
trap terminar EXIT

fallar() {
  echo "screenshots.sh: $1" >&2
  exit "${2:-1}"
}

# esperar SECONDS STEP COMMAND...: runs COMMAND until it succeeds; fails naming
# STEP when the time is up or the application has ended.
esperar() {
  local limite="$1" paso="$2"
  shift 2
  local fin=$((SECONDS + limite))
  until "$@" >/dev/null; do
    if [ -n "$app" ] && ! kill -0 "$app" 2>/dev/null; then
      fallar "the application ended while waiting for: $paso"
    fi
    [ "$SECONDS" -lt "$fin" ] || fallar "gave up after $limite s waiting for: $paso"
    sleep 0.2
  done
}

# The visible window of that exact title (fails when there is none).
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 | grep .; }
oculta() { ! visible "$1" >/dev/null; }
gestor() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# More than one window titled NURO: a message box over the start-up window.
caja() { [ "$(xdotool search --onlyvisible --name '^NURO$' 2>/dev/null | wc -l)" -gt 1 ]; }
entregado() { compgen -G "$drive/DatosNuro/Procesados/*" >/dev/null; }

# The window with the frame the window manager put around it.
foto() {
  import -window "$(xwininfo -tree -id "$1" | awk '/Parent window id/ { print $4 }')" "$2"
}
# The menu bar answers to Alt, then the arrows and Return.
menu() {
  xdotool key --window "$principal" alt
  sleep 0.3
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Right; done
  xdotool key Return
}

"$build/bin/nuro_mkdrive" "$root/sample" "$drive" >/dev/null
export NURO_DRIVE="$drive" tmp="$trabajo/tmp"

# A document of about 13 MB, the sample's goods repeated: near the most
# records a document may fill, so the packing lasts as long as it can.
documento="$drive/Ejemplos/exportacion_grande.xml"
awk 'NR < 12 { print; next }
     NR >= 12 && NR <= 16 { bloque = bloque $0 "\n"; next }
     { resto = resto $0 "\n" }
     END { for (i = 0; i < 80000; i++) printf "%s", bloque; printf "%s", resto }' \
  "$root/sample/datos/F0804_00100.xml" >"$documento"

openbox >/dev/null 2>&1 &
wm=$!
esperar 20 "the window manager to start" gestor
"$build/bin/nuro" >/dev/null 2>&1 &
app=$!

esperar 30 "the start-up window" visible NURO
principal="$(visible NURO)"
sleep 1
foto "$principal" "$img/inicio.png"

menu 2
esperar 10 "the CUIT window" visible CUIT
sleep 0.5
xdotool key ctrl+a
xdotool type 20123456786
xdotool key Return
esperar 10 "the CUIT window to close once the CUIT is saved" oculta CUIT

menu 1
esperar 20 "the XML processing window" visible 'Procesamiento de Archivos XML'
xml="$(visible 'Procesamiento de Archivos XML')"
sleep 0.5
xdotool type 0804
sleep 0.3
# The window before the run: its label is empty.
foto "$xml" "$trabajo/antes.miff"
xdotool key Tab space
esperar 20 "the open-file dialog" visible Abrir
sleep 0.5
xdotool type "$documento"
xdotool key Return

# Bursts of shots, as fast as one process takes them, until the run's last
# box shows.
marco="$(xwininfo -tree -id "$xml" | awk '/Parent window id/ { print $4 }')"
n=0
fin=$((SECONDS + 300))
until caja; do
  kill -0 "$app" 2>/dev/null || fallar "the application ended during the run"
  [ "$SECONDS" -lt "$fin" ] || fallar "gave up after 300 s waiting for: the box that ends the run"
  import -window "$marco" -snaps 10 -pause 0 +adjoin "$trabajo/fotos/$(printf %04d "$n")-%02d.miff"
  n=$((n + 1))
done
xdotool key Return
esperar 10 "the submission file in DatosNuro/Procesados" entregado

# The label's line: where two shots in a row differ within one line of text,
# as the statuses and the counter follow one another there; its text starts
# at the leftmost such change.
cd "$trabajo/fotos"
for f in ./*.miff; do echo "$(identify -format '%#' "$f") $f"; done |
  awk '!visto[$1]++ { print $2 }' >distintas
cambio() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 \
    -format '%@' info: | tr 'x+' '  '
}
anterior=""
y=""
x=""
while read -r f; do
  if [ -n "$anterior" ]; then
    read -r _ hc xc yc <<<"$(cambio "$anterior" "$f")"
    if [ "$hc" -gt 0 ] && [ "$hc" -lt 30 ]; then
      [ -n "$y" ] || { y="$yc" && h="$hc"; }
      [ -n "$x" ] && [ "$x" -le "$xc" ] || x="$xc"
    fi
  fi
  anterior="$f"
done <distintas
[ -n "$y" ] || fallar "the label's line was not found in the shots" 3

# A shot shows the progress text when its label begins with the glyphs that
# the same window draws for "Proces" in the word "Procesar" below the label:
# of the run's statuses only "Procesando : " begins so. Glyphs may stand a
# fraction of a pixel apart, so the match is close rather than exact (other
# statuses are about five times farther).
progreso() {
  local ancho alto distancia
  read -r ancho alto <<<"$(identify -format '%w %h' "$1")"
  convert "$1" -crop "30x$((h + 4))+$x+$((y - 2))" +repage inicio.miff
  [ "$(identify -format '%k' inicio.miff)" -gt 8 ] || return 1
  convert "$1" -crop "${ancho}x$((alto - y - h - 2))+0+$((y + h + 2))" +repage abajo.miff
  distancia="$(compare -metric RMSE -subimage-search abajo.miff inicio.miff null: 2>&1 |
    sed -n 's/.*(\([0-9.e-]*\)) @.*/\1/p' | head -n 1)"
  awk -v d="$distancia" 'BEGIN { exit !(d != "" && d < 0.12) }'
}
elegidas=()
while read -r f; do progreso "$f" && elegidas+=("$f"); done <distintas
[ ${#elegidas[@]} -gt 0 ] || fallar "no shot shows the packing's progress text" 3
convert "${elegidas[$((${#elegidas[@]} / 2))]}" "$img/proceso_xml.png"
# Read back: the picture saved is the one checked.
progreso "$img/proceso_xml.png" || fallar "docs/img/proceso_xml.png lacks the progress text"
echo "docs/img/inicio.png and docs/img/proceso_xml.png remade"
