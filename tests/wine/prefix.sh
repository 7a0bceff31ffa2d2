# Private Wine prefixes, copied from a template that is booted once per Wine
# version and user. Sourced by env.sh.

# Template root: build/wine-template/<wine version>-<user>-<digest of this file>/prefix,
# so a change of the settings below boots a new template.
molan_wine_template_dir() {
  local version digest
  version="$(wine --version 2>/dev/null | tr -cs 'A-Za-z0-9.\n' '-' | sed 's/-*$//')"
  digest="$(md5sum "$MOLAN_WINE_HERE/prefix.sh" | cut -c1-8)"
  echo "${MOLAN_WINE_TEMPLATES:-$MOLAN_REPO/build/wine-template}/${version:-unknown}-$(id -un)-$digest"
}

# Registry settings every test prefix carries: Chinese UI fonts mapped to
# WenQuanYi, and the X11 driver unmanaged and undecorated (there is no window
# manager; managed windows stall 2 s on every hide waiting for one).
molan_wine_write_settings_reg() {
  local face="WenQuanYi Micro Hei"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local name
    for name in "Microsoft YaHei" "微软雅黑" "SimSun" "宋体"; do
      printf '"%s"="%s"\r\n' "$name" "$face"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
    printf '"Managed"="N"\r\n"Decorated"="N"\r\n\r\n'
  } | iconv -f UTF-8 -t UTF-16 >"$1"
}

# Boots a template prefix at $1 (a fresh folder), with its user folders under $2.
molan_wine_boot_template() {
  local prefix="$1" home="$2"
  mkdir -p "$home/Desktop"
  echo "wine-env: booting a template Wine prefix (once per Wine version, ~30 s)" >&2
  WINEPREFIX="$prefix" HOME="$home" DISPLAY= timeout 180 wineboot -i >/dev/null 2>&1 ||
    { molan_wine_fail "wineboot -i failed or timed out for $prefix"; return 1; }
  WINEPREFIX="$prefix" timeout 120 wineserver -w ||
    { molan_wine_fail "wineserver did not finish after wineboot"; return 1; }
  local reg="$prefix/drive_c/molan-settings.reg"
  molan_wine_write_settings_reg "$reg"
  WINEPREFIX="$prefix" HOME="$home" DISPLAY= timeout 60 wine regedit /S 'C:\molan-settings.reg' >/dev/null 2>&1 ||
    { molan_wine_fail "importing the registry settings failed"; return 1; }
  WINEPREFIX="$prefix" timeout 60 wineserver -w || { molan_wine_fail "wineserver did not finish after regedit"; return 1; }
  rm -f "$reg"
  grep -q '"Managed"="N"' "$prefix/user.reg" || { molan_wine_fail "registry settings missing from $prefix/user.reg"; return 1; }
  local fonts="$prefix/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf "$fonts/" ||
    { molan_wine_fail "cannot copy Wine's fonts (is fonts-wine installed?)"; return 1; }
}

# Makes sure the template exists; serialised with flock so parallel runs boot it once.
molan_wine_ensure_template() {
  local root
  root="$(molan_wine_template_dir)"
  [ -f "$root/ready" ] && return 0
  mkdir -p "$(dirname "$root")" || return 1
  (
    flock -w 300 9 || { molan_wine_fail "timed out waiting for another run to boot the template"; exit 1; }
    [ -f "$root/ready" ] && exit 0
    rm -rf "$root.tmp"
    molan_wine_boot_template "$root.tmp/prefix" "$root.tmp/home" || { rm -rf "$root.tmp"; exit 1; }
    echo "$root.tmp/home" >"$root.tmp/home-path"
    rm -rf "$root"
    mv "$root.tmp" "$root" && touch "$root/ready" || exit 1
    # Templates of older settings are no longer used (each is about 1.3 GB;
    # prefixes copied from them keep their hard-linked files).
    local old
    for old in "${root%-*}"-*; do
      case "$old" in "$root" | "$root".*) ;; *) rm -rf "$old" ;; esac
    done
  ) 9>"$root.lock"
}

# Copies the template to $1 with its user folders pointing at $2. The large
# system folders are hard-linked (nothing writes to installed DLLs); the rest,
# registry and user folders included, is copied.
molan_wine_make_prefix() {
  local prefix="$1" home="$2" root
  molan_wine_ensure_template || return 1
  root="$(molan_wine_template_dir)"
  mkdir -p "$prefix" || return 1
  local entry sub
  for entry in "$root/prefix"/* "$root/prefix"/.[!.]*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    [ "$(basename "$entry")" = drive_c ] && continue
    cp -a "$entry" "$prefix/" || { molan_wine_fail "cannot copy $entry"; return 1; }
  done
  mkdir -p "$prefix/drive_c"
  for entry in "$root/prefix/drive_c"/*; do
    if [ "$(basename "$entry")" = windows ]; then
      mkdir -p "$prefix/drive_c/windows"
      for sub in "$entry"/*; do
        case "$(basename "$sub")" in
          system32 | syswow64 | winsxs)
            cp -al "$sub" "$prefix/drive_c/windows/" 2>/dev/null || cp -a "$sub" "$prefix/drive_c/windows/" ||
              { molan_wine_fail "cannot copy $sub"; return 1; } ;;
          *) cp -a "$sub" "$prefix/drive_c/windows/" || { molan_wine_fail "cannot copy $sub"; return 1; } ;;
        esac
      done
    else
      cp -a "$entry" "$prefix/drive_c/" || { molan_wine_fail "cannot copy $entry"; return 1; }
    fi
  done
  rm -f "$prefix/wineserver"
  molan_wine_relink_home "$prefix" "$(cat "$root/home-path")" "$home"
}

# The user folders (Desktop, Documents, ...) are symlinks into the HOME that
# booted the template; point them at this run's HOME.
molan_wine_relink_home() {
  local prefix="$1" old="$2" new="$3" link target
  mkdir -p "$new/Desktop"
  while IFS= read -r -d '' link; do
    target="$(readlink "$link")"
    case "$target" in
      "$old" | "$old"/*)
        ln -sfn "$new${target#"$old"}" "$link" ;;
    esac
  done < <(find "$prefix/drive_c/users" -type l -print0)
}
