#!/bin/bash
# Makes sure this machine can run 32-bit x86 Linux programs, which the
# 32-bit Wine that runs the plug-in and its tests is made of. Some virtual
# machines run 64-bit user code only (their kernel answers "Exec format
# error" for every i386 program, and Wine's own WoW64 mode needs 32-bit code
# segments too); there the programs run under QEMU's user-mode emulator,
# registered as the kernel's interpreter for i386 programs.
#
# The emulator is Debian 13's (QEMU 10): Debian 12's QEMU 7.2 also works but
# needs about a minute of processor time to start each Wine process, against
# half a second. Its binary is static, so it runs as it is on Debian 12.
set -euo pipefail
loader=/lib/ld-linux.so.2
[ -x "$loader" ] || { echo "enable-i386: $loader is missing (install wine32:i386 first)" >&2; exit 1; }
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
home=/opt/qlv-i386
emulator="$home/qemu-i386"
binfmt=/proc/sys/fs/binfmt_misc
i386_magic=7f454c4601010100000000000000000002000300
# The registrations that hand i386 programs to an interpreter.
i386_entries() {
  for entry in "$binfmt"/*; do
    [ -f "$entry" ] && grep -q "^magic $i386_magic" "$entry" 2>/dev/null && echo "$entry"
  done
  return 0
}
# The kernel runs them itself, or our emulator does: nothing to do. Another
# emulator (Debian 12's, say) gives way to ours.
if "$loader" --version >/dev/null 2>&1; then
  others=0
  for entry in $(i386_entries); do
    grep -q "^interpreter $emulator\$" "$entry" || others=1
  done
  [ $others -eq 0 ] && exit 0
fi
if [ ! -x "$emulator" ]; then
  echo "This kernel does not run 32-bit programs: fetching QEMU's user-mode emulator for them"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/lists/partial" "$work/archives/partial"
  echo "deb http://deb.debian.org/debian trixie main" > "$work/sources.list"
  apt_options=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=/dev/null
               -o Dir::State::Lists="$work/lists" -o Dir::Cache::Archives="$work/archives"
               -o APT::Architectures::=amd64 -o APT::Sandbox::User=root)
  $SUDO apt-get "${apt_options[@]}" update -q >/dev/null
  (cd "$work" && $SUDO apt-get "${apt_options[@]}" download qemu-user >/dev/null)
  dpkg-deb -x "$work"/qemu-user_*.deb "$work/root"
  $SUDO mkdir -p "$home"
  $SUDO install -m 755 "$work/root/usr/bin/qemu-i386" "$emulator"
fi
if [ ! -e "$binfmt/register" ]; then
  $SUDO mount -t binfmt_misc binfmt_misc "$binfmt"
fi
# Any other registration for i386 programs gives way to this one.
for entry in $(i386_entries); do
  echo -1 | $SUDO tee "$entry" >/dev/null
done
# The ELF header of an i386 executable or shared object; F opens the
# emulator now, so it also serves programs started inside a chroot or
# another mount namespace.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":qlv-i386:M::$magic:$mask:$emulator:F" | $SUDO tee "$binfmt/register" >/dev/null
if ! "$loader" --version >/dev/null 2>&1; then
  echo "enable-i386: 32-bit programs still do not run" >&2
  exit 1
fi
echo "32-bit programs run under $emulator"
