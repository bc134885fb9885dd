#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some are missing.
set -euo pipefail
PKGS=(build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n libgtest-dev
      libbenchmark-dev fonts-ipafont pkg-config libdxflib-dev)
if [[ "${1:-}" == "--test" ]]; then
  PKGS+=(xvfb xauth poppler-utils clang libclang-rt-14-dev)  # clang: the fuzz target
  # Reading the DXF drawings back (Debian's /usr/bin/python3) and failing their writes.
  PKGS+=(python3-ezdxf python3-matplotlib strace)
fi
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
