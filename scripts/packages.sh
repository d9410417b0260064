# Installs the Debian packages named in $packages that are missing: with apt-get when run as
# root, otherwise it prints the one apt-get line to run and stops. Sourced by the set-up scripts.
missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -qq --no-install-recommends $missing
    else
        echo "Some packages are missing. Run this once, then try again:"
        echo "sudo apt-get install -y --no-install-recommends$missing"
        exit 1
    fi
fi
