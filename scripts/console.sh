#!/bin/bash
# Installs what is needed, builds the collecting service and starts it with Kelto's support
# console on this machine (http://127.0.0.1:PORT/consola/), with a first administrator. The
# store stays in BUILD-ROOT/console/consola.db between runs; the first run creates the account
# and prints its password once (also kept, readable only by you, in
# BUILD-ROOT/console/primera-clave.txt). Stop it with Ctrl+C.
# usage: scripts/console.sh [port] [build-root]     (defaults: 8080, ./build)
#   RBINFO_CONSOLE_USER  the first account's name (default: admin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8080}
out=${2:-$root/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)
user=${RBINFO_CONSOLE_USER:-admin}

sh "$root/scripts/install-deps.sh"
export LANG=C.UTF-8
cmake -S "$root" -B "$out/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/native" -j2 --target kestrin-service
service="$out/native/service/kestrin-service"
data="$out/console"
db="$data/consola.db"
mkdir -p "$data"
chmod 700 "$data"

if [ -z "$("$service" usuario lista --db "$db" | tail -n +2)" ]; then
    password=$(head -c 18 /dev/urandom | base64 | tr -d '/+=' | head -c 20)
    printf '%s\n' "$password" | "$service" usuario alta "$user" --rol admin --db "$db"
    umask 077
    printf '%s\n' "$password" >"$data/primera-clave.txt"
    echo "Primera cuenta: $user, clave: $password (también en $data/primera-clave.txt)"
else
    echo "Cuentas de la consola:"
    "$service" usuario lista --db "$db"
fi
echo "Abra http://127.0.0.1:$port/consola/ en el navegador (Ctrl+C para parar)."
exec "$service" serve --port "$port" --db "$db"
