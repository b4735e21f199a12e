# SPDX-License-Identifier: MIT
# Sourced by the scripts that run wine: one private prefix under build/,
# code page 1251, no wine chatter, no window-manager waits.
_translit_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$_translit_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win32
export LC_ALL=ru_RU.UTF-8
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Creates the prefix once. Without a window manager wine waits about two
# seconds whenever a window is hidden; Managed=N removes the wait. A program
# that crashes must end at once instead of waiting in wine's debugger, so
# the debugger is switched off.
translit_wine_prefix() {
  local ready="$WINEPREFIX/.translit-ready-2"
  if [ ! -f "$ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
      >/dev/null 2>&1
    wineserver -w
    touch "$ready"
  fi
}
