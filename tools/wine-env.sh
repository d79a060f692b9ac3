# Sourced by the test and run scripts: a Wine prefix of our own under build/, created once,
# with a server kept alive for the whole run and stopped at the end.
: "${BRIVANTO_BUILD:=$PWD/build}"
export WINEPREFIX="$BRIVANTO_BUILD/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer prompt; no debugger holding a crashed test open until its timeout.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Where qemu-user runs Wine's 32-bit half, a guest address space just above 2 GiB keeps
# Wine's start-up from probing gigabytes of address space one page run at a time.
export QEMU_RESERVED_VA=0x81000000

brivanto_wine_start() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix in $WINEPREFIX"
    wineboot -i >"$BRIVANTO_BUILD/wineboot.log" 2>&1 || true
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || {
      echo "wine: could not create the prefix (see $BRIVANTO_BUILD/wineboot.log)" >&2
      return 1
    }
  fi
  wineserver -p
  # Start Wine's services now, detached from our output: started by the first test instead,
  # they would inherit its output pipe and keep the test runner waiting for its end.
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null || true' EXIT
}
